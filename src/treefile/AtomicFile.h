#pragma once
#include <QByteArray>
#include <QString>

class QIODevice;
#include <functional>
#include <optional>

// Who may read a file that a save creates. A file that exists keeps its own
// mode and group whatever is asked here.
enum class NewFileAccess {
    OwnerOnly,    // family data: tree files, recovery copies, GEDCOM
    FollowUmask,  // pictures and texts meant to be shared
};

// Writes a file under a short temporary name beside the target (beside the
// file a symbolic link leads to, so that the link stays), syncs it and its
// folder, then renames it over the target. The writer returns an error reason
// or nothing. On any failure the temporary file is removed and the target
// stays as it was; the result names the file and the reason.
std::optional<QString> saveAtomically(const QString& target,
                                      const std::function<std::optional<QString>(const QString& temporary)>& write,
                                      NewFileAccess access = NewFileAccess::OwnerOnly);

// The same for a file whose whole content is already in memory; every byte is
// checked to have reached the disk.
std::optional<QString> saveBytesAtomically(const QString& target, const QByteArray& bytes,
                                           NewFileAccess access = NewFileAccess::OwnerOnly);

// The same for a file written as it is made: the writer writes into the
// temporary through a device; every write and the final flush are checked.
std::optional<QString> saveStreamAtomically(const QString& target,
                                            const std::function<std::optional<QString>(QIODevice& device)>& write,
                                            NewFileAccess access = NewFileAccess::OwnerOnly);

// Removes what saves of this target that died left beside it. A temporary that
// a save under way holds locked is left alone.
void removeStaleTemporaries(const QString& target);
// The same for every target of one folder.
void removeStaleTemporariesIn(const QString& folder);
