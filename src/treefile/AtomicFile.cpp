#include "treefile/AtomicFile.h"

#include "treefile/FileErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Keeps ".NAME.tmp-RANDOM" within the 255 bytes a file name may have.
constexpr qsizetype maxNameBytesInTemporary = 200;
constexpr int maxLinkHops = 40;

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

QString failure(const QString& target, const QString& reason)
{
    return QStringLiteral("Не удалось сохранить файл «%1»: %2.").arg(QFileInfo(target).fileName(), reason);
}

// The file a chain of symbolic links leads to, which is what a save replaces.
std::optional<QString> linkedTarget(const QString& target)
{
    QString path = QFileInfo(target).absoluteFilePath();
    for (int hop = 0; hop < maxLinkHops; ++hop) {
        const QFileInfo info(path);
        if (!info.isSymLink())
            return path;
        path = info.symLinkTarget();
    }
    return std::nullopt;
}

// The start of every temporary name of a target: its name cut at whole characters.
QString temporaryStem(const QString& target)
{
    QString name = QFileInfo(target).fileName();
    while (QFile::encodeName(name).size() > maxNameBytesInTemporary)
        name.chop(name.size() >= 2 && name.at(name.size() - 1).isLowSurrogate() ? 2 : 1);
    return QLatin1Char('.') + name + QStringLiteral(".tmp-");
}

// A temporary nobody holds locked was left by a save that died.
bool isAbandoned(const QString& path)
{
    const int fd = ::open(encoded(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return errno == ELOOP;  // a link under a temporary's name: no save made it
    const bool abandoned = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return abandoned;
}

void removeAbandoned(const QDir& folder, const QString& stem)
{
    // Compared by hand: a file name may hold the wildcards of a name filter.
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QString path = folder.filePath(name);
        if (name.startsWith(stem) && name.contains(QStringLiteral(".tmp-")) && isAbandoned(path))
            QFile::remove(path);
    }
}

// What an existing target keeps across the save.
struct Keep {
    bool exists = false;
    mode_t mode = 0;
    gid_t group = 0;
};

std::optional<QString> refusalBeforeWriting(const QString& path, Keep& keep)
{
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        return QStringLiteral("папка «%1» не существует").arg(QDir::toNativeSeparators(info.absolutePath()));
    struct stat st {};
    if (::stat(encoded(path).constData(), &st) != 0)
        return errno == ENOENT ? std::nullopt : std::optional(writeFailureReason(errno));
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("под этим именем уже есть папка");
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("под этим именем уже есть не обычный файл");
    if (::access(encoded(path).constData(), W_OK) != 0)
        return errno == EACCES ? QStringLiteral("файл только для чтения") : writeFailureReason(errno);
    keep = {true, st.st_mode & 07777, st.st_gid};
    return std::nullopt;
}

// The temporary, created empty, locked for as long as it is open, with the
// target's mode and group or the access asked for a new file.
int createTemporary(const QString& path, const Keep& keep, NewFileAccess access)
{
    const mode_t mode = keep.exists ? keep.mode : access == NewFileAccess::OwnerOnly ? 0600 : 0666;
    const int fd = ::open(encoded(path).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
    if (fd < 0)
        return -1;
    ::flock(fd, LOCK_EX | LOCK_NB);
    if (keep.exists) {
        if (::fchown(fd, uid_t(-1), keep.group) != 0) {
            // A group the user is not in cannot be given; the mode stays as it was.
        }
        ::fchmod(fd, keep.mode);
    }
    return fd;
}

// The writer wrote into the very file we hold, and it is on the disk.
std::optional<QString> checkWritten(int fd, const QString& temporary)
{
    struct stat held {}, named {};
    if (::fstat(fd, &held) != 0 || ::stat(encoded(temporary).constData(), &named) != 0 || held.st_ino != named.st_ino
        || held.st_dev != named.st_dev)
        return QStringLiteral("временный файл пропал во время записи");
    if (::fsync(fd) != 0)
        return writeFailureReason(errno);
    return std::nullopt;
}

void removeTemporary(const QString& temporary)
{
    QFile::remove(temporary);
    QFile::remove(temporary + QStringLiteral("-journal"));
}

std::optional<QString> writeAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, std::size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return writeFailureReason(written < 0 ? errno : ENOSPC);
        data += written;
        left -= written;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size != bytes.size())
        return writeFailureReason(ENOSPC);
    return std::nullopt;
}

