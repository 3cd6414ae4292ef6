#pragma once
#include <QRectF>
#include <QSize>
#include <vector>

// Chart pixels go to paper at 72 per inch, as in the PDF: a printed sheet
// and the PDF at 100 % look the same.
enum class PrintFit { OnePage, NaturalSize };

struct ChartPage {
    int column = 1, row = 1;  // counted from 1
    QRectF source;            // the part of the chart on this page, in chart pixels
};

struct PrintPlan {
    double scale = 1;  // points per chart pixel
    std::vector<ChartPage> pages;
};

// Neighbouring sheets repeat this much of each other, so that they can be glued.
constexpr double pageOverlapPoints = 14.4;
// More sheets than this are not laid out: the preview would take minutes.
constexpr int maxPrintedPages = 500;

// One page scaled down to fit (never up), or the chart at 100 % across as
// many pages as needed, row by row. paper is the printable area in points.
PrintPlan planChartPrint(QSize chart, QSizeF paper, PrintFit fit);
// How many pages the natural size needs, without laying them out.
qint64 naturalPageCount(QSize chart, QSizeF paper);
