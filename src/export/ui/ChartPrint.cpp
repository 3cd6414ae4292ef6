#include "export/ui/ChartPrint.h"

#include <QPrinter>

namespace {

void paintPage(QPainter& painter, const DiagramChart& chart, const ChartPage& page, double devicePerChartPixel)
{
    painter.save();
    // The legend pictures are small bitmaps: filtered, their thin lines survive any scale.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(devicePerChartPixel, devicePerChartPixel);
    painter.translate(-page.source.topLeft());
    painter.setClipRect(page.source);
    paintChart(painter, chart, page.source.toAlignedRect());
    painter.restore();
}

void markPage(QPainter& painter, const ChartPage& page, const QRect& paper)
{
    painter.save();
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(7);
    painter.setFont(font);
    const QString mark = QStringLiteral("столбец/строка %1/%2").arg(page.column).arg(page.row);
    QRect box = painter.fontMetrics().boundingRect(mark).adjusted(-4, -2, 4, 2);
    box.moveBottomRight(QPoint(paper.width() - 1, paper.height() - 1));
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(box);
    painter.drawText(box, Qt::AlignCenter, mark);
    painter.restore();
}

void paintTooManyPages(QPainter& painter, qint64 pages, const QRect& paper)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(12);
    painter.setFont(font);
    painter.drawText(paper, Qt::AlignCenter | Qt::TextWordWrap,
                     QStringLiteral("В натуральную величину диаграмма займёт %1 страниц — больше %2.\n"
                                    "Выберите «На одну страницу» или сохраните изображение в PDF.")
                         .arg(pages)
                         .arg(maxPrintedPages));
}

} // namespace

void printChart(QPrinter& printer, const DiagramChart& chart, PrintFit fit)
{
    const QSizeF paperPoints = printer.pageLayout().paintRect(QPageLayout::Point).size();
    const QRect paper(QPoint(), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    const PrintPlan plan = planChartPrint(chart.size(), paperPoints, fit);
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    if (plan.pages.empty()) {
        paintTooManyPages(painter, naturalPageCount(chart.size(), paperPoints), paper);
        return;
    }
    const double devicePerChartPixel = printer.resolution() / 72.0 * plan.scale;
    for (std::size_t i = 0; i < plan.pages.size(); ++i) {
        if (i > 0)
            printer.newPage();
        paintPage(painter, chart, plan.pages[i], devicePerChartPixel);
        if (fit == PrintFit::NaturalSize)
            markPage(painter, plan.pages[i], paper);
    }
}
