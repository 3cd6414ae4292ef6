// Locating, sorting and the integer indexes of a record table.
#include "store/RecordTable.h"

#include "store/Collation.h"

#include <algorithm>

void RecordTable::releaseRow(RowId row)
{
    indexRemove(row);
    for (int f = 0; f < fieldCount(); ++f)
        storeCell(row, f, std::monostate{});
    creation_[row] = 0;  // marks the row as absent
    freeRows_.push_back(row);
}

// A calculated field matches what reading it gives, like any other field.
bool RecordTable::cellMatches(RowId row, int field, const Cell& wanted) const
{
    switch (fields_[std::size_t(field)].kind) {
    case FieldKind::CalcString: {
        const QString text = stringAt(row, field);
        return std::holds_alternative<std::monostate>(wanted) ? text.isEmpty() : Cell(text) == wanted;
    }
    case FieldKind::CalcBoolean:
        return wanted == Cell(false);
    default: {
        const PackedCell& c = cells_.at(row, field);
        switch (c.kind) {
        case PackedCell::Integer: {
            auto i = std::get_if<std::int32_t>(&wanted);
            return i && *i == std::int32_t(c.value);
        }
        case PackedCell::Boolean: {
            auto b = std::get_if<bool>(&wanted);
            return b && *b == (c.value != 0);
        }
        case PackedCell::Text: {
            auto t = std::get_if<QString>(&wanted);
            return t && *t == texts_.text(c.value);
        }
        default:
            return std::holds_alternative<std::monostate>(wanted);
        }
    }
    }
}

bool RecordTable::rowMatches(RowId row, const std::vector<int>& fields, const std::vector<Cell>& values) const
{
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (!cellMatches(row, fields[i], values[i]))
            return false;
    return true;
}

// The value a locate compares with: a calculated field reads as a text or a Boolean.
static Cell wantedFor(const FieldValue& value, FieldKind kind)
{
    if (kind == FieldKind::CalcString)
        return value.convertedFor(FieldKind::String, 0);
    if (kind == FieldKind::CalcBoolean)
        return value.convertedFor(FieldKind::Boolean, 0);
    return value.convertedFor(kind, 0);
}

bool RecordTable::locate(const std::vector<int>& fieldIndices, const std::vector<FieldValue>& values)
{
    if (fieldIndices.empty() || fieldIndices.size() != values.size())
        return false;
    std::vector<Cell> wanted;
    wanted.reserve(values.size());
    for (std::size_t i = 0; i < fieldIndices.size(); ++i) {
        const int f = fieldIndices[i];
        if (f < 0 || f >= fieldCount())
            return false;
        wanted.push_back(wantedFor(values[i], fields_[std::size_t(f)].kind));
    }
    const bool filtering = hasActiveFilter();
    const int n = recordCount();
    if (fieldIndices.size() == 1 && std::holds_alternative<std::int32_t>(wanted[0]))
        return locateInteger(fieldIndices[0], std::get<std::int32_t>(wanted[0]));
    for (int p = 0; p < n; ++p) {
        const RowId row = order_[std::size_t(p)];
        if (rowMatches(row, fieldIndices, wanted) && (!filtering || filter_(row))) {
            eof_ = false;
            moveCursor(p);
            return true;
        }
    }
    return false;
}

bool RecordTable::locate(int field, const FieldValue& value)
{
    return locate(std::vector<int>{field}, std::vector<FieldValue>{value});
}

bool RecordTable::locate(QStringView fieldNames, std::initializer_list<FieldValue> values)
{
    std::vector<int> indices;
    for (QStringView name : fieldNames.split(QLatin1Char(';')))
        indices.push_back(fieldIndex(name.trimmed()));
    return locate(indices, std::vector<FieldValue>(values));
}

void RecordTable::sortOnFields(QStringView fieldName, bool caseInsensitive, bool descending)
{
    const int f = fieldIndex(fieldName);
    if (f >= 0)
        sortOnField(f, caseInsensitive, descending);
}

