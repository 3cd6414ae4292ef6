#pragma once
class QAction;
class QMenu;

// Adds a menu item that tests and scripts can find by its designed name.
QAction* addNamedAction(QMenu* menu, const char* objectName, const char* caption);
