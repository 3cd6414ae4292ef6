#pragma once
#include <QIcon>
#include <QImage>

// Pictures drawn for the navigator's buttons, so that none needs a file.
enum class NavigatorGlyph { Left, Right, Up, Down, Centre, Plus, Minus, Axes, RotateLeft, RotateRight, Pivot };
QIcon navigatorGlyph(NavigatorGlyph glyph);

// A button bitmap whose bottom left pixel colour shows as transparent.
QIcon glyphFromBitmap(const QImage& bitmap);
