#include "autotree/DiagramDraft.h"

#include "autotree/CompressDiagram.h"
#include "autotree/PersonCursor.h"
#include "diagram/DiagramLayout.h"
#include "diagram/DiagramRows.h"
#include "store/GenealogyStore.h"

#include <algorithm>

DiagramDraft::DiagramDraft(const RecordTable& items)
{
    const int n = items.recordCount();
    rows_.reserve(std::size_t(n));
    for (int p = 0; p < n; ++p) {
        const RowId row = items.rowAt(p);
        rows_.push_back(Row{items.integerAt(row, DiagramField::type), items.integerAt(row, DiagramField::x),
                            items.integerAt(row, DiagramField::y), items.integerAt(row, DiagramField::owner), noRow,
                            row, items.creationNumber(row)});
        nextCreation_ = std::max(nextCreation_, items.creationNumber(row) + 1);
        prev_.push_back(p - 1);
        next_.push_back(p + 1 < n ? p + 1 : none);
    }
    head_ = n > 0 ? 0 : none;
    cursor_ = n > 0 ? items.currentPosition() : none;
    ownersStale_ = true;
}

void DiagramDraft::add(Row row)
{
    const int index = int(rows_.size());
    rows_.push_back(row);
    prev_.push_back(none);
    next_.push_back(none);
    if (cursor_ == none) {
        head_ = index;  // only an empty table has no current row
    } else {
        const int before = prev_[std::size_t(cursor_)];
        prev_[std::size_t(index)] = before;
        next_[std::size_t(index)] = cursor_;
        prev_[std::size_t(cursor_)] = index;
        if (before == none)
            head_ = index;
        else
            next_[std::size_t(before)] = index;
    }
    cursor_ = index;
    if (!ownersStale_ && row.owner != -1 && !firstOfOwner_.try_emplace(row.owner, index).second)
        ownersStale_ = true;  // which of the two comes first is a question of order
}

void DiagramDraft::insertPerson(int type, std::int64_t x, std::int64_t y, const PersonCursor& captions, int owner)
{
    add(Row{type, x, y, owner, captions.valid() ? captions.row() : noRow, noRow, nextCreation_++});
}

void DiagramDraft::insertLine(int first, int second)
{
    add(Row{DiagramRowType::Line, first, second, -1, noRow, noRow, nextCreation_++});
}

std::vector<int> DiagramDraft::order() const
{
    std::vector<int> out;
    out.reserve(rows_.size());
    for (int i = head_; i != none; i = next_[std::size_t(i)])
        out.push_back(i);
    return out;
}

void DiagramDraft::relink(const std::vector<int>& order)
{
    head_ = order.empty() ? none : order.front();
    for (std::size_t k = 0; k < order.size(); ++k) {
        prev_[std::size_t(order[k])] = k == 0 ? none : order[k - 1];
        next_[std::size_t(order[k])] = k + 1 == order.size() ? none : order[k + 1];
    }
    ownersStale_ = true;
}

void DiagramDraft::indexOwners()
{
    firstOfOwner_.clear();
    for (int i = head_; i != none; i = next_[std::size_t(i)])
        if (rows_[std::size_t(i)].owner != -1)
            firstOfOwner_.try_emplace(rows_[std::size_t(i)].owner, i);
    ownersStale_ = false;
}

bool DiagramDraft::locateOwner(int owner)
{
    int found = none;
    if (owner == -1) {
        // Line rows share this owner; rare enough to search in order.
        for (int i = head_; i != none && found == none; i = next_[std::size_t(i)])
            if (rows_[std::size_t(i)].owner == owner)
                found = i;
    } else {
        if (ownersStale_)
            indexOwners();
        if (auto it = firstOfOwner_.find(owner); it != firstOfOwner_.end())
            found = it->second;
    }
    if (found == none)
        return false;
    cursor_ = found;
    return true;
}

void DiagramDraft::sortLinesFirst()
{
    std::vector<int> sorted = order();
    std::sort(sorted.begin(), sorted.end(), [this](int a, int b) {
        const Row &ra = rows_[std::size_t(a)], &rb = rows_[std::size_t(b)];
        return std::tie(rb.type, rb.creation) < std::tie(ra.type, ra.creation);
    });
    relink(sorted);
}

