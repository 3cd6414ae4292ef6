#include "diagram/DiagramRows.h"

#include "diagram/DiagramIndex.h"
#include "store/GenealogyStore.h"

#include <algorithm>
#include <cstdlib>

void leaveAtEnd(RecordTable& table)
{
    table.last();
    table.next();
}

void insertPersonRow(RecordTable& items, int type, QPoint at, const QString& familyName, const QString& givenNames,
                     int owner, std::optional<bool> checked)
{
    if (checked)
        items.insertRecord({type, at.x(), at.y(), familyName, givenNames, owner, *checked});
    else
        items.insertRecord({type, at.x(), at.y(), familyName, givenNames, owner});
}

void insertLineRow(RecordTable& items, int firstPerson, int secondPerson)
{
    items.insertRecord({DiagramRowType::Line, firstPerson, secondPerson, QString(), QString(), -1, false});
}

int personRowPosition(RecordTable& items, int owner)
{
    for (int p : items.positionsWithInteger(DiagramField::owner, owner))
        if (isPersonRow(items, items.rowAt(p)))
            return p;
    return -1;
}

void PersonRowLookup::refill(const RecordTable& items)
{
    std::vector<Box> boxes;
    for (int p = 0; p < items.recordCount(); ++p) {
        const RowId row = items.rowAt(p);
        if (isPersonRow(items, row))
            boxes.push_back({items.integerAt(row, DiagramField::owner),
                             QPoint(items.integerAt(row, DiagramField::x), items.integerAt(row, DiagramField::y))});
    }
    refill(boxes);
}

void PersonRowLookup::refill(const std::vector<Box>& boxes)
{
    dense_.clear();
    present_.clear();
    sparse_.clear();
    if (boxes.empty())
        return;
    int lowest = boxes.front().owner, highest = lowest;
    for (const Box& box : boxes) {
        lowest = std::min(lowest, box.owner);
        highest = std::max(highest, box.owner);
    }
    const qint64 count = qint64(boxes.size());
    if (qint64(highest) - lowest >= 4 * count + 1024) {
        sparse_.reserve(boxes.size());
        for (const Box& box : boxes)
            sparse_.try_emplace(box.owner, box.at);
        return;
    }
    lowest_ = lowest;
    dense_.assign(std::size_t(qint64(highest) - lowest + 1), QPoint());
    present_.assign(dense_.size(), false);
    for (const Box& box : boxes) {
        const std::size_t i = std::size_t(qint64(box.owner) - lowest_);
        if (!present_[i]) {
            present_[i] = true;
            dense_[i] = box.at;
        }
    }
}

std::optional<QPoint> PersonRowLookup::find(int owner) const
{
    if (!dense_.empty()) {
        const qint64 i = qint64(owner) - lowest_;
        if (i < 0 || i >= qint64(dense_.size()) || !present_[std::size_t(i)])
            return std::nullopt;
        return dense_[std::size_t(i)];
    }
    const auto found = sparse_.find(owner);
    if (found == sparse_.end())
        return std::nullopt;
    return found->second;
}

void sortLinesFirst(RecordTable& items)
{
    items.sortOnField(DiagramField::type, false, true);
}

void RemoveFromDiagram(RecordTable& items, int person)
{
    const int position = personRowPosition(items, person);
    if (position < 0)
        return;
    items.setCurrentPosition(position);
    items.deleteRecord();
    // Lines naming the person at either end, collected first and removed from the back.
    std::vector<int> lines;
    for (int field : {int(DiagramField::x), int(DiagramField::y)})
        for (int p : items.positionsWithInteger(field, person))
            if (isLineRow(items, items.rowAt(p)))
                lines.push_back(p);
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    for (auto p = lines.rbegin(); p != lines.rend(); ++p) {
        items.setCurrentPosition(*p);
        items.deleteRecord();
    }
}

namespace {

// Calls f with each position that may hold a row in area, ascending: the
// index's answer, or every position.
template <typename F>
void forRowsIn(RecordTable& items, DiagramIndex* index, QRect area, F&& f)
{
    if (index)
        if (const std::optional<std::vector<int>> near = index->rowsNear(area)) {
            for (int p : *near)
                f(p);
            return;
        }
    for (int p = 0; p < items.recordCount(); ++p)
        f(p);
}

} // namespace

int PersonAt(RecordTable& items, int x, int y, QSize picture, DiagramIndex* index)
{
    int result = -1;
    const QRect reach(x - 2 * picture.width(), y - 2 * picture.height(), 4 * picture.width() + 1,
                      4 * picture.height() + 1);
    forRowsIn(items, index, reach, [&](int p) {
        const RowId row = items.rowAt(p);
        const int type = items.integerAt(row, DiagramField::type);
        if (type != DiagramRowType::Female && type != DiagramRowType::Male)
            return;
        if (std::abs(x - items.integerAt(row, DiagramField::x)) < 2 * picture.width()
            && std::abs(y - items.integerAt(row, DiagramField::y)) < 2 * picture.height())
            result = items.integerAt(row, DiagramField::owner);
    });
    leaveAtEnd(items);
    return result;
}

namespace {

void insertSelectionOf(const RecordTable& items, RowId row, RecordTable& selection)
{
    selection.insertRecord({items.integerAt(row, DiagramField::owner), items.integerAt(row, DiagramField::x),
                            items.integerAt(row, DiagramField::y), items.integerAt(row, DiagramField::type)});
}

} // namespace

void selectInBand(RecordTable& items, RecordTable& selection, QPoint corner1, QPoint corner2, DiagramIndex* index)
{
    const int left = std::min(corner1.x(), corner2.x()), right = std::max(corner1.x(), corner2.x());
    const int top = std::min(corner1.y(), corner2.y()), bottom = std::max(corner1.y(), corner2.y());
    selection.emptyTable();
    forRowsIn(items, index, QRect(QPoint(left, top), QPoint(right, bottom)), [&](int p) {
        const RowId row = items.rowAt(p);
        if (!isPersonRow(items, row))
            return;
        const int x = items.integerAt(row, DiagramField::x), y = items.integerAt(row, DiagramField::y);
        if (left < x && x < right && top < y && y < bottom)
            insertSelectionOf(items, row, selection);
    });
    leaveAtEnd(items);
}

void selectOnly(RecordTable& items, RecordTable& selection, int owner)
{
    selection.emptyTable();
    const int position = personRowPosition(items, owner);
    if (position >= 0) {
        items.setCurrentPosition(position);
        insertSelectionOf(items, items.rowAt(position), selection);
    }
}
