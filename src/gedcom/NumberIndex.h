#pragma once
#include <QHash>
#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

// A map from the numbers a table names its rows by to values, 0 meaning none.
// Numbers are nearly always a dense run from 0 or 1: a plain array then keeps
// large trees in cache, where a hash would miss on every lookup.
class NumberIndex {
public:
    // Later pairs with the same number replace earlier ones.
    explicit NumberIndex(const std::vector<std::pair<int, std::uint32_t>>& pairs)
    {
        int low = 0, high = -1;
        for (const auto& [number, value] : pairs) {
            low = std::min(low, number);
            high = std::max(high, number);
        }
        dense_ = low == 0 && std::int64_t(high) < 4 * std::int64_t(pairs.size()) + 1024;
        if (dense_)
            array_.assign(std::size_t(high) + 1, 0);
        for (const auto& [number, value] : pairs) {
            if (dense_)
                array_[std::size_t(number)] = value;
            else
                hash_.insert(number, value);
        }
    }

    std::uint32_t value(int number) const
    {
        if (!dense_)
            return hash_.value(number, 0);
        return number >= 0 && std::size_t(number) < array_.size() ? array_[std::size_t(number)] : 0;
    }

private:
    bool dense_ = false;
    std::vector<std::uint32_t> array_;
    QHash<int, std::uint32_t> hash_;
};
