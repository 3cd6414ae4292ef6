#pragma once
#include "diagram/DiagramPainter.h"

#include <QImage>
#include <QSize>
#include <optional>

// The whole diagram as every export draws it: shifted by nine units, sized by
// the scroll ranges less nine units on each side, with whole family names and
// no selection frames. The clipboard bitmap, the image files and the printed
// pages all paint through paintChart.
struct DiagramChart {
    const RecordTable& items;
    const LegendPictures& pictures;
    DiagramSettings settings;
    QFont font;
    QSize scrollRanges;

    QSize size() const;
    QPoint shift() const;
    // Why there is nothing to export, in Russian; nothing when there is a drawing.
    std::optional<QString> emptyRefusal(const QString& whatFor) const;
};

// The size of the whole diagram's picture: the scroll ranges less nine units on each side.
QSize diagramBitmapSize(QSize scrollRanges, DiagramUnits units);

// Paints the part of the chart inside area (chart coordinates, origin at the
// painter's origin) over what the device holds.
void paintChart(QPainter& painter, const DiagramChart& chart, QRect area);

// The area of the chart in colour on white; a null image when memory fails.
QImage renderChartArea(const DiagramChart& chart, QRect area);
