#pragma once
#include <QSettings>
#include <QString>

// The one name the application keeps its things under: settings, recovery
// copies and recent files, in the XDG places.
inline const QString applicationDiskName = QStringLiteral("arbolitus");

// The one place the application's own settings are kept between runs:
// arbolitus.conf in the application's configuration folder.
QSettings applicationSettings();

// Names the application and moves what earlier versions kept under other
// names; called at start, before anything reads them.
void useApplicationName();

// Moves the settings file Arbolitus/Arbolitus.conf and the data folder
// ARBOLITUS to their places under arbolitus, once: whatever is already in the
// new place stays and the old one is left as it was.
void moveEarlierApplicationFiles(const QString& configHome, const QString& dataHome);
