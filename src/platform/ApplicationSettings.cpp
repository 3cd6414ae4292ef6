#include "platform/ApplicationSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QSettings applicationSettings()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return QSettings(folder + QLatin1Char('/') + applicationDiskName + QStringLiteral(".conf"), QSettings::IniFormat);
}

void useApplicationName()
{
    QCoreApplication::setOrganizationName(QString());
    QCoreApplication::setApplicationName(applicationDiskName);
    moveEarlierApplicationFiles(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                                QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

namespace {

// On a file system that ignores case the old and the new name are one place.
bool samePlace(const QString& a, const QString& b)
{
    const QString first = QFileInfo(a).canonicalFilePath();
    return !first.isEmpty() && first == QFileInfo(b).canonicalFilePath();
}

void moveSettingsFile(const QString& configHome)
{
    const QString oldFolder = configHome + QStringLiteral("/Arbolitus");
    const QString oldFile = oldFolder + QStringLiteral("/Arbolitus.conf");
    const QString newFolder = configHome + QLatin1Char('/') + applicationDiskName;
    const QString newFile = newFolder + QLatin1Char('/') + applicationDiskName + QStringLiteral(".conf");
    if (!QFileInfo(oldFile).isFile() || QFileInfo::exists(newFile) || samePlace(oldFolder, newFolder))
        return;
    if (QDir().mkpath(newFolder) && QFile::rename(oldFile, newFile))
        QDir().rmdir(oldFolder);  // only when nothing else is in it
}

void moveDataFolder(const QString& dataHome)
{
    const QString oldFolder = dataHome + QStringLiteral("/ARBOLITUS");
    const QString newFolder = dataHome + QLatin1Char('/') + applicationDiskName;
    if (!QFileInfo(oldFolder).isDir() || QFileInfo::exists(newFolder) || samePlace(oldFolder, newFolder))
        return;
    QDir().rename(oldFolder, newFolder);
}

} // namespace

void moveEarlierApplicationFiles(const QString& configHome, const QString& dataHome)
{
    if (!configHome.isEmpty())
        moveSettingsFile(configHome);
    if (!dataHome.isEmpty())
        moveDataFolder(dataHome);
}
