#include "store/RecordTable.h"


#include <QStringList>
#include <algorithm>
#include <atomic>
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

RowId RecordTable::allocateRow(TableChanges* changes)
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
    if (changes)
        changes->rowChanging(row);
    creation_[row] = ++creationCounter_;
    return row;
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
    TableChanges* changes = recording();
    const RowId row = allocateRow(changes);
    const std::size_t count = std::min(size, fields_.size());
    for (std::size_t f = 0; f < count; ++f)
        storeCell(row, int(f), values[f].convertedFor(fields_[f].kind, fields_[f].size));
    indexAdd(row);
    const int position = current_ < 0 ? recordCount() : current_;
    order_.insert(std::size_t(position), row);
    if (changes)
        changes->rowInserted(row, std::size_t(position));
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
    changeCell(currentRow(), field, value.convertedFor(def.kind, def.size));
    if (state_ == State::Browse)
        notifyRowChanged(current_);
}

void RecordTable::setIntegerAt(int position, int field, std::int32_t value)
{
    if (position < 0 || position >= recordCount() || field < 0 || field >= fieldCount())
        return;
    const FieldDef& def = fields_[std::size_t(field)];
    const RowId row = rowAt(position);
    const PackedCell& cell = cells_.at(row, field);
    if (def.kind == FieldKind::Integer && cell.kind == PackedCell::Integer && std::int32_t(cell.value) == value)
        return;
    changeCell(row, field, FieldValue(value).convertedFor(def.kind, def.size));
    notifyRowChanged(position);
}

void RecordTable::deleteRecord()
{
    if (current_ < 0)
        return;
    const RowId row = currentRow();
    if (TableChanges* changes = recording()) {
        changes->rowChanging(row);
        changes->rowErasing(row, std::size_t(current_));
    }
    releaseRow(row);
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
    if (!order_.empty()) {
        if (TableChanges* changes = recording())
            emptyRecorded(*changes);
        else
            clearRows();
    } else if (!recorder_) {
        clearRows();  // lets go of the memory; a recorded table's texts may still be kept by steps
    }
    current_ = -1;
    eof_ = true;
    state_ = State::Browse;
    notifyReset();
    notifyCursor();
}

std::vector<RecordTable::SavedRow> RecordTable::savedRows() const
{
    std::vector<SavedRow> rows(static_cast<std::size_t>(recordCount()));
    for (std::size_t p = 0; p < rows.size(); ++p) {
        const RowId row = rowAt(int(p));
        rows[p].creation = creationNumber(row);
        rows[p].cells.reserve(std::size_t(fieldCount()));
        for (int f = 0; f < fieldCount(); ++f)
            rows[p].cells.push_back(cellAt(row, f));
    }
    return rows;
}

void RecordTable::emptyRecorded(TableChanges& changes)
{
    std::vector<RowId> rows = order_.toVector();
    for (RowId row : rows) {
        changes.rowChanging(row);
        releaseRow(row);
    }
    changes.orderReplacing(std::move(rows));
    order_.clear();
    orderChanged();
}

void RecordTable::clearRows()
{
    // Steps keep texts of this pool: they go first.
    if (recorder_)
        recorder_->tableCleared(*this);
    ++contents_;
    cells_.clear();
    texts_.clear();
    creation_.clear();
    freeRows_.clear();
    order_.clear();
    orderChanged();
    for (auto& index : indexes_)
        index.reset();
}

void RecordTable::reserveLoadedRows(std::size_t rows)
{
    creation_.reserve(rows);
    std::vector<RowId> order = order_.toVector();
    order.reserve(rows);
    order_.assign(std::move(order));
}

RowId RecordTable::appendLoadedRow(std::uint64_t creation)
{
    const RowId row = RowId(creation_.size());
    creation_.push_back(creation);
    cells_.addRow(row);
    order_.insert(order_.size(), row);
    return row;
}

void RecordTable::setLoadedText(RowId row, int field, QStringView text)
{
    const FieldDef& def = fields_[std::size_t(field)];
    cells_.at(row, field) = {PackedCell::Text, texts_.add(def.kind == FieldKind::String ? cutToFieldSize(text, def.size) : text)};
}

void RecordTable::finishLoading(std::uint64_t creationCounter)
{
    for (auto& index : indexes_)
        index.reset();
    orderChanged();
    creationCounter_ = creationCounter;
    current_ = order_.empty() ? -1 : 0;
    eof_ = order_.empty();
    state_ = State::Browse;
    notifyReset();
    notifyCursor();
}

