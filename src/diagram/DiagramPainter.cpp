#include "diagram/DiagramPainter.h"

#include "diagram/DiagramIndex.h"
#include "diagram/DiagramRows.h"
#include "store/GenealogyStore.h"

#include <QFontMetrics>
#include <unordered_set>

namespace {

std::unordered_set<int> selectedOwners(const RecordTable* selection)
{
    std::unordered_set<int> owners;
    if (selection)
        for (int p = 0; p < selection->recordCount(); ++p)
            owners.insert(selection->integerAt(selection->rowAt(p), SelectionField::owner));
    return owners;
}

bool nearVisible(const QRect& visible, int x, int y)
{
    return visible.x() - 100 < x && x < visible.x() + visible.width() + 100 && visible.y() - 100 < y
        && y < visible.y() + visible.height() + 100;
}

QString firstWord(const QString& text)
{
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    return blank < 0 ? text : text.left(blank);
}

// Writes the text with its cell's top left corner at (x - width div 2, top).
void drawCaption(QPainter& painter, const QString& text, int x, int top)
{
    if (text.isEmpty())
        return;
    const QFontMetrics metrics(painter.font());
    const int width = metrics.horizontalAdvance(text);
    painter.drawText(QPoint(x - width / 2, top + metrics.ascent()), text);
}

void drawFrame(QPainter& painter, QPoint at, QSize picture)
{
    const QBrush brush = painter.brush();
    painter.setBrush(Qt::NoBrush);
    // The rectangle's right and bottom edges lie just inside the corner given.
    painter.drawRect(QRect(at.x() - 5, at.y() - 5, picture.width() + 10 - 1, picture.height() + 10 - 1));
    painter.setBrush(brush);
}

void drawPersonRow(QPainter& painter, const RecordTable& items, RowId row, QPoint at, const LegendPictures& pictures,
                   const DiagramSettings& settings, const DiagramPass& pass)
{
    const int type = items.integerAt(row, DiagramField::type);
    if (type == DiagramRowType::Female)
        painter.drawImage(at, pictures.female);
    else if (type == DiagramRowType::Male)
        painter.drawImage(at, pictures.male);
    else if (!pass.captionsOfAnyPersonRow)
        return;
    int offset = pictures.male.height() + 5;
    if (settings.names) {
        drawCaption(painter, items.stringAt(row, DiagramField::fam), at.x(), at.y() + offset);
        offset += captionStep(painter.font());
    }
    if (settings.familyNames) {
        const QString name = items.stringAt(row, DiagramField::name);
        drawCaption(painter, pass.firstWordOfFamilyName ? firstWord(name) : name, at.x(), at.y() + offset);
    }
}

std::optional<QPoint> centreOf(const PersonRowLookup& lookup, int owner, QSize picture)
{
    const std::optional<QPoint> box = lookup.find(owner);
    if (!box)
        return std::nullopt;
    return *box + QPoint(picture.width() / 2, picture.height() / 2);
}

void drawLineRow(QPainter& painter, const RecordTable& items, RowId row, const PersonRowLookup& lookup,
                 QSize picture, bool straight, const DiagramPass& pass)
{
    const auto c1 = centreOf(lookup, items.integerAt(row, DiagramField::x), picture);
    const auto c2 = centreOf(lookup, items.integerAt(row, DiagramField::y), picture);
    if (!c1 || !c2)
        return;
    // Both kinds of line stay inside the box spanned by their two ends.
    if (pass.deviceArea && !QRect(*c1, *c2).normalized().intersects(*pass.deviceArea))
        return;
    const QPoint shift = pass.shift;
    if (straight) {
        painter.drawLine(*c1 + shift, *c2 + shift);
        return;
    }
    const Elbow e = elbowBetween(*c1 + shift, *c2 + shift);
    const QPoint points[] = {e.from, e.turn1, e.turn2, e.to};
    painter.drawPolyline(points, 4);
}

} // namespace

Elbow elbowBetween(QPoint c1, QPoint c2)
{
    const int m = c1.y() + (c2.y() - c1.y()) / 4;
    return {c1, QPoint(c1.x(), m), QPoint(c2.x(), m), c2};
}

void applyCanvas(QPainter& painter, const CanvasState& canvas)
{
    QPen pen(Qt::black, canvas.penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(canvas.brushHollow ? QBrush(Qt::NoBrush) : QBrush(Qt::white));
    painter.setFont(canvas.font);
    painter.setBackground(Qt::white);
    painter.setBackgroundMode(canvas.brushHollow ? Qt::TransparentMode : Qt::OpaqueMode);
}

namespace {

// The rows a pass must look at: those near its areas when the index can tell,
// else every row.
std::optional<std::vector<int>> rowsToLookAt(const DiagramPass& pass, QSize picture)
{
    if (!pass.index || !pass.visible || !pass.deviceArea)
        return std::nullopt;
    // Lines are tested by their ends' centres, the index keeps their boxes' corners.
    const QRect lines = pass.deviceArea->translated(-picture.width() / 2, -picture.height() / 2);
    return pass.index->rowsNear(pass.visible->adjusted(-100, -100, 100, 100).united(lines));
}

} // namespace

void paintDiagramRows(QPainter& painter, const RecordTable& items, const LegendPictures& pictures,
                      const DiagramSettings& settings, const CanvasState& canvas, const DiagramPass& pass)
{
    applyCanvas(painter, canvas);
    DiagramPass margined = pass;
    if (margined.deviceArea)  // room for the pen's width
        margined.deviceArea = margined.deviceArea->adjusted(-canvas.penWidth - 2, -canvas.penWidth - 2,
                                                            canvas.penWidth + 2, canvas.penWidth + 2);
    const QSize picture = pictures.male.size();
    const std::optional<std::vector<int>> near = rowsToLookAt(margined, picture);
    std::optional<PersonRowLookup> own;
    const PersonRowLookup* lookup = near ? pass.index->lookup() : nullptr;
    if (!lookup)
        lookup = &own.emplace(items);
    const std::unordered_set<int> selected = selectedOwners(pass.selection);
    const auto paintRow = [&](int p) {
        const RowId row = items.rowAt(p);
        if (isLineRow(items, row)) {
            drawLineRow(painter, items, row, *lookup, picture, settings.straightLines, margined);
            return;
        }
        const int x = items.integerAt(row, DiagramField::x), y = items.integerAt(row, DiagramField::y);
        if (pass.visible && !nearVisible(*pass.visible, x, y))
            return;
        const QPoint at = QPoint(x, y) + pass.shift;
        drawPersonRow(painter, items, row, at, pictures, settings, pass);
        if (selected.count(items.integerAt(row, DiagramField::owner)))
            drawFrame(painter, at, picture);
    };
    if (near) {
        for (int p : *near)
            paintRow(p);
        return;
    }
    for (int p = 0; p < items.recordCount(); ++p)
        paintRow(p);
}

void DrawGrid(QPainter& painter, DiagramUnits units, QPoint scrollPosition, QSize scrollBoxSize)
{
    const int sx = units.h, sy = units.v;
    if (sx <= 0 || sy <= 0)
        return;
    const int ox = scrollPosition.x() / sx * sx, oy = scrollPosition.y() / sy * sy;
    const int cols = scrollBoxSize.width() / sx, rows = scrollBoxSize.height() / sy;
    if (cols <= 0)
        return;
    const QPen pen = painter.pen();
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    for (int i = 1; i <= cols; ++i)
        for (int j = 1; j <= rows; ++j)
            painter.drawPoint(ox + i * sx, oy + j * sy);
    painter.setPen(pen);
}
