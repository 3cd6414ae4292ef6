#include "platform/ApplicationSettings.h"

QSettings applicationSettings()
{
    return QSettings(QStringLiteral("Arbolitus"), QStringLiteral("Arbolitus"));
}
