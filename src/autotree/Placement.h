#pragma once
#include <cstdint>
#include <limits>
#include <vector>

// What a placing walk met on its way.
struct PlacementOutcome {
    bool fits = true;            // every position written fits 32 bits
    std::int64_t badX = 0, badY = 0;  // the first position that did not
    int generations = 0;         // the deepest generation reached
    std::int64_t count = 0;      // descendant visits below the start
    std::vector<int> cycles;     // persons met again on their own line, as met
};

inline bool fits32(std::int64_t v)
{
    return v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max();
}
