#pragma once
#include "store/CellStore.h"

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

// What one step did to one table. For every row the step touched it keeps the
// row as the other side of the step has it (only the fields that differ), and
// the places where rows entered or left the table's order. Undo and redo are
// then one exchange: the table takes the kept side and the changes keep the
// side the table had, so a step holds only what the table does not.
class TableChanges {
public:
    explicit TableChanges(RecordTable& table);
    ~TableChanges();
    TableChanges(const TableChanges&) = delete;
    TableChanges& operator=(const TableChanges&) = delete;

    RecordTable& table() const { return table_; }

    // Recording, called by the table.
    void rowChanging(RowId row);
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
    struct RowImage {
        RowId row;
        std::uint32_t mask;   // the fields kept
        std::uint32_t slot;   // where the kept fields start in cells_
        std::uint64_t creation;  // 0: the row is absent on the kept side
    };
    struct Move {
        enum Kind : std::uint8_t { Inserted, Erased, Replaced } kind;
        RowId row;
        std::uint32_t position;  // for Replaced, which of orders_
    };

    void compactImages();
    bool orderChanged() const;
    void collapseMoves();
    void compactLastReorder();
    void exchangeRow(RowImage& image, bool indexEachRow, std::vector<RowId>& appeared, std::vector<RowId>& gone);
    // False when the table's order is not the one the moves were recorded on.
    bool replayMoves(bool undo);
    void settleOrderBySort(const std::vector<RowId>& appeared);
    void releaseTexts(std::uint32_t slot, std::uint32_t mask);
    bool tableStillHolds() const;

    RecordTable& table_;
    std::uint64_t contents_;  // the table's contents generation when recorded
    std::uint64_t epoch_;     // the table's order epoch when recorded
    std::vector<RowImage> rows_;
    std::vector<PackedCell> cells_;
    std::vector<Move> moves_;
    std::vector<std::vector<RowId>> orders_;
    std::vector<bool> touched_;  // by row, while the step is open
    std::size_t textBytes_ = 0;
};