void DiagramDraft::compress(int h)
{
    std::vector<int> byX = order();
    if (byX.empty())
        return;
    std::sort(byX.begin(), byX.end(), [this](int a, int b) {
        const Row &ra = rows_[std::size_t(a)], &rb = rows_[std::size_t(b)];
        return std::tie(ra.x, ra.creation) < std::tie(rb.x, rb.creation);
    });
    std::vector<int> boxes;
    std::vector<std::int64_t> xs;
    for (int i : byX)
        if (rows_[std::size_t(i)].type != DiagramRowType::Line) {
            boxes.push_back(i);
            xs.push_back(rows_[std::size_t(i)].x);
        }
    const std::vector<std::int64_t> moved = compressedPositions(xs, h);
    for (std::size_t k = 0; k < boxes.size(); ++k)
        rows_[std::size_t(boxes[k])].x = moved[k];
    // Switching the filter off puts the cursor on the first row in x order.
    cursor_ = byX.front();
    relink(byX);
    sortLinesFirst();
}

DiagramDraft::Bounds DiagramDraft::personBounds() const
{
    Bounds b;
    for (const Row& row : rows_) {
        if (row.type == DiagramRowType::Line)
            continue;
        if (!b.any) {
            b = Bounds{row.x, row.x, row.y, row.y, true};
            continue;
        }
        b.minX = std::min(b.minX, row.x);
        b.maxX = std::max(b.maxX, row.x);
        b.minY = std::min(b.minY, row.y);
        b.maxY = std::max(b.maxY, row.y);
    }
    return b;
}

void DiagramDraft::commit(RecordTable& items, const RecordTable& persons) const
{
    ControlsDisabled quiet(items);
    std::vector<RowId> rowOf(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const Row& r = rows_[i];
        if (r.existing != noRow) {
            rowOf[i] = r.existing;
            continue;
        }
        if (r.type == DiagramRowType::Line) {
            insertLineRow(items, int(r.x), int(r.y));
        } else {
            const bool known = r.caption != noRow;
            const QString fam = known ? persons.stringAt(r.caption, PersonField::fam) : QString();
            const QString given = (known ? persons.stringAt(r.caption, PersonField::name) : QString())
                + QLatin1Char(' ') + (known ? persons.stringAt(r.caption, PersonField::surname) : QString());
            insertPersonRow(items, r.type, QPoint(int(r.x), int(r.y)), fam, given, r.owner);
        }
        rowOf[i] = items.currentRow();
    }
    const std::vector<int> wanted = order();
    bool inPlace = true;
    for (std::size_t p = 0; p < wanted.size() && inPlace; ++p)
        inPlace = items.rowAt(int(p)) == rowOf[std::size_t(wanted[p])];
    if (!inPlace) {
        // Ranks written into x and sorted on give the draft's order; the real x follows.
        std::vector<int> rankOf(*std::max_element(rowOf.begin(), rowOf.end()) + 1, 0);
        for (std::size_t p = 0; p < wanted.size(); ++p)
            rankOf[rowOf[std::size_t(wanted[p])]] = int(p);
        for (int p = 0; p < items.recordCount(); ++p) {
            items.setCurrentPosition(p);
            items.edit();
            items.setValue(DiagramField::x, rankOf[items.rowAt(p)]);
            items.post();
        }
        items.sortOnField(DiagramField::x, false, false);
    }
    int cursorPosition = 0;
    for (std::size_t p = 0; p < wanted.size(); ++p) {
        const int i = wanted[p];
        const Row& r = rows_[std::size_t(i)];
        const RowId row = items.rowAt(int(p));
        if (items.integerAt(row, DiagramField::x) != r.x || items.integerAt(row, DiagramField::y) != r.y)
            movePersonRow(items, int(p), int(r.x), int(r.y));
        if (i == cursor_)
            cursorPosition = int(p);
    }
    if (!wanted.empty())
        items.setCurrentPosition(cursorPosition);
}
