#pragma once
#include "store/RecordTable.h"

#include <cstdint>
#include <vector>

// Filter of the diagram items table (RxMemoryData5): hides line rows.
bool RxMemoryData5FilterRecord(const RecordTable& items, RowId row);

// Closes horizontal gaps wider than h between person boxes by moving boxes to
// the right; leaves the table unfiltered, sorted lines first, and current on
// the row that came first in x order.
void CompressDiagram(RecordTable& items, int h);

// The compression on the x of the boxes in x order: a box more than h to the
// right of the anchor moves every box before it by the excess and becomes the
// anchor. One pass; results stay between the smallest and the largest x.
std::vector<std::int64_t> compressedPositions(const std::vector<std::int64_t>& xs, int h);
