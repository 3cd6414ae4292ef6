#include "store/RecordTable.h"

#include "store/Collation.h"

#include <QStringList>
#include <algorithm>
#include <cassert>

RecordTable::RecordTable(QString tableName, std::vector<FieldDef> fields)
    : name_(std::move(tableName)), fields_(std::move(fields)), displayCallbacks_(fields_.size()),
      cells_(fields_.size())
{
}

int RecordTable::fieldIndex(QStringView name) const
{
    for (int i = 0; i < fieldCount(); ++i)
        if (fields_[std::size_t(i)].name == name)
            return i;
    return -1;
}

int RecordTable::field(QStringView name) const
{
    const int index = fieldIndex(name);
    assert(index >= 0 && "unknown field");
    return index;
}

RowId RecordTable::allocateRow()
{
    RowId row;
    if (!freeRows_.empty()) {
        row = freeRows_.back();
        freeRows_.pop_back();
    } else {
        row = RowId(creation_.size());
        creation_.push_back(0);
        cells_.addRow(row);
    }
    creation_[row] = ++creationCounter_;
    return row;
}

void RecordTable::releaseRow(RowId row)
{
    indexRemove(row);
    for (int f = 0; f < fieldCount(); ++f)
        cellRef(row, f) = std::monostate{};
    freeRows_.push_back(row);
}

void RecordTable::insertRecord(std::initializer_list<FieldValue> values)
{
    insertValues(values.begin(), values.size());
}

void RecordTable::insertRecord(const std::vector<FieldValue>& values)
{
    insertValues(values.data(), values.size());
}

void RecordTable::insertValues(const FieldValue* values, std::size_t size)
{
    const RowId row = allocateRow();
    const std::size_t count = std::min(size, fields_.size());
    for (std::size_t f = 0; f < count; ++f)
        cellRef(row, int(f)) = values[f].convertedFor(fields_[f].kind, fields_[f].size);
    indexAdd(row);
    const int position = current_ < 0 ? recordCount() : current_;
    order_.insert(std::size_t(position), row);
    orderChanged();
    current_ = position;
    eof_ = false;
    state_ = State::Browse;
    notifyReset();
    notifyCursor();
}

void RecordTable::edit()
{
    if (current_ >= 0)
        state_ = State::Edit;
}

void RecordTable::post()
{
    if (state_ == State::Browse)
        return;
    state_ = State::Browse;
    if (current_ >= 0)
        notifyRowChanged(current_);
}

void RecordTable::setValue(int field, const FieldValue& value)
{
    if (current_ < 0 || field < 0 || field >= fieldCount())
        return;
    const FieldDef& def = fields_[std::size_t(field)];
    indexRemove(currentRow());
    cellRef(currentRow(), field) = value.convertedFor(def.kind, def.size);
    indexAdd(currentRow());
    if (state_ == State::Browse)
        notifyRowChanged(current_);
}

void RecordTable::deleteRecord()
{
    if (current_ < 0)
        return;
    releaseRow(currentRow());
    order_.erase(std::size_t(current_));
    orderChanged();
    state_ = State::Browse;
    if (order_.empty()) {
        current_ = -1;
        eof_ = true;
    } else {
        int position = std::min(current_, recordCount() - 1);
        const int visible = nextVisibleFrom(position);
        if (visible >= 0)
            position = visible;
        else if (const int before = priorVisibleFrom(position); before >= 0)
            position = before;
        current_ = position;
        eof_ = false;
    }
    notifyReset();
    notifyCursor();
}

void RecordTable::emptyTable()
{
    cells_.clear();
    creation_.clear();
    freeRows_.clear();
    order_.clear();
    orderChanged();
    for (auto& index : indexes_)
        index.reset();
    current_ = -1;
    eof_ = true;
    state_ = State::Browse;
    notifyReset();
    notifyCursor();
}

int RecordTable::asInteger(int field) const
{
    return current_ < 0 ? 0 : integerAt(currentRow(), field);
}

