#include "platform/ChooserFolders.h"

#include "platform/ApplicationSettings.h"

#include <QFileInfo>

namespace {

QString key(const QString& kind)
{
    return QStringLiteral("chooserFolders/") + (kind.isEmpty() ? QStringLiteral("other") : kind);
}

} // namespace

QString chooserFolder(const QString& kind)
{
    const QString folder = applicationSettings().value(key(kind)).toString();
    // A folder removed since would leave the chooser in an odd place; the working folder is better.
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void rememberChooserFolder(const QString& kind, const QString& chosenFile)
{
    if (!chosenFile.isEmpty())
        applicationSettings().setValue(key(kind), QFileInfo(chosenFile).absolutePath());
}
