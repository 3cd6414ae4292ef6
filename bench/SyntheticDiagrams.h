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

// A full ascending chart of this many generations: person i has the parents
// 2i and 2i + 1 one row higher, the oldest generation side by side one unit
// apart, everyone else centred over their parents' span. 18 generations make
// 262 143 boxes and 262 142 lines.
inline void fillPedigree(RecordTable& items, int generations, int h = 85, int v = 75)
{
    const int persons = (1 << generations) - 1;
    for (int n = persons; n >= 1; --n) {
        int g = 0;
        while ((n >> (g + 1)) != 0)
            ++g;
        const int k = n - (1 << g);
        const qint64 span = qint64(h) << (generations - 1 - g);
        const QPoint at(int(10 * h + k * span + span / 2), 10 * v + (generations - 1 - g) * v);
        insertPersonRow(items, n % 2 ? 1 : 2, at, QStringLiteral("Фамилия%1").arg(n), QStringLiteral("Имя Отчество"),
                        n);
    }
    for (int n = 2; n <= persons; ++n)
        insertLineRow(items, n / 2, n);
    sortLinesFirst(items);
}

} // namespace synthetic
