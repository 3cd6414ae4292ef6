#pragma once
#include "store/CellStore.h"
#include "store/PodBuffer.h"

#include <cstdint>
#include <optional>
#include <vector>

class RecordTable;
class TableChanges;
// Stable identity of a row for as long as it exists; not its position.
using RowId = std::uint32_t;

// Told by a table before it changes; answers where the change is recorded.
class TableRecorder {
public:
    // The open step's changes of the table; null when nothing is recorded. A
    // change of order alone is no step of its own: for it, null when no step is open.
    virtual TableChanges* changesFor(RecordTable& table, bool orderOnly) = 0;
    // The table let go of all its rows and texts without recording it.
    virtual void tableCleared(RecordTable& table) = 0;

protected:
    ~TableRecorder() = default;
};

// What one step did to one table: for every row that came or went, the row
// as the other side of the step has it; for every other row, the cells that
// differ, as the other side has them; and the places where rows entered or
// left the table's order. Undo and redo are then one exchange: the table takes
// the kept side and the changes keep the side the table had, so a step holds
// only what the table does not.
class TableChanges {
public:
    explicit TableChanges(RecordTable& table);
    ~TableChanges();
    TableChanges(const TableChanges&) = delete;
    TableChanges& operator=(const TableChanges&) = delete;

    RecordTable& table() const { return table_; }

    // Recording, called by the table: a whole row (it comes or goes), or one
    // of its fields.
    void rowChanging(RowId row);
    void cellChanging(RowId row, int field);
    void rowInserted(RowId row, std::size_t position);
    void rowErasing(RowId row, std::size_t position);
    void orderReplacing(std::vector<RowId> before);

    // At the end of the step: forgets what the step left as it was. False
    // when nothing is left.
    bool seal();
    // Gives the table the other side of the step: undo gives the side before
    // it, redo the side after it.
    void exchange(bool undo);
    std::size_t bytes() const;

private:
    static constexpr std::uint32_t noSlot = 0xFFFFFFFFu;
    // A row that came or went: all its fields, or none when it is absent on the kept side.
    struct RowImage {
        RowId row;
        std::uint32_t slot;      // where its fields start in cells_
        std::uint64_t creation;  // 0: the row is absent on the kept side
    };
    // One field of a row that stayed. While recording, every cell as it was
    // before the step first changed it.
    struct KeptCell {
        RowId row;
        std::uint8_t field;
        PackedCell::Kind kind;
        std::uint32_t value;
    };
    struct Move {
        enum Kind : std::uint8_t { Inserted, Erased, Replaced } kind;
        RowId row;
        std::uint32_t position;  // for Replaced, which of orders_
    };

    // Per row while recording: the fields kept so far, and whether the row
    // was kept whole; at the seal, where a whole row's image is.
    class RowMarks {
    public:
        RowMarks() = default;
        RowMarks(const RowMarks&) = delete;
        RowMarks& operator=(const RowMarks&) = delete;
        ~RowMarks() { reset(); }
        std::uint32_t& operator[](RowId row)
        {
            if (row >= size_)
                grow(row);
            return data_[row];
        }
        bool empty() const { return size_ == 0; }
        void grow(RowId row);
        void reset();

    private:
        std::uint32_t* data_ = nullptr;
        std::size_t size_ = 0;
    };
    static constexpr std::uint32_t wholeRow = 1u << 31;

    std::uint32_t& marksOf(RowId row);
    void keepCell(RowId row, int field);
    void compactChanges();
    bool orderChanged() const;
    void collapseMoves();
    void compactLastReorder();
    void exchangeRow(RowImage& image, bool indexEachRow, std::vector<RowId>& appeared, std::vector<RowId>& gone);
    void exchangeCell(KeptCell& kept, bool indexEachCell);
    void countText(const PackedCell& cell, bool adding);
    // False when the table's order is not the one the moves were recorded on.
    bool replayMoves(bool undo);
    void settleOrderBySort(const std::vector<RowId>& appeared);
    bool tableStillHolds() const;

    RecordTable& table_;
    std::uint64_t contents_;  // the table's contents generation when recorded
    std::uint64_t epoch_;     // the table's order epoch when recorded
    std::vector<RowImage> rows_;
    std::vector<PackedCell> cells_;  // the fields of each row image
    PodBuffer<KeptCell> kept_;
    std::vector<Move> moves_;
    std::vector<std::vector<RowId>> orders_;
    RowMarks marks_;
    std::size_t textBytes_ = 0;
};
