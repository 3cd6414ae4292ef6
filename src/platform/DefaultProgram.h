#pragma once
#include <QString>
#include <functional>

// Names the desktop entry of a MIME type's default application; empty when there is none.
using DefaultApplicationQuery = std::function<QString(const QString& mimeType)>;

// Whether the user's default program can take the file: it is a readable file
// and its MIME type (by name and content) has a default application.
bool canOpenWithDefaultProgram(const QString& path, const DefaultApplicationQuery& defaultApplication);

// What `xdg-mime query default TYPE` prints; empty when it prints nothing,
// fails, hangs or is not installed.
QString xdgDefaultApplication(const QString& mimeType);
