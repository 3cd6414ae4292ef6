#pragma once
#include <QByteArray>
#include <QString>
#include <variant>

// The largest file the import reads: the bytes, the text made of them and the
// tree they fill must all fit in memory at once.
constexpr qint64 gedcomSizeLimit = qint64(1) << 30;

// The bytes of a regular file, or why they cannot be had, in Russian. The file
// is opened without blocking, so that a FIFO or a device cannot hang the
// import, and reading stops past the limit, so that one cannot fill memory.
std::variant<QByteArray, QString> readGedcomFile(const QString& path, qint64 limit = gedcomSizeLimit);
