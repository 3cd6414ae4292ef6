#pragma once
#include "store/CellStore.h"
#include "store/FieldValue.h"
#include "store/GapBuffer.h"
#include "store/IntegerIndex.h"
#include "store/TableChanges.h"
#include "store/TextPool.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

// Told of changes so that bound grids can follow. While controls are disabled
// the table holds its notices back and sends one catch-up at the last enable.
class RecordTableObserver {
public:
    virtual ~RecordTableObserver() = default;
    virtual void tableReset() = 0;             // rows added, removed or reordered
    virtual void rowChanged(int position) = 0; // values of one row changed
    virtual void cursorMoved() = 0;
};

// An in-memory dataset: typed fields, ordered rows, one current row.
class RecordTable {
public:
    enum class State { Browse, Insert, Edit };
    using FilterCallback = std::function<bool(RowId)>;
    using DisplayCallback = std::function<QString(RowId)>;

    RecordTable(QString tableName, std::vector<FieldDef> fields);
    RecordTable(const RecordTable&) = delete;
    RecordTable& operator=(const RecordTable&) = delete;

    const QString& tableName() const { return name_; }
    const std::vector<FieldDef>& fields() const { return fields_; }
    int fieldCount() const { return int(fields_.size()); }
    int fieldIndex(QStringView name) const;  // -1 when there is no such field
    int field(QStringView name) const;       // like fieldIndex; asserts in debug builds

    // Inserting and changing rows.
    void insertRecord(std::initializer_list<FieldValue> values);
    void insertRecord(const std::vector<FieldValue>& values);
    void edit();
    void post();
    State state() const { return state_; }
    void setValue(int field, const FieldValue& value);
    void setValue(QStringView fieldName, const FieldValue& value) { setValue(field(fieldName), value); }
    void clearValue(int field) { setValue(field, FieldValue()); }
    // Changes an integer field of the row at a position without moving the
    // cursor: how layouts move many boxes at once.
    void setIntegerAt(int position, int field, std::int32_t value);
    void deleteRecord();
    void emptyTable();

    // A copy of the rows: cells and creation numbers in table order.
    struct SavedRow {
        std::uint64_t creation = 0;
        std::vector<Cell> cells;
    };
    std::vector<SavedRow> savedRows() const;
    std::uint64_t creationCounter() const { return creationCounter_; }

    // Filling a fresh table from a file: rows appended in order, each with its
    // creation number, values already checked against their fields, then
    // finished once with the table's counter.
    void reserveLoadedRows(std::size_t rows);
    RowId appendLoadedRow(std::uint64_t creation);
    void setLoadedInteger(RowId row, int field, std::int32_t value) { cells_.at(row, field) = {PackedCell::Integer, std::uint32_t(value)}; }
    void setLoadedBoolean(RowId row, int field, bool value) { cells_.at(row, field) = {PackedCell::Boolean, value ? 1u : 0u}; }
    void setLoadedText(RowId row, int field, QStringView text);  // cut to the field's size
    void finishLoading(std::uint64_t creationCounter);
    // Takes over the rows, texts and counter of a table of the same fields,
    // which is left empty: how an opened tree replaces the held one.
    void takeContentsOf(RecordTable& other);
    // Becomes a copy of the rows, texts and counter of a table of the same
    // fields, in one pass over its memory: a snapshot for another thread.
    void copyContentsOf(const RecordTable& other);

    // Reading the current row; an empty table or field reads 0, "" or false.
    int asInteger(int field) const;
    QString asString(int field) const;
    bool asBoolean(int field) const;
    bool isNull(int field) const;
    QString displayText(int field) const;
    int asInteger(QStringView f) const { return asInteger(field(f)); }
    QString asString(QStringView f) const { return asString(field(f)); }
    bool asBoolean(QStringView f) const { return asBoolean(field(f)); }

    // Reading any row by identity (filters, display callbacks, grids).
    int integerAt(RowId row, int field) const
    {
        const PackedCell& c = cells_.at(row, field);
        if (c.kind == PackedCell::Integer)
            return std::int32_t(c.value);
        return convertedInteger(c);
    }
    QString stringAt(RowId row, int field) const;
    bool booleanAt(RowId row, int field) const;
    bool isNullAt(RowId row, int field) const;
    QString displayTextAt(RowId row, int field) const;
    Cell cellAt(RowId row, int field) const { return unpacked(cells_.at(row, field)); }
    // The text a field holds, without a copy; null when it holds none. Valid
    // until the table changes.
    const QString* textAt(RowId row, int field) const
    {
        const PackedCell& c = cells_.at(row, field);
        return c.kind == PackedCell::Text ? &texts_.text(c.value) : nullptr;
    }
    std::uint64_t creationNumber(RowId row) const { return creation_[row]; }

    // Navigation over visible rows.
    void first();
    void last();
    void next();
    void prior();
    bool eof() const { return eof_ || order_.empty(); }
    bool isEmpty() const { return order_.empty(); }
    int recordCount() const { return int(order_.size()); }
    int recNo() const { return current_ < 0 ? 0 : current_ + 1; }
    void setRecNo(int n);
    bool locate(QStringView fieldNames, std::initializer_list<FieldValue> values);
    bool locate(int field, const FieldValue& value);
    bool locate(const std::vector<int>& fieldIndices, const std::vector<FieldValue>& values);
    // Positions of the visible rows whose integer field holds value, ascending.
    std::vector<int> positionsWithInteger(int field, std::int32_t value);

