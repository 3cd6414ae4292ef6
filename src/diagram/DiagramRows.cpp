#include "diagram/DiagramRows.h"

#include "store/GenealogyStore.h"

#include <algorithm>
#include <cstdlib>

bool isPersonRow(const RecordTable& items, RowId row)
{
    return items.integerAt(row, DiagramField::type) != DiagramRowType::Line;
}

bool isLineRow(const RecordTable& items, RowId row)
{
    return items.integerAt(row, DiagramField::type) == DiagramRowType::Line;
}

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

PersonRowLookup::PersonRowLookup(const RecordTable& items)
{
    first_.reserve(std::size_t(items.recordCount()));
    for (int p = 0; p < items.recordCount(); ++p) {
        const RowId row = items.rowAt(p);
        if (isPersonRow(items, row))
            first_.try_emplace(items.integerAt(row, DiagramField::owner), items.integerAt(row, DiagramField::x),
                               items.integerAt(row, DiagramField::y));
    }
}

std::optional<QPoint> PersonRowLookup::find(int owner) const
{
    const auto found = first_.find(owner);
    if (found == first_.end())
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

int PersonAt(RecordTable& items, int x, int y, QSize picture)
{
    int result = -1;
    for (int p = 0; p < items.recordCount(); ++p) {
        const RowId row = items.rowAt(p);
        const int type = items.integerAt(row, DiagramField::type);
        if (type != DiagramRowType::Female && type != DiagramRowType::Male)
            continue;
        if (std::abs(x - items.integerAt(row, DiagramField::x)) < 2 * picture.width()
            && std::abs(y - items.integerAt(row, DiagramField::y)) < 2 * picture.height())
            result = items.integerAt(row, DiagramField::owner);
    }
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

void selectInBand(RecordTable& items, RecordTable& selection, QPoint corner1, QPoint corner2)
{
    const int left = std::min(corner1.x(), corner2.x()), right = std::max(corner1.x(), corner2.x());
    const int top = std::min(corner1.y(), corner2.y()), bottom = std::max(corner1.y(), corner2.y());
    selection.emptyTable();
    for (int p = 0; p < items.recordCount(); ++p) {
        const RowId row = items.rowAt(p);
        if (!isPersonRow(items, row))
            continue;
        const int x = items.integerAt(row, DiagramField::x), y = items.integerAt(row, DiagramField::y);
        if (left < x && x < right && top < y && y < bottom)
            insertSelectionOf(items, row, selection);
    }
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