void RecordTable::takeContentsOf(RecordTable& other)
{
    assert(other.fieldCount() == fieldCount());
    clearRows();
    cells_.swap(other.cells_);
    std::swap(texts_, other.texts_);
    creation_.swap(other.creation_);
    freeRows_.swap(other.freeRows_);
    std::swap(order_, other.order_);
    const std::uint64_t counter = other.creationCounter_;
    other.emptyTable();
    finishLoading(counter);
}

void RecordTable::copyContentsOf(const RecordTable& other)
{
    assert(other.fieldCount() == fieldCount());
    clearRows();
    cells_.copyFrom(other.cells_);
    texts_ = other.texts_;
    creation_ = other.creation_;
    freeRows_ = other.freeRows_;
    order_ = other.order_;
    finishLoading(other.creationCounter_);
}

void RecordTable::changeCell(RowId row, int field, const Cell& value)
{
    if (TableChanges* changes = recording())
        changes->cellChanging(row, field);
    IntegerIndex* index = std::size_t(field) < indexes_.size() ? indexes_[std::size_t(field)].get() : nullptr;
    const PackedCell& old = cells_.at(row, field);
    if (index && old.kind == PackedCell::Integer)
        index->remove(std::int32_t(old.value), row);
    storeCell(row, field, value);
    if (index && cells_.at(row, field).kind == PackedCell::Integer)
        index->add(std::int32_t(cells_.at(row, field).value), row);
}

void RecordTable::storeCell(RowId row, int field, const Cell& value)
{
    PackedCell& c = cells_.at(row, field);
    const PackedCell old = c;
    if (auto i = std::get_if<std::int32_t>(&value))
        c = {PackedCell::Integer, std::uint32_t(*i)};
    else if (auto b = std::get_if<bool>(&value))
        c = {PackedCell::Boolean, *b ? 1u : 0u};
    else if (auto t = std::get_if<QString>(&value))
        c = {PackedCell::Text, texts_.add(*t)};
    else
        c = {};
    // Released last: the new value may be the same text.
    if (old.kind == PackedCell::Text)
        texts_.release(old.value);
}

Cell RecordTable::unpacked(const PackedCell& c) const
{
    switch (c.kind) {
    case PackedCell::Integer:
        return std::int32_t(c.value);
    case PackedCell::Boolean:
        return c.value != 0;
    case PackedCell::Text:
        return texts_.text(c.value);
    default:
        return std::monostate{};
    }
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

int RecordTable::convertedInteger(const PackedCell& c) const
{
    if (c.kind == PackedCell::Boolean)
        return c.value != 0 ? 1 : 0;
    if (c.kind == PackedCell::Text)
        return texts_.text(c.value).toInt();
    return 0;
}

QString RecordTable::stringAt(RowId row, int field) const
{
    const FieldDef& def = fields_[std::size_t(field)];
    if (def.kind == FieldKind::CalcString)
        return displayTextAt(row, field);
    const PackedCell& c = cells_.at(row, field);
    switch (c.kind) {
    case PackedCell::Text:
        return texts_.text(c.value);
    case PackedCell::Integer:
        return QString::number(std::int32_t(c.value));
    case PackedCell::Boolean:
        return c.value != 0 ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return QString();
    }
}

bool RecordTable::booleanAt(RowId row, int field) const
{
    const PackedCell& c = cells_.at(row, field);
    return (c.kind == PackedCell::Boolean || c.kind == PackedCell::Integer) && c.value != 0;
}

bool RecordTable::isNullAt(RowId row, int field) const
{
    return cells_.at(row, field).kind == PackedCell::Null;
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
        const PackedCell& c = cells_.at(row, field);
        if (c.kind == PackedCell::Null)
            return QString();
        const bool value = c.value != 0;
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

std::uint64_t RecordTable::freshEpoch()
{
    static std::atomic<std::uint64_t> epochs{0};
    return ++epochs;
}

void RecordTable::showCursorAt(std::optional<RowId> row)
{
    state_ = State::Browse;
    if (row && *row < creation_.size() && creation_[*row] != 0) {
        if (const int position = positionOfRow(*row); position >= 0) {
            current_ = position;
            eof_ = false;
            return;
        }
    }
    eof_ = order_.empty();
    current_ = order_.empty() ? -1 : std::clamp(current_, 0, recordCount() - 1);
}

void RecordTable::setCurrentRowId(std::optional<RowId> row)
{
    showCursorAt(row);
    notifyCursor();
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

