#include "diagram/Stretch.h"

#include "diagram/DiagramLayout.h"
#include "diagram/DiagramRows.h"
#include "store/GenealogyStore.h"

#include <climits>
#include <cmath>

int roundedProduct(int value, double factor)
{
    const long double product = std::nearbyint(static_cast<long double>(value) * factor);
    // Converting an out-of-range floating value to int is undefined.
    if (!(product < static_cast<long double>(INT_MAX)))
        return INT_MAX;
    if (!(product > static_cast<long double>(INT_MIN)))
        return INT_MIN;
    return static_cast<int>(product);
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
