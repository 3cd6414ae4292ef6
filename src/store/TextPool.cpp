#include "store/TextPool.h"

#include <QHashFunctions>

std::uint32_t TextPool::hashOf(QStringView text)
{
    // Qt's own string hash uses the processor's AES steps where it has them.
    const std::size_t h = qHash(text, 0);
    return std::uint32_t(h ^ (h >> 32));
}

std::size_t TextPool::find(QStringView text, std::uint32_t hash) const
{
    std::size_t slot = slotOf(hash);
    while (slots_[slot].handle != 0) {
        if (slots_[slot].hash == hash && QStringView(entries_[slots_[slot].handle - 1].text) == text)
            return slot;
        slot = (slot + 1) & (slots_.size() - 1);
    }
    return slot;
}

template <typename MakeText>
TextPool::Handle TextPool::addText(QStringView text, MakeText makeText)
{
    if (2 * (used_ + 1) > slots_.size())
        grow();
    const std::uint32_t hash = hashOf(text);
    const std::size_t slot = find(text, hash);
    if (slots_[slot].handle != 0) {
        const Handle handle = slots_[slot].handle - 1;
        ++entries_[handle].references;
        return handle;
    }
    return insertAt(slot, makeText(), hash);
}

TextPool::Handle TextPool::add(QStringView text)
{
    return addText(text, [text] { return text.toString(); });
}

TextPool::Handle TextPool::add(const QString& text)
{
    return addText(text, [&text] { return text; });  // shares the caller's characters
}

TextPool::Handle TextPool::insertAt(std::size_t slot, QString text, std::uint32_t hash)
{
    Handle handle;
    if (!freeHandles_.empty()) {
        handle = freeHandles_.back();
        freeHandles_.pop_back();
    } else {
        handle = Handle(entries_.size());
        entries_.emplace_back();
    }
    entries_[handle] = {std::move(text), 1, hash};
    slots_[slot] = {hash, handle + 1};
    ++used_;
    return handle;
}

void TextPool::release(Handle handle)
{
    Entry& e = entries_[handle];
    if (--e.references > 0)
        return;
    std::size_t slot = slotOf(e.hash);
    while (slots_[slot].handle != handle + 1)
        slot = (slot + 1) & (slots_.size() - 1);
    unlinkSlot(slot);
    e.text = QString();
    freeHandles_.push_back(handle);
    --used_;
}

// Linear probing without tombstones: later members of the run move back into
// the hole when their home slot does not lie between the hole and them.
void TextPool::unlinkSlot(std::size_t hole)
{
    const std::size_t mask = slots_.size() - 1;
    slots_[hole] = {};
    for (std::size_t next = (hole + 1) & mask; slots_[next].handle != 0; next = (next + 1) & mask) {
        const std::size_t home = slotOf(slots_[next].hash);
        const bool stays = hole <= next ? (hole < home && home <= next) : (hole < home || home <= next);
        if (stays)
            continue;
        slots_[hole] = slots_[next];
        slots_[next] = {};
        hole = next;
    }
}

void TextPool::grow()
{
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? 64 : old.size() * 2, Slot{});
    for (const Slot& s : old)
        if (s.handle != 0) {
            std::size_t slot = slotOf(s.hash);
            while (slots_[slot].handle != 0)
                slot = (slot + 1) & (slots_.size() - 1);
            slots_[slot] = s;
        }
}

void TextPool::clear()
{
    entries_.clear();
    freeHandles_.clear();
    slots_.clear();
    used_ = 0;
}
