#include "store/IntegerIndex.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <map>
#include <random>
#include <set>

// Random adds and removes against a map of values to their sets of rows; the
// values are drawn from a small range and from the edges of the integers, so
// that chains grow long and probe runs wrap around the table.
TEST(IntegerIndex, FindsExactlyTheRowsHoldingEachValue)
{
    std::mt19937 rng(5);
    IntegerIndex index;
    std::map<std::int32_t, std::set<IntegerIndex::RowId>> model;
    std::vector<std::pair<std::int32_t, IntegerIndex::RowId>> held;
    const auto valueOf = [&] {
        switch (rng() % 4) {
        case 0: return std::int32_t(rng() % 20);
        case 1: return std::int32_t(INT32_MIN + int(rng() % 3));
        case 2: return std::int32_t(INT32_MAX - int(rng() % 3));
        default: return std::int32_t(rng() % 5000) - 2500;
        }
    };
    IntegerIndex::RowId nextRow = 0;
    for (int step = 0; step < 40000; ++step) {
        if (held.empty() || rng() % 100 < 60) {
            const std::int32_t value = valueOf();
            index.add(value, nextRow);
            model[value].insert(nextRow);
            held.emplace_back(value, nextRow++);
        } else {
            const std::size_t i = rng() % held.size();
            const auto [value, row] = held[i];
            held[i] = held.back();
            held.pop_back();
            index.remove(value, row);
            model[value].erase(row);
        }
        if (step % 97 == 0)
            for (const std::int32_t value : {valueOf(), valueOf(), INT32_MIN, 0, INT32_MAX}) {
                std::set<IntegerIndex::RowId> found;
                index.forEachRowWith(value, [&](IntegerIndex::RowId row) { EXPECT_TRUE(found.insert(row).second); });
                ASSERT_EQ(found, model[value]) << "value " << value << " at step " << step;
            }
    }
}
