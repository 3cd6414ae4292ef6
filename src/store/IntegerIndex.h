#pragma once
#include <cstdint>
#include <unordered_map>

// Which rows hold a given integer in one field. Rows are identities, not
// positions, so reordering a table leaves the index valid.
class IntegerIndex {
public:
    using RowId = std::uint32_t;
    using Map = std::unordered_multimap<std::int32_t, RowId>;

    void add(std::int32_t value, RowId row) { rows_.emplace(value, row); }
    void remove(std::int32_t value, RowId row)
    {
        auto [from, to] = rows_.equal_range(value);
        for (auto it = from; it != to; ++it)
            if (it->second == row) {
                rows_.erase(it);
                return;
            }
    }
    std::pair<Map::const_iterator, Map::const_iterator> rowsWith(std::int32_t value) const
    {
        return rows_.equal_range(value);
    }
    void reserve(std::size_t n) { rows_.reserve(n); }

private:
    Map rows_;
};
