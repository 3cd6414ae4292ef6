#pragma once
#include <cstdint>
#include <vector>

// Which rows hold a given integer in one field. Rows are identities, not
// positions, so reordering a table leaves the index valid. Each value keeps
// a chain of its rows threaded through one array by row: four bytes a row and
// no allocation per row, where a node-based multimap took forty.
class IntegerIndex {
public:
    using RowId = std::uint32_t;

    void add(std::int32_t value, RowId row);
    void remove(std::int32_t value, RowId row);
    template <typename F>
    void forEachRowWith(std::int32_t value, F&& f) const
    {
        if (slots_.empty())
            return;
        const std::size_t slot = find(value);
        for (std::uint32_t r = slots_[slot].head; r != 0; r = next_[r - 1])
            f(RowId(r - 1));
    }
    void reserve(std::size_t rows) { next_.reserve(rows); }

private:
    struct Slot {
        std::int32_t value = 0;
        std::uint32_t head = 0;  // first row + 1; 0 is an empty slot
    };
    std::size_t home(std::int32_t value) const
    {
        return (std::uint32_t(value) * 2654435769u >> 7) & (slots_.size() - 1);
    }
    // The slot of value, or the empty slot where it belongs.
    std::size_t find(std::int32_t value) const;
    void grow();
    void unlinkSlot(std::size_t hole);

    std::vector<Slot> slots_;
    std::size_t used_ = 0;
    std::vector<std::uint32_t> next_;  // by row: the next row + 1 of the same value; 0 ends
};
