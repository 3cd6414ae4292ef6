#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// How the lines of a file are turned into text.
enum class GedcomCharset { Cp1251, Utf8, Ansel };

// A file made ready to be cut into lines: UTF-16 turned into UTF-8, a
// byte-order mark skipped, and the character set its lines are in.
struct GedcomBytes {
    QByteArray bytes;
    qsizetype start = 0;
    GedcomCharset charset = GedcomCharset::Cp1251;
};

// Decides in this order: a byte-order mark; UTF-16 without one, told by its
// first line; the header's CHAR value; valid UTF-8 holding bytes above 127;
// else the Cyrillic code page, which takes every byte.
GedcomBytes prepareGedcomBytes(const QByteArray& file);

// The CHAR value of the header record, upper-cased; empty when it has none.
QString gedcomHeaderCharset(QByteArrayView file);

QString decodeCp1251(QByteArrayView bytes);
// ANSEL's diacritics stand before their letter; the text has them after it, composed.
QString decodeAnsel(QByteArrayView bytes);
// False, and text untouched, for bytes that are not valid in the charset.
bool decodeGedcomLine(QByteArrayView bytes, GedcomCharset charset, QString& text);
