#pragma once
#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

// Writes a file under a unique temporary name beside the target, syncs it and
// its folder, then renames it over the target. The writer returns an error
// reason or nothing. On any failure the temporary file is removed and the
// target stays as it was; the result names the file and the reason.
std::optional<QString> saveAtomically(const QString& target,
                                      const std::function<std::optional<QString>(const QString& temporary)>& write);

// The same for a file whose whole content is already in memory.
std::optional<QString> saveBytesAtomically(const QString& target, const QByteArray& bytes);

// The temporary name's pattern for a target, for finding what a crashed save left.
QString temporaryPrefix(const QString& target);
