#pragma once
#include "diagram/DiagramSettings.h"
#include "diagram/LegendPictures.h"
#include "store/RecordTable.h"

#include <QPainter>
#include <QRect>
#include <optional>

class DiagramIndex;

// The view draws only near its visible part, with frames and first words;
// the export draws everything, shifted, with whole family names.
struct DiagramPass {
    std::optional<QRect> visible;      // hp, vp, client width and height; none for the export
    QPoint shift;                      // added to every diagram position
    const RecordTable* selection = nullptr;  // frames for these owners, if given
    bool firstWordOfFamilyName = true;
    bool captionsOfAnyPersonRow = true;  // the view writes captions for every row but lines
    // Where the painter's device lies, in diagram coordinates: lines wholly
    // outside it would be clipped anyway, and are not stroked at all.
    std::optional<QRect> deviceArea;
    // The table's index, when the caller keeps one: a pass with both areas
    // then looks only at the rows near them.
    DiagramIndex* index = nullptr;
};

// Draws the rows of the diagram items table in table order over what the
// painter already holds. The painter's pen, brush and font are the canvas's.
void paintDiagramRows(QPainter& painter, const RecordTable& items, const LegendPictures& pictures,
                      const DiagramSettings& settings, const CanvasState& canvas, const DiagramPass& pass);

// Grey dots at multiples of the units over the visible part of the scroll box.
void DrawGrid(QPainter& painter, DiagramUnits units, QPoint scrollPosition, QSize scrollBoxSize);

// Sets up a painter as the canvas: black pen of the canvas width, white brush
// (hollow while banding), the canvas font, text on white cells.
void applyCanvas(QPainter& painter, const CanvasState& canvas);

// The three points of a style No. 2 line between two box centres.
struct Elbow {
    QPoint from, turn1, turn2, to;
};
Elbow elbowBetween(QPoint c1, QPoint c2);