// A device over the temporary that remembers the first failed write: the
// painters' devices go on after one and say nothing.
class CheckedFile : public QFile {
public:
    std::optional<QString> failure;

protected:
    qint64 writeData(const char* data, qint64 length) override
    {
        if (failure)
            return -1;
        const qint64 written = QFile::writeData(data, length);
        if (written != length)
            failure = writeFailureReason(errno ? errno : ENOSPC);
        return written;
    }
};

std::optional<QString> writeThroughDevice(int fd, const std::function<std::optional<QString>(QIODevice&)>& write)
{
    CheckedFile file;
    if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
        return writeFailureReason(errno ? errno : EBADF);
    std::optional<QString> error = write(file);
    // A writer that saw its write refused knows less of why than the device.
    if (file.failure)
        error = file.failure;
    if (!error && !file.flush())
        error = writeFailureReason(errno ? errno : ENOSPC);
    if (!error && file.failure)
        error = file.failure;
    if (!error && file.error() != QFileDevice::NoError)
        error = writeFailureReason(ENOSPC);
    struct stat st {};
    if (!error && (::fstat(fd, &st) != 0 || st.st_size != file.pos()))
        error = writeFailureReason(ENOSPC);
    return error;
}

std::optional<QString> saveThroughDescriptor(const QString& target, NewFileAccess access,
                                             const std::function<std::optional<QString>(int fd, const QString&)>& write)
{
    const std::optional<QString> real = linkedTarget(target);
    if (!real)
        return failure(target, writeFailureReason(ELOOP));
    Keep keep;
    if (const std::optional<QString> refusal = refusalBeforeWriting(*real, keep))
        return failure(target, *refusal);
    removeStaleTemporaries(*real);
    const QFileInfo info(*real);
    const QString temporary = info.absolutePath() + QLatin1Char('/') + temporaryStem(*real)
                              + QString::number(QRandomGenerator::global()->generate64(), 36);
    const int fd = createTemporary(temporary, keep, access);
    if (fd < 0)
        return failure(target, writeFailureReason(errno));
    std::optional<QString> error = write(fd, temporary);
    if (!error)
        error = checkWritten(fd, temporary);
    if (!error && std::rename(encoded(temporary).constData(), encoded(*real).constData()) != 0)
        error = writeFailureReason(errno);
    if (error) {
        removeTemporary(temporary);
        ::close(fd);
        return failure(target, *error);
    }
    ::close(fd);
    const int folder = ::open(encoded(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> saveStreamAtomically(const QString& target,
                                            const std::function<std::optional<QString>(QIODevice& device)>& write,
                                            NewFileAccess access)
{
    return saveThroughDescriptor(target, access, [&](int fd, const QString&) { return writeThroughDevice(fd, write); });
}

void removeStaleTemporaries(const QString& target)
{
    if (const std::optional<QString> real = linkedTarget(target))
        removeAbandoned(QFileInfo(*real).absoluteDir(), temporaryStem(*real));
}

void removeStaleTemporariesIn(const QString& folder)
{
    removeAbandoned(QDir(folder), QStringLiteral("."));
}

std::optional<QString> saveAtomically(const QString& target,
                                      const std::function<std::optional<QString>(const QString& temporary)>& write,
                                      NewFileAccess access)
{
    return saveThroughDescriptor(target, access, [&](int, const QString& temporary) { return write(temporary); });
}

std::optional<QString> saveBytesAtomically(const QString& target, const QByteArray& bytes, NewFileAccess access)
{
    return saveThroughDescriptor(target, access, [&](int fd, const QString&) { return writeAll(fd, bytes); });
}
