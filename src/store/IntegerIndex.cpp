#include "store/IntegerIndex.h"

std::size_t IntegerIndex::find(std::int32_t value) const
{
    std::size_t slot = home(value);
    while (slots_[slot].head != 0 && slots_[slot].value != value)
        slot = (slot + 1) & (slots_.size() - 1);
    return slot;
}

void IntegerIndex::add(std::int32_t value, RowId row)
{
    if (2 * (used_ + 1) > slots_.size())
        grow();
    if (next_.size() <= row)
        next_.resize(std::size_t(row) + 1, 0);
    Slot& s = slots_[find(value)];
    if (s.head == 0) {
        s.value = value;
        ++used_;
    }
    next_[row] = s.head;
    s.head = row + 1;
}

void IntegerIndex::remove(std::int32_t value, RowId row)
{
    if (slots_.empty())
        return;
    const std::size_t slot = find(value);
    std::uint32_t* link = &slots_[slot].head;
    while (*link != 0 && *link != row + 1)
        link = &next_[*link - 1];
    if (*link == 0)
        return;
    *link = next_[row];
    next_[row] = 0;
    if (slots_[slot].head == 0) {
        unlinkSlot(slot);
        --used_;
    }
}

// Linear probing without tombstones: later members of the run move back into
// the hole when their home slot does not lie between the hole and them.
void IntegerIndex::unlinkSlot(std::size_t hole)
{
    const std::size_t mask = slots_.size() - 1;
    slots_[hole] = {};
    for (std::size_t next = (hole + 1) & mask; slots_[next].head != 0; next = (next + 1) & mask) {
        const std::size_t h = home(slots_[next].value);
        const bool stays = hole <= next ? (hole < h && h <= next) : (hole < h || h <= next);
        if (stays)
            continue;
        slots_[hole] = slots_[next];
        slots_[next] = {};
        hole = next;
    }
}

void IntegerIndex::grow()
{
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? 64 : old.size() * 2, Slot{});
    for (const Slot& s : old)
        if (s.head != 0) {
            std::size_t slot = home(s.value);
            while (slots_[slot].head != 0)
                slot = (slot + 1) & (slots_.size() - 1);
            slots_[slot] = s;
        }
}
