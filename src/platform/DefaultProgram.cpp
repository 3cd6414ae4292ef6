#include "platform/DefaultProgram.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>

bool canOpenWithDefaultProgram(const QString& path, const DefaultApplicationQuery& defaultApplication)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || !info.isReadable())
        return false;
    const QMimeType type = QMimeDatabase().mimeTypeForFile(info);
    return type.isValid() && !defaultApplication(type.name()).trimmed().isEmpty();
}

QString xdgDefaultApplication(const QString& mimeType)
{
    QProcess query;
    query.setProcessChannelMode(QProcess::SeparateChannels);
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForStarted(3000))
        return QString();
    if (!query.waitForFinished(5000)) {
        query.kill();
        query.waitForFinished(1000);
        return QString();
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return QString();
    return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}
