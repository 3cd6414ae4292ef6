#pragma once
#include "diagram/DiagramRows.h"

#include <QRect>
#include <cstdint>
#include <optional>
#include <vector>

// Where the rows of a diagram items table lie, so that a paint or a hit test
// looks only at the rows near its area. Person rows are kept by their top left
// corner, lines by the box their two ends' boxes span. Whoever changes the
// table or watches it calls invalidate; the index is rebuilt at the next question.
class DiagramIndex {
public:
    explicit DiagramIndex(const RecordTable& items) : items_(items) {}
    DiagramIndex(const DiagramIndex&) = delete;
    DiagramIndex& operator=(const DiagramIndex&) = delete;

    void invalidate() { stale_ = true; }

    // Ascending positions of every row that may lie within area: each person
    // row whose corner is inside it, each line whose ends' corners span a box
    // meeting it, and maybe a few more. Nothing while the table is held in an
    // edit or has its notices held back: then only a walk of every row is sure.
    std::optional<std::vector<int>> rowsNear(QRect area);
    // The first box of every person, as a drawing pass looks the ends of lines up.
    const PersonRowLookup* lookup();

private:
    struct Entry {
        std::int64_t cell;  // row of cells, then column, packed
        int position;
        bool operator<(const Entry& other) const
        {
            return cell != other.cell ? cell < other.cell : position < other.position;
        }
    };
    bool usable();
    void rebuild();
    void sortByCell(std::vector<Entry>& entries);
    void add(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom, int position);
    void collect(std::size_t level, QRect area, std::vector<int>& out) const;

    const RecordTable& items_;
    bool stale_ = true;
    std::optional<PersonRowLookup> lookup_;
    struct Line {
        int position, first, second;
    };
    std::vector<std::vector<Entry>> levels_;
    std::vector<Entry> scratch_;
    std::vector<PersonRowLookup::Box> boxes_;
    std::vector<Line> lines_;  // level L has cells of baseCell << L pixels a side
};
