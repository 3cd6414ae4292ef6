#pragma once
#include "store/RecordTable.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

class PersonCursor;

// The diagram items table (RxMemoryData5) as a build changes it, held apart
// from the table until the build is known to fit: positional inserts before the
// current row, lookups by owner that move the cursor, the sorts and the
// compression, with positions kept wide enough to see them overflow.
class DiagramDraft {
public:
    DiagramDraft() = default;
    explicit DiagramDraft(const RecordTable& items);  // starts from the table's rows and cursor

    void insertPerson(int type, std::int64_t x, std::int64_t y, const PersonCursor& captions, int owner);
    void insertLine(int first, int second);
    bool locateOwner(int owner);  // the first row in table order; the cursor stays on failure

    void sortLinesFirst();
    // What CompressDiagram does to the table, done to the draft.
    void compress(int h);

    struct Bounds {
        std::int64_t minX = 0, maxX = 0, minY = 0, maxY = 0;
        bool any = false;
    };
    Bounds personBounds() const;
    int rowCount() const { return int(rows_.size()); }

    // Writes the draft into the table it started from: new rows are inserted in
    // the order they were made, then the rows are put in the draft's order and
    // the draft's current row is made current. Positions must fit 32 bits.
    void commit(RecordTable& items, const RecordTable& persons) const;

private:
    static constexpr int none = -1;
    static constexpr RowId noRow = ~RowId(0);
    struct Row {
        int type;
        std::int64_t x, y;
        int owner;
        RowId caption;   // persons row the captions come from, or noRow
        RowId existing;  // the table row it stands for, or noRow for a new row
        std::uint64_t creation;
    };
    void add(Row row);
    std::vector<int> order() const;
    void relink(const std::vector<int>& order);
    void indexOwners();

    std::vector<Row> rows_;
    std::vector<int> prev_, next_;
    int head_ = none, cursor_ = none;
    std::uint64_t nextCreation_ = 1;
    std::unordered_map<int, int> firstOfOwner_;  // owner -> row; -1 owners are never indexed
    bool ownersStale_ = false;
};
