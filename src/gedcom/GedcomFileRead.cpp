#include "gedcom/GedcomFileRead.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString reason(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("файл не найден");
    case EACCES:
    case EPERM:
        return QStringLiteral("нет прав на чтение");
    case EIO:
        return QStringLiteral("ошибка ввода-вывода");
    case EISDIR:
        return QStringLiteral("это папка, а не файл");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString tooLarge(const QString& name, qint64 limit)
{
    return QStringLiteral("Файл %1 слишком велик: импорт читает файлы не больше %2 МБ").arg(name).arg(limit >> 20);
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

std::variant<QByteArray, QString> readGedcomFile(const QString& path, qint64 limit)
{
    const QString name = QFileInfo(path).fileName();
    const QString cannotOpen = QStringLiteral("Не удалось открыть файл %1: %2");
    const Descriptor file(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0)
        return cannotOpen.arg(name, reason(errno));
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return cannotOpen.arg(name, reason(errno));
    if (S_ISDIR(info.st_mode))
        return cannotOpen.arg(name, reason(EISDIR));
    if (!S_ISREG(info.st_mode))
        return cannotOpen.arg(name, QStringLiteral("это не обычный файл (устройство, канал или сокет)"));
    if (info.st_size > limit)
        return tooLarge(name, limit);

    QByteArray bytes;
    bytes.resize(qsizetype(info.st_size) + 1);
    qsizetype size = 0;
    for (;;) {
        // A file that grows while it is read is still cut off at the limit.
        if (size == bytes.size()) {
            if (size > limit)
                return tooLarge(name, limit);
            bytes.resize(qsizetype(std::min<qint64>(limit + 1, 2 * qint64(size) + 4096)));
        }
        const ssize_t got = ::read(file.get(), bytes.data() + size, std::size_t(bytes.size() - size));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return QStringLiteral("Не удалось прочитать файл %1: %2").arg(name, reason(errno));
        if (got == 0)
            break;
        size += got;
    }
    if (size > limit)
        return tooLarge(name, limit);
    bytes.truncate(size);
    return bytes;
}