    // Positions (0-based, among all rows) for grids and bulk walks.
    int currentPosition() const { return current_; }
    RowId currentRow() const { return order_[std::size_t(current_)]; }
    std::optional<RowId> currentRowId() const
    {
        return current_ < 0 || current_ >= recordCount() ? std::nullopt : std::optional(currentRow());
    }
    // Makes that row current again, or keeps a row that is still there.
    void setCurrentRowId(std::optional<RowId> row);
    RowId rowAt(int position) const { return order_[std::size_t(position)]; }
    void setCurrentPosition(int position);

    void sortOnFields(QStringView fieldName, bool caseInsensitive, bool descending);
    void sortOnField(int field, bool caseInsensitive, bool descending);

    void setFiltered(bool on);
    bool filtered() const { return filtered_; }
    void setFilterCallback(FilterCallback callback) { filter_ = std::move(callback); }
    bool isVisible(RowId row) const { return !filtered_ || !filter_ || filter_(row); }
    bool hasActiveFilter() const { return filtered_ && filter_; }

    void setDisplayCallback(int field, DisplayCallback callback);

    void refresh();
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return disableCount_ > 0; }

    void addObserver(RecordTableObserver* observer);
    void removeObserver(RecordTableObserver* observer);

    // Every change of rows, values and order inside a step is told to the
    // recorder before it is made, so that it can be undone.
    void setRecorder(TableRecorder* recorder)
    {
        recorder_ = recorder;
        openChanges_ = nullptr;
    }
    // The recorder's answer for the open step, remembered until it says otherwise.
    void setOpenChanges(TableChanges* changes) { openChanges_ = changes; }

private:
    friend class TableChanges;
    TableChanges* recording(bool orderOnly = false)
    {
        if (openChanges_)
            return openChanges_;
        return recorder_ ? recorder_->changesFor(*this, orderOnly) : nullptr;
    }
    void emptyRecorded(TableChanges& changes);
    // The current row after an undo: the given one, or one still there.
    void showCursorAt(std::optional<RowId> row);
    static std::uint64_t freshEpoch();
    int convertedInteger(const PackedCell& cell) const;
    Cell unpacked(const PackedCell& cell) const;
    // Stores a value already converted for the field, letting go of the old text.
    void storeCell(RowId row, int field, const Cell& value);
    // The same, recorded and kept in the field's index.
    void changeCell(RowId row, int field, const Cell& value);
    void clearRows();
    RowId allocateRow(TableChanges* changes);
    void insertValues(const FieldValue* values, std::size_t size);
    void releaseRow(RowId row);
    int nextVisibleFrom(int position) const;   // -1 when none
    int priorVisibleFrom(int position) const;  // -1 when none
    bool cellMatches(RowId row, int field, const Cell& wanted) const;
    bool rowMatches(RowId row, const std::vector<int>& fields, const std::vector<Cell>& values) const;
    void moveCursor(int position);
    void notifyReset();
    void notifyRowChanged(int position);
    void notifyCursor();

    // Integer locates go through an index, built at the first search of a field
    // and kept up to date by every cell change; results are those of a scan.
    bool locateInteger(int field, std::int32_t value);
    IntegerIndex& integerIndex(int field);
    void indexRemove(RowId row);
    void indexAdd(RowId row);
    int positionOfRow(RowId row) const;
    void orderChanged()
    {
        positionsStale_ = true;
        staleSearches_ = 0;
    }

    QString name_;
    std::vector<FieldDef> fields_;
    std::vector<DisplayCallback> displayCallbacks_;
    CellStore cells_;
    TextPool texts_;
    std::vector<std::uint64_t> creation_; // by rowId
    std::vector<RowId> freeRows_;
    GapBuffer<RowId> order_;
    std::uint64_t creationCounter_ = 0;
    int current_ = -1;
    bool eof_ = false;
    State state_ = State::Browse;
    bool filtered_ = false;
    FilterCallback filter_;
    int disableCount_ = 0;
    bool pendingReset_ = false;
    bool pendingCursor_ = false;
    std::vector<RecordTableObserver*> observers_;
    std::vector<std::unique_ptr<IntegerIndex>> indexes_;  // by field; null until searched
    mutable std::vector<int> positions_;                  // by rowId, valid unless stale
    mutable bool positionsStale_ = true;
    mutable int staleSearches_ = 0;
    TableRecorder* recorder_ = nullptr;
    TableChanges* openChanges_ = nullptr;
    std::uint64_t contents_ = 0;  // counts the times every row and text was let go at once
    // Changes with each sort made outside a step: recorded places of rows hold
    // only while it stays the same.
    std::uint64_t orderEpoch_ = freshEpoch();
    struct SortSpec {
        int field = -1;
        bool caseInsensitive = false;
        bool descending = false;
    } lastSort_;
};

// Suspends a table's grids for the life of a scope.
class ControlsDisabled {
public:
    explicit ControlsDisabled(RecordTable& table) : table_(table) { table_.disableControls(); }
    ~ControlsDisabled() { table_.enableControls(); }
    ControlsDisabled(const ControlsDisabled&) = delete;
    ControlsDisabled& operator=(const ControlsDisabled&) = delete;

private:
    RecordTable& table_;
};
