#include "export/DiagramChart.h"

namespace {

// Denser grids are a grey fill, and would take minutes of single dots.
constexpr qint64 maxGridDots = 4'000'000;

void paintGrid(QPainter& painter, const DiagramChart& chart, QRect area)
{
    const DiagramUnits units = chart.settings.units;
    if (units.h <= 0 || units.v <= 0 || qint64(area.width() / units.h) * (area.height() / units.v) > maxGridDots)
        return;
    painter.save();
    painter.translate(chart.shift());
    DrawGrid(painter, units, area.topLeft() - chart.shift(), area.size());
    painter.restore();
}

} // namespace

QSize diagramBitmapSize(QSize scrollRanges, DiagramUnits units)
{
    return {scrollRanges.width() - 18 * units.h, scrollRanges.height() - 18 * units.v};
}

QSize DiagramChart::size() const
{
    return diagramBitmapSize(scrollRanges, settings.units);
}

QPoint DiagramChart::shift() const
{
    return {-9 * settings.units.h, -9 * settings.units.v};
}

std::optional<QString> DiagramChart::emptyRefusal(const QString& whatFor) const
{
    if (size().width() <= 0 || size().height() <= 0 || items.isEmpty())
        return QStringLiteral("Диаграмма пуста: нечего %1").arg(whatFor);
    return std::nullopt;
}

void paintChart(QPainter& painter, const DiagramChart& chart, QRect area)
{
    CanvasState canvas;
    canvas.penWidth = chart.settings.lineWidth;
    canvas.font = chart.font;
    // Hard-edged letters: the one-bit bitmap thresholds this very drawing.
    canvas.font.setStyleStrategy(QFont::NoAntialias);
    applyCanvas(painter, canvas);
    if (chart.settings.grid)
        paintGrid(painter, chart, area);
    DiagramPass pass;
    pass.shift = chart.shift();
    pass.firstWordOfFamilyName = false;
    pass.captionsOfAnyPersonRow = false;
    pass.deviceArea = area.translated(-pass.shift);
    paintDiagramRows(painter, chart.items, chart.pictures, chart.settings, canvas, pass);
}

QImage renderChartArea(const DiagramChart& chart, QRect area)
{
    QImage image(area.size(), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(-area.topLeft());
    paintChart(painter, chart, area);
    return image;
}
