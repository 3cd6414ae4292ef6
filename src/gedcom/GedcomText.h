#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// GEDCOM files are read as the Cyrillic single-byte code page, unless they say
// or show that they are UTF-8: a byte-order mark, or "1 CHAR UTF-8" in the header.
bool gedcomIsUtf8(const QByteArray& file);

QString decodeCp1251(QByteArrayView bytes);
QString decodeGedcomText(QByteArrayView bytes, bool utf8);
