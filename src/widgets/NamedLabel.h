#pragma once
class QLabel;
class QWidget;

// A caption at a designed place, findable by its designed name.
QLabel* addNamedLabel(QWidget* parent, const char* objectName, const char* caption, int x, int y);
