#include "export/ChartPages.h"

#include <algorithm>
#include <cmath>

namespace {

struct Axis {
    int count = 1;
    double step = 0;
};

// Pages along one side: each starts an overlap before the end of the one before.
Axis pagesAlong(double chart, double paper)
{
    const double overlap = paper > 4 * pageOverlapPoints ? pageOverlapPoints : 0;
    const double step = std::max(1.0, paper - overlap);
    if (chart <= paper)
        return {1, step};
    return {1 + int(std::min(1e9, std::ceil((chart - paper) / step))), step};
}

} // namespace

qint64 naturalPageCount(QSize chart, QSizeF paper)
{
    return qint64(pagesAlong(chart.width(), paper.width()).count) * pagesAlong(chart.height(), paper.height()).count;
}

PrintPlan planChartPrint(QSize chart, QSizeF paper, PrintFit fit)
{
    PrintPlan plan;
    const QRectF whole{QPointF(), QSizeF(chart)};
    if (fit == PrintFit::OnePage) {
        plan.scale = std::min({1.0, paper.width() / chart.width(), paper.height() / chart.height()});
        plan.pages.push_back({1, 1, whole});
        return plan;
    }
    const Axis across = pagesAlong(chart.width(), paper.width());
    const Axis down = pagesAlong(chart.height(), paper.height());
    if (qint64(across.count) * down.count > maxPrintedPages)
        return plan;
    for (int row = 0; row < down.count; ++row)
        for (int column = 0; column < across.count; ++column) {
            const QRectF sheet(column * across.step, row * down.step, paper.width(), paper.height());
            plan.pages.push_back({column + 1, row + 1, sheet.intersected(whole)});
        }
    return plan;
}