QString RecordTable::asString(int field) const
{
    return current_ < 0 ? QString() : stringAt(currentRow(), field);
}

bool RecordTable::asBoolean(int field) const
{
    return current_ < 0 ? false : booleanAt(currentRow(), field);
}

bool RecordTable::isNull(int field) const
{
    return current_ < 0 ? true : isNullAt(currentRow(), field);
}

QString RecordTable::displayText(int field) const
{
    return current_ < 0 ? QString() : displayTextAt(currentRow(), field);
}

int RecordTable::convertedInteger(const Cell& c)
{
    if (auto b = std::get_if<bool>(&c))
        return *b ? 1 : 0;
    if (auto s = std::get_if<QString>(&c))
        return s->toInt();
    return 0;
}

QString RecordTable::stringAt(RowId row, int field) const
{
    const FieldDef& def = fields_[std::size_t(field)];
    if (def.kind == FieldKind::CalcString)
        return displayTextAt(row, field);
    const Cell& c = cellAt(row, field);
    if (auto s = std::get_if<QString>(&c))
        return *s;
    if (auto i = std::get_if<std::int32_t>(&c))
        return QString::number(*i);
    if (auto b = std::get_if<bool>(&c))
        return *b ? QStringLiteral("True") : QStringLiteral("False");
    return QString();
}

bool RecordTable::booleanAt(RowId row, int field) const
{
    const Cell& c = cellAt(row, field);
    if (auto b = std::get_if<bool>(&c))
        return *b;
    if (auto i = std::get_if<std::int32_t>(&c))
        return *i != 0;
    return false;
}

bool RecordTable::isNullAt(RowId row, int field) const
{
    return std::holds_alternative<std::monostate>(cellAt(row, field));
}

QString RecordTable::displayTextAt(RowId row, int field) const
{
    const FieldDef& def = fields_[std::size_t(field)];
    switch (def.kind) {
    case FieldKind::CalcString: {
        const auto& callback = displayCallbacks_[std::size_t(field)];
        return callback ? callback(row) : QString();
    }
    case FieldKind::CalcBoolean:
        return QString();
    case FieldKind::Boolean: {
        const Cell& c = cellAt(row, field);
        if (std::holds_alternative<std::monostate>(c))
            return QString();
        const bool value = std::get<bool>(c);
        if (def.boolTexts.isEmpty())
            return value ? QStringLiteral("True") : QStringLiteral("False");
        const QStringList texts = def.boolTexts.split(QLatin1Char(';'));
        return value ? texts.value(0) : texts.value(1);
    }
    default:
        return stringAt(row, field);
    }
}

int RecordTable::nextVisibleFrom(int position) const
{
    for (int p = std::max(position, 0); p < recordCount(); ++p)
        if (isVisible(order_[std::size_t(p)]))
            return p;
    return -1;
}

int RecordTable::priorVisibleFrom(int position) const
{
    for (int p = std::min(position, recordCount() - 1); p >= 0; --p)
        if (isVisible(order_[std::size_t(p)]))
            return p;
    return -1;
}

void RecordTable::moveCursor(int position)
{
    if (position == current_)
        return;
    current_ = position;
    notifyCursor();
}

void RecordTable::first()
{
    const int p = nextVisibleFrom(0);
    if (p < 0) {
        eof_ = true;
        return;
    }
    eof_ = false;
    moveCursor(p);
}

void RecordTable::last()
{
    const int p = priorVisibleFrom(recordCount() - 1);
    if (p < 0)
        return;
    eof_ = false;
    moveCursor(p);
}

void RecordTable::next()
{
    if (current_ < 0)
        return;
    const int p = nextVisibleFrom(current_ + 1);
    if (p < 0) {
        eof_ = true;
        return;
    }
    moveCursor(p);
}

void RecordTable::prior()
{
    if (current_ < 0)
        return;
    eof_ = false;
    const int p = priorVisibleFrom(current_ - 1);
    if (p >= 0)
        moveCursor(p);
}

