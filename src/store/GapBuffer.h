#pragma once
// A sequence with O(1) random access whose inserts and erases are cheap near
// the last place touched. Record tables insert before the current row again
// and again (the import does so for every row), which a plain vector would
// make quadratic.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <type_traits>
#include <vector>

template <typename T>
class GapBuffer {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    std::size_t size() const { return data_.size() - gapLength(); }
    bool empty() const { return size() == 0; }

    T operator[](std::size_t i) const { return data_[i < gapStart_ ? i : i + gapLength()]; }
    T& operator[](std::size_t i) { return data_[i < gapStart_ ? i : i + gapLength()]; }

    void insert(std::size_t pos, T value)
    {
        if (gapLength() == 0)
            grow();
        moveGap(pos);
        data_[gapStart_++] = value;
    }

    void erase(std::size_t pos)
    {
        moveGap(pos);
        ++gapEnd_;
    }

    void clear()
    {
        data_.clear();
        gapStart_ = gapEnd_ = 0;
    }

    // Contiguous copy in order, for sorting and bulk scans.
    std::vector<T> toVector() const
    {
        std::vector<T> out;
        out.reserve(size());
        out.insert(out.end(), data_.begin(), data_.begin() + gapStart_);
        out.insert(out.end(), data_.begin() + gapEnd_, data_.end());
        return out;
    }

    // The values in order, with room for capacity() - size() more at the end.
    void assign(std::vector<T> values)
    {
        const std::size_t size = values.size();
        data_ = std::move(values);
        data_.resize(std::max(data_.capacity(), size));
        gapStart_ = size;
        gapEnd_ = data_.size();
    }

    // Calls f(position, value) in order; stops early when f returns false.
    template <typename F>
    bool forEachFrom(std::size_t from, F&& f) const
    {
        // Two contiguous runs: before the gap and after it.
        std::size_t position = from;
        for (std::size_t i = from; i < gapStart_; ++i, ++position)
            if (!f(position, data_[i]))
                return false;
        for (std::size_t i = gapEnd_ + (from > gapStart_ ? from - gapStart_ : 0); i < data_.size(); ++i, ++position)
            if (!f(position, data_[i]))
                return false;
        return true;
    }

private:
    std::size_t gapLength() const { return gapEnd_ - gapStart_; }

    void grow()
    {
        const std::size_t oldSize = data_.size();
        const std::size_t extra = std::max<std::size_t>(16, oldSize);
        const std::size_t tail = oldSize - gapEnd_;
        data_.resize(oldSize + extra);
        if (tail > 0)
            std::memmove(&data_[gapEnd_ + extra], &data_[gapEnd_], tail * sizeof(T));
        gapEnd_ += extra;
    }

    void moveGap(std::size_t pos)
    {
        if (pos < gapStart_) {
            const std::size_t count = gapStart_ - pos;
            std::memmove(&data_[gapEnd_ - count], &data_[pos], count * sizeof(T));
            gapStart_ -= count;
            gapEnd_ -= count;
        } else if (pos > gapStart_) {
            const std::size_t count = pos - gapStart_;
            std::memmove(&data_[gapStart_], &data_[gapEnd_], count * sizeof(T));
            gapStart_ += count;
            gapEnd_ += count;
        }
    }

    std::vector<T> data_;
    std::size_t gapStart_ = 0;
    std::size_t gapEnd_ = 0;
};
