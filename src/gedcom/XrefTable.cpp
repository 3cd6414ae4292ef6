#include "gedcom/XrefTable.h"

#include <algorithm>

std::optional<std::uint64_t> XrefTable::packed(QStringView name)
{
    // Bits from the top: leading '@', trailing '@', letter count (2), three
    // letters of 7 bits, digit count (4), the number (34).
    qsizetype i = 0, end = name.size();
    const bool leading = end > 0 && name[0] == u'@';
    const bool trailing = end > 1 && name[end - 1] == u'@';
    i += leading;
    end -= trailing;
    std::uint64_t letters = 0;
    int letterCount = 0;
    for (; i < end && letterCount < 3; ++i, ++letterCount) {
        const char16_t c = name[i].unicode();
        if (!((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_'))
            break;
        letters = letters << 7 | c;
    }
    const qsizetype digits = end - i;
    if (letterCount == 0 || digits < 1 || digits > 10)
        return std::nullopt;
    std::uint64_t number = 0;
    for (; i < end; ++i) {
        const char16_t c = name[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        number = number * 10 + (c - u'0');
    }
    return std::uint64_t(leading) << 62 | std::uint64_t(trailing) << 61 | std::uint64_t(letterCount) << 59
           | letters << 38 | std::uint64_t(digits) << 34 | number;
}

// Where a packed name's number goes when its shape and number are dense
// ones; null otherwise. Which shapes are dense is settled at their first
// sight, so a name never moves between the array and the table.
int* XrefTable::denseEntry(std::uint64_t key)
{
    const std::uint64_t shape = key >> 34;
    const std::uint64_t number = key & ((std::uint64_t(1) << 34) - 1);
    if (lastDense_ >= dense_.size() || dense_[lastDense_].shape != shape) {
        lastDense_ = 0;
        while (lastDense_ < dense_.size() && dense_[lastDense_].shape != shape)
            ++lastDense_;
        if (lastDense_ == dense_.size()) {
            if (dense_.size() == denseShapes)
                return nullptr;
            dense_.push_back({shape, {}});
        }
    }
    if (number >= denseBound)
        return nullptr;
    std::vector<int>& numbers = dense_[lastDense_].numbers;
    if (number >= numbers.size())
        numbers.resize(std::min<std::size_t>(denseBound, std::max<std::size_t>({number + 1, numbers.size() * 2, 1024})), 0);
    return &numbers[std::size_t(number)];
}

int XrefTable::numberOf(const QString& name)
{
    const std::optional<std::uint64_t> key = packed(name);
    if (key) {
        if (int* entry = denseEntry(*key)) {
            if (*entry == 0)
                *entry = ++count_;
            return *entry - 1;
        }
    }
    if (!key) {
        const auto found = others_.constFind(name);
        if (found != others_.cend())
            return *found;
        others_.insert(name, count_);
        return count_++;
    }
    if (2 * (used_ + 1) > slots_.size())
        grow();
    std::size_t slot = home(*key);
    while (slots_[slot].key != 0 && slots_[slot].key != *key)
        slot = (slot + 1) & (slots_.size() - 1);
    if (slots_[slot].key == 0) {
        slots_[slot] = {*key, count_++};
        ++used_;
    }
    return slots_[slot].number;
}

void XrefTable::grow()
{
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? 1024 : old.size() * 2, Slot{});
    for (const Slot& s : old)
        if (s.key != 0) {
            std::size_t slot = home(s.key);
            while (slots_[slot].key != 0)
                slot = (slot + 1) & (slots_.size() - 1);
            slots_[slot] = s;
        }
}
