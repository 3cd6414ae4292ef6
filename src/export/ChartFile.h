#pragma once
#include "export/DiagramChart.h"

#include <optional>

enum class ChartFormat { Png, Svg, Pdf };

// The format a file name asks for by its suffix; nothing for any other suffix.
std::optional<ChartFormat> chartFormatOfPath(const QString& path);

// Common PDF viewers open pages of up to 200 inches a side.
constexpr double maxPdfPagePoints = 200 * 72;
// The scale that brings a picture of this size, at 72 pixels per inch, onto such a page.
double pdfScale(QSize size);

struct ChartFileResult {
    bool written = false;
    QString text;  // the reason when not written; what the user should know when written
};

// Writes the whole chart under a temporary name and renames it into place.
// PNG at 100 %; SVG and PDF as vectors with the names as text. Refusals
// (an empty diagram, a PNG too large, an unknown suffix) come before anything
// is allocated or written.
ChartFileResult writeChartFile(const DiagramChart& chart, const QString& path);
