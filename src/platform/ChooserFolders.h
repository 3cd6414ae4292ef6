#pragma once
#include <QString>

// Where the user last opened or saved each kind of file, so that the next
// chooser of that kind opens there and not in the working folder. A kind is
// the chooser's default suffix ("arbolitus", "ged", "png", "txt") or "picture".
QString chooserFolder(const QString& kind);
void rememberChooserFolder(const QString& kind, const QString& chosenFile);
