#include "treefile/RecoveryCopy.h"

#include "treefile/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUuid>
#include <algorithm>

namespace {

QString recoveryFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery");
}

// The path without its suffix: ".arbolitus" or ".lock".
QString baseOf(const QString& path)
{
    return path.left(path.lastIndexOf(QLatin1Char('.')));
}

bool isHeldByRunningInstance(const QString& base)
{
    QLockFile lock(base + QStringLiteral(".lock"));
    if (!lock.tryLock(0))
        return true;
    lock.unlock();
    return false;
}

// What instances that are gone left half done: notes without their copy and
// the temporaries of copies whose writing was cut short.
void sweepRecoveryFolder(const QDir& folder)
{
    removeStaleTemporariesIn(folder.path());
    for (const QFileInfo& note : folder.entryInfoList({QStringLiteral("*.path")}, QDir::Files)) {
        const QString base = baseOf(note.absoluteFilePath());
        if (!QFile::exists(base + QStringLiteral(".arbolitus")) && !isHeldByRunningInstance(base))
            QFile::remove(note.absoluteFilePath());
    }
}

// The kept tables copied in one pass over their memory: the window waits
// only for this copy, and the writer thread saves it.
std::shared_ptr<GenealogyStore> snapshotOf(const GenealogyStore& store)
{
    auto copy = std::make_shared<GenealogyStore>();
    for (const TreeFileTable& t : treeFileTables())
        ((*copy).*t.table).copyContentsOf(store.*t.table);
    return copy;
}

} // namespace

RecoveryCopy::RecoveryCopy()
{
    QDir().mkpath(recoveryFolder());
    QFile::setPermissions(recoveryFolder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    base_ = recoveryFolder() + QLatin1Char('/') + QUuid::createUuid().toString(QUuid::WithoutBraces);
    lock_ = std::make_unique<QLockFile>(base_ + QStringLiteral(".lock"));
    lock_->setStaleLockTime(0);
    lock_->tryLock(0);
}

RecoveryCopy::~RecoveryCopy()
{
    finishWriting();
}

bool RecoveryCopy::write(const GenealogyStore& store, const TreeFileDiagram& diagram, const QString& treeFile,
                         Failed failed)
{
    if (writing_.valid() && writing_.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return false;
    std::shared_ptr<const GenealogyStore> snapshot = snapshotOf(store);
    const QString target = path(), note = base_ + QStringLiteral(".path");
    // Both files are synced to the disk, which may take long: not on the window's thread.
    writing_ = std::async(std::launch::async, [snapshot, diagram, target, note, treeFile, failed] {
        std::optional<QString> error = saveBytesAtomically(note, treeFile.toUtf8());
        if (!error)
            error = saveTreeFile(*snapshot, diagram, target);
        if (error && failed)
            failed(*error);
    });
    return true;
}

void RecoveryCopy::finishWriting()
{
    if (writing_.valid())
        writing_.wait();
}

void RecoveryCopy::remove()
{
    finishWriting();
    QFile::remove(path());
    QFile::remove(base_ + QStringLiteral(".path"));
}

std::vector<StaleRecoveryCopy> staleRecoveryCopies()
{
    std::vector<StaleRecoveryCopy> copies;
    const QDir folder(recoveryFolder());
    sweepRecoveryFolder(folder);
    // The locks of instances that ended before writing any copy.
    for (const QFileInfo& file : folder.entryInfoList({QStringLiteral("*.lock")}, QDir::Files)) {
        QLockFile lock(file.absoluteFilePath());
        if (!QFile::exists(baseOf(file.absoluteFilePath()) + QStringLiteral(".arbolitus")) && lock.tryLock(0))
            lock.unlock();
    }
    for (const QFileInfo& file : folder.entryInfoList({QStringLiteral("*.arbolitus")}, QDir::Files)) {
        const QString base = baseOf(file.absoluteFilePath());
        QLockFile lock(base + QStringLiteral(".lock"));
        // A lock that can be taken belongs to no running instance.
        if (!lock.tryLock(0))
            continue;
        lock.unlock();
        QFile note(base + QStringLiteral(".path"));
        const QString treeFile = note.open(QIODevice::ReadOnly) ? QString::fromUtf8(note.readAll()) : QString();
        copies.push_back({file.absoluteFilePath(), treeFile, file.lastModified()});
    }
    std::sort(copies.begin(), copies.end(), [](const auto& a, const auto& b) { return a.written > b.written; });
    return copies;
}

QString recoveryAsideFolder()
{
    return recoveryFolder() + QStringLiteral("/не открылись");
}

void setRecoveryCopyAside(const StaleRecoveryCopy& copy)
{
    QDir().mkpath(recoveryAsideFolder());
    const QString aside = recoveryAsideFolder() + QLatin1Char('/') + QFileInfo(copy.path).fileName();
    QFile::remove(aside);
    if (!QFile::rename(copy.path, aside))
        QFile::remove(copy.path);
    discardRecoveryCopy(copy);
}

void discardRecoveryCopy(const StaleRecoveryCopy& copy)
{
    const QString base = baseOf(copy.path);
    for (const char* suffix : {".arbolitus", ".path", ".lock"})
        QFile::remove(base + QLatin1String(suffix));
}