void RecordTable::sortOnField(int field, bool caseInsensitive, bool descending)
{
    if (field < 0 || field >= fieldCount() || order_.empty())
        return;
    struct SortKey {
        bool present;
        std::int64_t value;
        std::uint64_t creation;
        RowId row;
    };
    const std::vector<RowId> rows = order_.toVector();
    std::vector<SortKey> keys(rows.size());
    const FieldKind kind = fields_[std::size_t(field)].kind;
    if (kind == FieldKind::String || kind == FieldKind::Memo) {
        // Each distinct text is ranked once, however many rows hold it.
        std::vector<int> slotOfHandle(texts_.handleLimit(), -1);
        std::vector<const QString*> texts;
        for (RowId row : rows)
            if (const PackedCell& c = cells_.at(row, field); c.kind == PackedCell::Text && slotOfHandle[c.value] < 0) {
                slotOfHandle[c.value] = int(texts.size());
                texts.push_back(&texts_.text(c.value));
            }
        const std::vector<int> ranks = rankRussian(texts, caseInsensitive);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const PackedCell& c = cells_.at(rows[i], field);
            const int rank = c.kind == PackedCell::Text ? ranks[std::size_t(slotOfHandle[c.value])] : 0;
            keys[i] = {c.kind != PackedCell::Null, rank, creation_[rows[i]], rows[i]};
        }
    } else {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const bool present = !isCalculated(kind) && !isNullAt(rows[i], field);
            keys[i] = {present, present ? integerAt(rows[i], field) : 0, creation_[rows[i]], rows[i]};
        }
    }
    auto less = [descending](const SortKey& a, const SortKey& b) {
        auto tie = [](const SortKey& k) { return std::tie(k.present, k.value, k.creation); };
        return descending ? tie(b) < tie(a) : tie(a) < tie(b);
    };
    std::sort(keys.begin(), keys.end(), less);

    const RowId wasCurrent = current_ >= 0 ? currentRow() : 0;
    std::vector<RowId> sorted(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        sorted[i] = keys[i].row;
        if (current_ >= 0 && sorted[i] == wasCurrent)
            current_ = int(i);
    }
    lastSort_ = {field, caseInsensitive, descending};
    if (TableChanges* changes = recording(true))
        changes->orderReplacing(rows);
    else
        orderEpoch_ = freshEpoch();
    order_.assign(std::move(sorted));
    orderChanged();
    notifyReset();
    notifyCursor();
}

IntegerIndex& RecordTable::integerIndex(int field)
{
    if (indexes_.size() < fields_.size())
        indexes_.resize(fields_.size());
    std::unique_ptr<IntegerIndex>& index = indexes_[std::size_t(field)];
    if (!index) {
        index = std::make_unique<IntegerIndex>();
        index->reserve(order_.size());
        order_.forEachFrom(0, [&](std::size_t, RowId row) {
            if (const PackedCell& c = cells_.at(row, field); c.kind == PackedCell::Integer)
                index->add(std::int32_t(c.value), row);
            return true;
        });
    }
    return *index;
}

void RecordTable::indexAdd(RowId row)
{
    for (std::size_t f = 0; f < indexes_.size(); ++f)
        if (indexes_[f])
            if (const PackedCell& c = cells_.at(row, int(f)); c.kind == PackedCell::Integer)
                indexes_[f]->add(std::int32_t(c.value), row);
}

void RecordTable::indexRemove(RowId row)
{
    for (std::size_t f = 0; f < indexes_.size(); ++f)
        if (indexes_[f])
            if (const PackedCell& c = cells_.at(row, int(f)); c.kind == PackedCell::Integer)
                indexes_[f]->remove(std::int32_t(c.value), row);
}

int RecordTable::positionOfRow(RowId row) const
{
    // Right after a change of order a direct search is cheaper than a rebuild;
    // once several searches meet the same order, the table is worth rebuilding.
    if (positionsStale_ && ++staleSearches_ < 8) {
        int found = -1;
        order_.forEachFrom(0, [&](std::size_t position, RowId r) {
            if (r != row)
                return true;
            found = int(position);
            return false;
        });
        return found;
    }
    if (positionsStale_) {
        positions_.assign(creation_.size(), -1);
        order_.forEachFrom(0, [this](std::size_t position, RowId r) {
            positions_[r] = int(position);
            return true;
        });
        positionsStale_ = false;
    }
    return positions_[row];
}

bool RecordTable::locateInteger(int field, std::int32_t value)
{
    const bool filtering = hasActiveFilter();
    int best = -1;
    integerIndex(field).forEachRowWith(value, [&](RowId row) {
        const int position = positionOfRow(row);
        if ((best < 0 || position < best) && (!filtering || filter_(row)))
            best = position;
    });
    if (best < 0)
        return false;
    eof_ = false;
    moveCursor(best);
    return true;
}

std::vector<int> RecordTable::positionsWithInteger(int field, std::int32_t value)
{
    std::vector<int> positions;
    if (field < 0 || field >= fieldCount())
        return positions;
    const bool filtering = hasActiveFilter();
    integerIndex(field).forEachRowWith(value, [&](RowId row) {
        if (!filtering || filter_(row))
            positions.push_back(positionOfRow(row));
    });
    std::sort(positions.begin(), positions.end());
    return positions;
}
