#include "diagram/Stretch.h"

#include "diagram/DiagramLayout.h"
#include "diagram/DiagramRows.h"
#include "store/GenealogyStore.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

int roundedProduct(int value, double factor)
{
    // Half to even in extended precision. rint rounds in the current mode,
    // which is the default one, without the control-word switches that a
    // conversion toward zero costs on every box of a large chart.
    const long double product = std::rint(static_cast<long double>(value) * factor);
    // Converting an out-of-range floating value to int is undefined.
    if (!(product < static_cast<long double>(INT_MAX)))
        return INT_MAX;
    if (!(product > static_cast<long double>(INT_MIN)))
        return INT_MIN;
    return static_cast<int>(static_cast<double>(product));  // already whole
}

bool stretchUnits(DiagramUnits& units, double fx, double fy)
{
    if (!(units.h > 19 && units.v > 35 && units.h < 217 && units.v < 409))
        return false;
    units.h = roundedProduct(units.h, fx);
    units.v = roundedProduct(units.v, fy);
    return true;
}

void stretchRows(RecordTable& items, DiagramUnits units, double fx, double fy)
{
    const int originX = 10 * units.h;
    const int originY = 10 * units.v;
    ControlsDisabled quiet(items);
    for (int p = 0; p < items.recordCount(); ++p) {
        const RowId row = items.rowAt(p);
        if (!isPersonRow(items, row))
            continue;
        const int x = roundedProduct(items.integerAt(row, DiagramField::x) - originX, fx) + originX;
        const int y = roundedProduct(items.integerAt(row, DiagramField::y) - originY, fy) + originY;
        movePersonRow(items, p, x, y);
    }
    leaveAtEnd(items);
}

void stretchAndNormalise(RecordTable& items, DiagramUnits units, double fx, double fy, DiagramScroll& scroll)
{
    const int originX = 10 * units.h;
    const int originY = 10 * units.v;
    struct Moved {
        int position, x, y;
    };
    std::vector<Moved> moved;
    for (int p = 0; p < items.recordCount(); ++p) {
        const RowId row = items.rowAt(p);
        if (isPersonRow(items, row))
            moved.push_back({p, roundedProduct(items.integerAt(row, DiagramField::x) - originX, fx) + originX,
                             roundedProduct(items.integerAt(row, DiagramField::y) - originY, fy) + originY});
    }
    if (moved.empty()) {
        leaveAtEnd(items);
        return;
    }
    int minX = moved[0].x, maxX = minX, minY = moved[0].y, maxY = minY;
    for (const Moved& m : moved) {
        minX = std::min(minX, m.x);
        maxX = std::max(maxX, m.x);
        minY = std::min(minY, m.y);
        maxY = std::max(maxY, m.y);
    }
    const int dx = originX - minX;
    const int dy = originY - minY;
    {
        ControlsDisabled quiet(items);
        for (const Moved& m : moved)
            movePersonRow(items, m.position, m.x + dx, m.y + dy);
    }
    leaveAtEnd(items);
    scroll.setRanges(originX + maxX + dx, originY + maxY + dy);
    scroll.setHorzPosition(scroll.horzPosition() + dx);
    scroll.setVertPosition(scroll.vertPosition() + dy);
}

bool stretchDiagram(RecordTable& items, DiagramUnits& units, double fx, double fy)
{
    if (!stretchUnits(units, fx, fy))
        return false;
    stretchRows(items, units, fx, fy);
    return true;
}

StretchFactors stretchFactors(int axisMode, StretchDirection direction)
{
    const double f = direction == StretchDirection::Enlarge ? 1.1 : 0.9;
    switch (axisMode) {
    case 1:
        return {f, f};
    case 2:
        return {f, 1.0};
    case 3:
        return {1.0, f};
    default:
        return {};
    }
}
