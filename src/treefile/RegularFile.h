#pragma once
#include <QByteArray>
#include <QString>
#include <variant>

// The whole content of a regular file of at most limit bytes, or a short
// Russian reason. A FIFO, a device or a folder is refused without waiting on it.
std::variant<QByteArray, QString> readRegularFile(const QString& path, qint64 limit, const QString& tooLarge);
