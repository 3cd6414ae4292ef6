#pragma once
#include "treefile/TreeFile.h"

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <functional>
#include <future>
#include <memory>
#include <vector>

// The recovery copy of one running instance: a tree file in the application's
// data folder, named by a fresh identifier and guarded by a lock held for the
// life of the process, with the path of the tree file it stands for beside it.
class RecoveryCopy {
public:
    RecoveryCopy();
    ~RecoveryCopy();
    RecoveryCopy(const RecoveryCopy&) = delete;
    RecoveryCopy& operator=(const RecoveryCopy&) = delete;

    // Takes a copy of the kept tables now and writes it on another thread, so
    // that the window waits only for the copy. Nothing happens while the
    // previous write is still running. False when no copy was started.
    // A write that fails calls failed, on the writer's thread, with the reason.
    using Failed = std::function<void(const QString& reason)>;
    bool write(const GenealogyStore& store, const TreeFileDiagram& diagram, const QString& treeFile,
               Failed failed = {});
    // Waits for a write under way; for tests and for leaving.
    void finishWriting();
    // Removes the copy: the tree was saved, discarded or the program ends cleanly.
    void remove();
    QString path() const { return base_ + QStringLiteral(".arbolitus"); }

private:
    QString base_;
    std::unique_ptr<QLockFile> lock_;
    std::future<void> writing_;
};

// A copy left by an instance that is gone.
struct StaleRecoveryCopy {
    QString path;      // the copy itself
    QString treeFile;  // the tree file it stood for, or empty
    QDateTime written;
};
// Newest first. A copy of a running instance is never among them.
std::vector<StaleRecoveryCopy> staleRecoveryCopies();
// Deletes a stale copy with its lock and its note of the tree file.
void discardRecoveryCopy(const StaleRecoveryCopy& copy);
// Moves a copy that cannot be opened into the folder "не открылись" beside the
// copies, where it is kept but never offered again.
void setRecoveryCopyAside(const StaleRecoveryCopy& copy);
// The folder of the copies set aside.
QString recoveryAsideFolder();
