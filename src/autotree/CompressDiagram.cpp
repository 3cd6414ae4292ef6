#include "autotree/CompressDiagram.h"

#include "diagram/DiagramRows.h"
#include "store/GenealogyStore.h"

bool RxMemoryData5FilterRecord(const RecordTable& items, RowId row)
{
    return items.integerAt(row, DiagramField::type) != DiagramRowType::Line;
}

std::vector<std::int64_t> compressedPositions(const std::vector<std::int64_t>& xs, int h)
{
    std::vector<std::int64_t> shiftAt(xs.size(), 0);
    if (xs.empty())
        return {};
    std::int64_t anchor = xs.front();
    for (std::size_t i = 1; i < xs.size(); ++i)
        if (xs[i] - anchor > h) {
            shiftAt[i] = xs[i] - anchor - h;
            anchor = xs[i];
        }
    // A trigger moves every box before it, so a box moves by the sum of later triggers.
    std::vector<std::int64_t> out(xs.size());
    std::int64_t later = 0;
    for (std::size_t i = xs.size(); i-- > 0;) {
        out[i] = xs[i] + later;
        later += shiftAt[i];
    }
    return out;
}

void CompressDiagram(RecordTable& items, int h)
{
    ControlsDisabled quiet(items);
    items.setFilterCallback([&items](RowId row) { return RxMemoryData5FilterRecord(items, row); });
    items.setFiltered(true);
    items.sortOnField(DiagramField::x, false, false);
    std::vector<int> boxes;
    std::vector<std::int64_t> xs;
    for (int p = 0; p < items.recordCount(); ++p)
        if (items.isVisible(items.rowAt(p))) {
            boxes.push_back(p);
            xs.push_back(items.integerAt(items.rowAt(p), DiagramField::x));
        }
    const std::vector<std::int64_t> moved = compressedPositions(xs, h);
    for (std::size_t k = 0; k < boxes.size(); ++k) {
        if (moved[k] == xs[k])
            continue;
        items.setCurrentPosition(boxes[k]);
        items.edit();
        items.setValue(DiagramField::x, int(moved[k]));
        items.post();
    }
    items.setFiltered(false);
    sortLinesFirst(items);
}
