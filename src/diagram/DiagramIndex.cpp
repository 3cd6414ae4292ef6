#include "diagram/DiagramIndex.h"

#include "store/GenealogyStore.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int baseCellShift = 8;  // 256 pixels: a few cells cover a screen
constexpr int maxLevel = 40;

std::int64_t floorDiv(std::int64_t value, int shift)
{
    return value >> shift;  // arithmetic shift rounds toward minus infinity
}

std::int64_t packed(std::int64_t row, std::int64_t column)
{
    // Columns and rows stay far inside 32 bits: positions are ints.
    return (row << 32) + (column + (std::int64_t(1) << 31));
}

} // namespace

// By cell, in a few passes over dense keys: a rebuild after a stretch of a
// large chart spent most of its time comparing. Ties may come in any order,
// as the positions found are sorted again.
void DiagramIndex::sortByCell(std::vector<Entry>& entries)
{
    if (entries.size() < 2048) {
        std::sort(entries.begin(), entries.end());
        return;
    }
    auto rowOf = [](std::int64_t cell) { return cell >> 32; };
    auto columnOf = [](std::int64_t cell) { return cell & 0xFFFFFFFF; };
    std::int64_t rowMin = rowOf(entries[0].cell), rowMax = rowMin;
    std::int64_t columnMin = columnOf(entries[0].cell), columnMax = columnMin;
    for (const Entry& e : entries) {
        rowMin = std::min(rowMin, rowOf(e.cell));
        rowMax = std::max(rowMax, rowOf(e.cell));
        columnMin = std::min(columnMin, columnOf(e.cell));
        columnMax = std::max(columnMax, columnOf(e.cell));
    }
    const auto columns = std::uint64_t(columnMax - columnMin) + 1;
    const auto rows = std::uint64_t(rowMax - rowMin) + 1;
    if (rows > (std::uint64_t(1) << 62) / columns) {
        std::sort(entries.begin(), entries.end());
        return;
    }
    auto key = [&](const Entry& e) {
        return std::uint64_t(rowOf(e.cell) - rowMin) * columns + std::uint64_t(columnOf(e.cell) - columnMin);
    };
    const std::uint64_t largest = (rows - 1) * columns + (columns - 1);
    constexpr int digitBits = 11;
    constexpr std::size_t digits = std::size_t(1) << digitBits;
    scratch_.resize(entries.size());
    std::vector<std::size_t> counts(digits);
    for (int shift = 0; shift == 0 || (largest >> shift) != 0; shift += digitBits) {
        std::fill(counts.begin(), counts.end(), 0);
        for (const Entry& e : entries)
            ++counts[(key(e) >> shift) & (digits - 1)];
        std::size_t start = 0;
        for (std::size_t& c : counts)
            start += std::exchange(c, start);
        for (const Entry& e : entries)
            scratch_[counts[(key(e) >> shift) & (digits - 1)]++] = e;
        entries.swap(scratch_);
    }
}

bool DiagramIndex::usable()
{
    if (items_.controlsDisabled() || items_.state() != RecordTable::State::Browse)
        return false;
    if (stale_)
        rebuild();
    return true;
}

const PersonRowLookup* DiagramIndex::lookup()
{
    return usable() ? &*lookup_ : nullptr;
}

void DiagramIndex::add(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom, int position)
{
    const std::int64_t extent = std::max(right - left, bottom - top);
    std::size_t level = 0;
    while (level < maxLevel && (std::int64_t(1) << (baseCellShift + level)) < extent)
        ++level;
    if (levels_.size() <= level)
        levels_.resize(level + 1);
    const int shift = baseCellShift + int(level);
    levels_[level].push_back({packed(floorDiv(top, shift), floorDiv(left, shift)), position});
}

void DiagramIndex::rebuild()
{
    // The vectors keep their room: a rebuild after every stretch step would
    // otherwise spend its time on fresh pages.
    for (auto& level : levels_)
        level.clear();
    boxes_.clear();
    lines_.clear();
    // One walk of the table; the lines' ends are looked up once every box is known.
    for (int p = 0; p < items_.recordCount(); ++p) {
        const RowId row = items_.rowAt(p);
        const int a = items_.integerAt(row, DiagramField::x), b = items_.integerAt(row, DiagramField::y);
        if (isPersonRow(items_, row)) {
            boxes_.push_back({items_.integerAt(row, DiagramField::owner), QPoint(a, b)});
            add(a, b, a, b, p);
        } else {
            lines_.push_back({p, a, b});
        }
    }
    if (!lookup_)
        lookup_.emplace(boxes_);
    else
        lookup_->refill(boxes_);
    for (const Line& line : lines_) {
        const auto first = lookup_->find(line.first), second = lookup_->find(line.second);
        if (!first || !second)
            continue;  // a line without both ends is never drawn
        add(std::min(first->x(), second->x()), std::min(first->y(), second->y()), std::max(first->x(), second->x()),
            std::max(first->y(), second->y()), line.position);
    }
    for (auto& level : levels_)
        sortByCell(level);
    stale_ = false;
}

void DiagramIndex::collect(std::size_t level, QRect area, std::vector<int>& out) const
{
    const std::vector<Entry>& entries = levels_[level];
    if (entries.empty())
        return;
    const int shift = baseCellShift + int(level);
    // A row starting up to one cell before the area may still reach into it.
    const std::int64_t size = std::int64_t(1) << shift;
    const std::int64_t left = floorDiv(std::int64_t(area.left()) - size, shift);
    const std::int64_t right = floorDiv(area.right(), shift);
    const std::int64_t top = floorDiv(std::int64_t(area.top()) - size, shift);
    const std::int64_t bottom = floorDiv(area.bottom(), shift);
    for (std::int64_t row = top; row <= bottom; ++row) {
        auto from = std::lower_bound(entries.begin(), entries.end(), Entry{packed(row, left), -1});
        const std::int64_t last = packed(row, right);
        for (; from != entries.end() && from->cell <= last; ++from)
            out.push_back(from->position);
        if (from == entries.end())
            break;
        // Skip empty rows of cells in one step.
        if (floorDiv(from->cell, 32) > row + 1)
            row = std::min(bottom, floorDiv(from->cell, 32) - 1);
    }
}

std::optional<std::vector<int>> DiagramIndex::rowsNear(QRect area)
{
    if (!usable())
        return std::nullopt;
    std::vector<int> positions;
    for (std::size_t level = 0; level < levels_.size(); ++level)
        collect(level, area, positions);
    std::sort(positions.begin(), positions.end());
    return positions;
}
