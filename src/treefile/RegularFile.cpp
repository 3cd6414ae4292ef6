#include "treefile/RegularFile.h"

#include "treefile/FileErrors.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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

std::variant<QByteArray, QString> readRegularFile(const QString& path, qint64 limit, const QString& tooLarge)
{
    // Non-blocking: opening a FIFO for reading would otherwise wait for a writer.
    const Descriptor fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0)
        return errno == EISDIR ? QStringLiteral("это папка, а не файл") : readFailureReason(errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return readFailureReason(errno);
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("это папка, а не файл");
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("это не обычный файл (устройство, канал или сокет)");
    if (st.st_size > limit)
        return tooLarge;
    // The size may change while reading: never read past the limit.
    QByteArray bytes(qsizetype(st.st_size), Qt::Uninitialized);
    qsizetype done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (bytes.size() > limit)
                return tooLarge;
            bytes.resize(std::min<qint64>(limit + 1, bytes.size() + 65536));
        }
        const ssize_t got = ::read(fd.get(), bytes.data() + done, std::size_t(bytes.size() - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return readFailureReason(errno);
        if (got == 0)
            break;
        done += got;
    }
    if (done > limit)
        return tooLarge;
    bytes.truncate(done);
    return bytes;
}
