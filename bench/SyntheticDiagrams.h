#pragma once
// Synthetic diagrams for the benchmarks.
#include "diagram/DiagramRows.h"

namespace synthetic {

// Boxes on a grid of this many columns, each joined to the box before it and
// the first to the last: as many lines as boxes.
inline void fillBoxGrid(RecordTable& items, int boxes, int columns)
{
    for (int n = boxes; n >= 1; --n) {
        const int i = n - 1;
        insertPersonRow(items, n % 2 ? 2 : 1, QPoint(850 + (i % columns) * 85, 750 + (i / columns) * 75),
                        QStringLiteral("Петрова"), QStringLiteral("Анна Ивановна"), n);
    }
    for (int n = 2; n <= boxes + 1; ++n)
        insertLineRow(items, n - 1, n <= boxes ? n : 1);
    sortLinesFirst(items);
}

} // namespace synthetic
