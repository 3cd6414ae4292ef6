#pragma once
#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

// The texts of one table, each distinct text kept once: places, dates, types,
// roles and family names repeat across thousands of rows. Handles are counted,
// so a text leaves the pool with its last cell.
class TextPool {
public:
    using Handle = std::uint32_t;

    // The handle of text, taking a reference to it.
    Handle add(QStringView text);
    Handle add(const QString& text);
    void addReference(Handle handle) { ++entries_[handle].references; }
    void release(Handle handle);
    const QString& text(Handle handle) const { return entries_[handle].text; }
    // One past the largest handle ever given; handles index arrays of this size.
    std::size_t handleLimit() const { return entries_.size(); }
    std::size_t size() const { return used_; }
    void clear();

private:
    struct Entry {
        QString text;
        std::uint32_t references = 0;
        std::uint32_t hash = 0;
    };
    static std::uint32_t hashOf(QStringView text);
    std::size_t slotOf(std::uint32_t hash) const { return hash & (slots_.size() - 1); }
    // The slot holding text, or the empty slot where it belongs.
    std::size_t find(QStringView text, std::uint32_t hash) const;
    template <typename MakeText>
    Handle addText(QStringView text, MakeText makeText);
    Handle insertAt(std::size_t slot, QString text, std::uint32_t hash);
    void unlinkSlot(std::size_t slot);
    void grow();

    std::vector<Entry> entries_;
    std::vector<Handle> freeHandles_;
    // The hash beside the handle: a probe compares texts only when the hashes agree.
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t handle = 0;  // handle + 1; 0 is empty
    };
    std::vector<Slot> slots_;
    std::size_t used_ = 0;
};
