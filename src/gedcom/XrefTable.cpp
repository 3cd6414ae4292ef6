#include "gedcom/XrefTable.h"

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

int XrefTable::numberOf(const QString& name)
{
    const std::optional<std::uint64_t> key = packed(name);
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
