#include "treefile/AtomicFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Left by a save that died this long ago: no save takes so long.
constexpr qint64 staleSeconds = 600;

bool syncPath(const QString& path, bool folder)
{
    const int fd = ::open(QFile::encodeName(path).constData(), folder ? O_RDONLY | O_DIRECTORY : O_RDWR);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

// Only what an earlier save of this very target left: other programs' files
// may follow a similar pattern.
void removeStaleTemporaries(const QDir& folder, const QString& target)
{
    const QDateTime limit = QDateTime::currentDateTime().addSecs(-staleSeconds);
    const QString prefix = QLatin1Char('.') + QFileInfo(target).fileName() + QStringLiteral(".tmp-");
    for (const QFileInfo& file : folder.entryInfoList({QStringLiteral(".*.tmp-*")}, QDir::Files | QDir::Hidden))
        if (file.fileName().startsWith(prefix) && file.lastModified() < limit)
            QFile::remove(file.absoluteFilePath());
}

QString failure(const QString& target, const QString& reason)
{
    return QStringLiteral("Не удалось сохранить файл «%1»: %2.").arg(QFileInfo(target).fileName(), reason);
}

} // namespace

QString temporaryPrefix(const QString& target)
{
    const QFileInfo info(target);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".tmp-");
}

std::optional<QString> saveAtomically(const QString& target,
                                      const std::function<std::optional<QString>(const QString& temporary)>& write)
{
    const QFileInfo info(target);
    const QDir folder = info.absoluteDir();
    if (!folder.exists())
        return failure(target, QStringLiteral("папка «%1» не существует").arg(folder.path()));
    if (info.isDir())
        return failure(target, QStringLiteral("под этим именем уже есть папка"));
    removeStaleTemporaries(folder, target);
    const QString temporary = temporaryPrefix(target) + QString::number(QRandomGenerator::global()->generate64(), 36);
    std::optional<QString> error = write(temporary);
    if (!error && !syncPath(temporary, false))
        error = QStringLiteral("файл не удалось записать на диск");
    if (!error && std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) != 0)
        error = QStringLiteral("не удалось заменить прежний файл");
    if (error) {
        QFile::remove(temporary);
        return failure(target, *error);
    }
    syncPath(folder.absolutePath(), true);
    return std::nullopt;
}

std::optional<QString> saveBytesAtomically(const QString& target, const QByteArray& bytes)
{
    return saveAtomically(target, [&](const QString& temporary) -> std::optional<QString> {
        QFile file(temporary);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
            return file.errorString();
        return std::nullopt;
    });
}
