#include "diagram/DiagramLayout.h"

#include "diagram/DiagramRows.h"
#include "store/GenealogyStore.h"

#include <algorithm>

void movePersonRow(RecordTable& items, int position, int x, int y)
{
    items.setCurrentPosition(position);
    items.setIntegerAt(position, DiagramField::x, x);
    items.setIntegerAt(position, DiagramField::y, y);
}

namespace {

// Calls f(position, x, y) for every person row, in table order.
template <typename F>
void forEachPersonRow(const RecordTable& items, F&& f)
{
    for (int p = 0; p < items.recordCount(); ++p) {
        const RowId row = items.rowAt(p);
        if (isPersonRow(items, row))
            f(p, items.integerAt(row, DiagramField::x), items.integerAt(row, DiagramField::y));
    }
}

} // namespace

void NormaliseDiagram(RecordTable& items, DiagramUnits units, DiagramScroll& scroll)
{
    bool any = false;
    int minX = 0, maxX = 0, minY = 0, maxY = 0;
    forEachPersonRow(items, [&](int, int x, int y) {
        if (!any) {
            minX = maxX = x;
            minY = maxY = y;
            any = true;
        }
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    });
    if (!any)
        return;
    const int dx = 10 * units.h - minX;
    const int dy = 10 * units.v - minY;
    if (dx != 0 || dy != 0) {
        ControlsDisabled quiet(items);
        forEachPersonRow(items, [&](int p, int x, int y) { movePersonRow(items, p, x + dx, y + dy); });
    }
    leaveAtEnd(items);
    scroll.setRanges(10 * units.h + maxX + dx, 10 * units.v + maxY + dy);
    scroll.setHorzPosition(scroll.horzPosition() + dx);
    scroll.setVertPosition(scroll.vertPosition() + dy);
}

void AlignToGrid(RecordTable& items, int stepX, int stepY)
{
    if (stepX <= 0 || stepY <= 0)
        return;
    ControlsDisabled quiet(items);
    forEachPersonRow(items, [&](int p, int x, int y) {
        const int gx = x / stepX * stepX;
        const int gy = y / stepY * stepY;
        if (gx != x || gy != y)
            movePersonRow(items, p, gx, gy);
    });
    leaveAtEnd(items);
}

void clearDiagramTables(GenealogyStore& store, DiagramScroll& scroll)
{
    store.selection.emptyTable();
    store.diagram.emptyTable();
    scroll.setRanges(0, 0);
}
