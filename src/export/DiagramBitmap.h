#pragma once
#include "export/DiagramChart.h"

#include <QImage>
#include <QSize>
#include <optional>
#include <variant>

// Bitmaps above this many pixels are refused: the clipboard copies them again
// in other formats, and a diagram that large is a mistake more often than not.
constexpr qint64 maxBitmapPixels = 200'000'000;
constexpr int maxBitmapSide = 32767;
bool isBitmapTooLarge(QSize size);

// Renders every row of the diagram into a one-bit black and white bitmap, or
// says in Russian why there is nothing to render.
std::variant<QImage, QString> renderDiagramBitmap(const DiagramChart& chart);
std::variant<QImage, QString> renderDiagramBitmap(const RecordTable& items, const LegendPictures& pictures,
                                                  const DiagramSettings& settings, const QFont& font,
                                                  QSize scrollRanges);

// Writes a rendered bitmap as a BMP file, atomically; an error text naming the file, or nothing.
std::optional<QString> saveBitmapFile(const QImage& bitmap, const QString& path);