void RecordTable::setRecNo(int n)
{
    if (n < 1 || n > recordCount())
        return;
    eof_ = false;
    moveCursor(n - 1);
}

void RecordTable::setCurrentPosition(int position)
{
    setRecNo(position + 1);
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
    default:
        return cellAt(row, field) == wanted;
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
        static const QString none;
        std::vector<const QString*> texts(rows.size(), &none);
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (auto s = std::get_if<QString>(&cellAt(rows[i], field)))
                texts[i] = s;
        const std::vector<int> ranks = rankRussian(texts, caseInsensitive);
        for (std::size_t i = 0; i < rows.size(); ++i)
            keys[i] = {!isNullAt(rows[i], field), ranks[i], creation_[rows[i]], rows[i]};
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
    order_.assign(std::move(sorted));
    orderChanged();
    notifyReset();
    notifyCursor();
}

void RecordTable::setFiltered(bool on)
{
    if (on == filtered_)
        return;
    filtered_ = on;
    notifyReset();
    first();
}

void RecordTable::setDisplayCallback(int field, DisplayCallback callback)
{
    if (field >= 0 && field < fieldCount())
        displayCallbacks_[std::size_t(field)] = std::move(callback);
}

void RecordTable::refresh()
{
    notifyReset();
    notifyCursor();
}

void RecordTable::disableControls()
{
    ++disableCount_;
}

void RecordTable::enableControls()
{
    if (disableCount_ == 0)
        return;
    if (--disableCount_ > 0)
        return;
    const bool reset = pendingReset_;
    const bool cursor = pendingCursor_;
    pendingReset_ = pendingCursor_ = false;
    if (reset)
        notifyReset();
    if (cursor || reset)
        notifyCursor();
}

void RecordTable::addObserver(RecordTableObserver* observer)
{
    observers_.push_back(observer);
}

void RecordTable::removeObserver(RecordTableObserver* observer)
{
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void RecordTable::notifyReset()
{
    if (controlsDisabled()) {
        pendingReset_ = true;
        return;
    }
    for (RecordTableObserver* o : std::vector<RecordTableObserver*>(observers_))
        o->tableReset();
}

void RecordTable::notifyRowChanged(int position)
{
    if (controlsDisabled()) {
        pendingReset_ = true;
        return;
    }
    for (RecordTableObserver* o : std::vector<RecordTableObserver*>(observers_))
        o->rowChanged(position);
}

void RecordTable::notifyCursor()
{
    if (controlsDisabled()) {
        pendingCursor_ = true;
        return;
    }
    for (RecordTableObserver* o : std::vector<RecordTableObserver*>(observers_))
        o->cursorMoved();
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
            if (auto v = std::get_if<std::int32_t>(&cellAt(row, field)))
                index->add(*v, row);
            return true;
        });
    }
    return *index;
}

void RecordTable::indexAdd(RowId row)
{
    for (std::size_t f = 0; f < indexes_.size(); ++f)
        if (indexes_[f])
            if (auto v = std::get_if<std::int32_t>(&cellAt(row, int(f))))
                indexes_[f]->add(*v, row);
}

void RecordTable::indexRemove(RowId row)
{
    for (std::size_t f = 0; f < indexes_.size(); ++f)
        if (indexes_[f])
            if (auto v = std::get_if<std::int32_t>(&cellAt(row, int(f))))
                indexes_[f]->remove(*v, row);
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
    auto [from, to] = integerIndex(field).rowsWith(value);
    for (auto it = from; it != to; ++it) {
        const int position = positionOfRow(it->second);
        if ((best < 0 || position < best) && (!filtering || filter_(it->second)))
            best = position;
    }
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
    auto [from, to] = integerIndex(field).rowsWith(value);
    for (auto it = from; it != to; ++it)
        if (!filtering || filter_(it->second))
            positions.push_back(positionOfRow(it->second));
    std::sort(positions.begin(), positions.end());
    return positions;
}
