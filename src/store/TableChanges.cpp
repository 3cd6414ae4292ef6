#include "store/TableChanges.h"

#include "store/RecordTable.h"

#include <algorithm>
#include <cassert>

namespace {

// Beyond this many rows an exchange drops the integer indexes, which the next
// search rebuilds, and lists the free rows anew.
constexpr std::size_t rowsChangedOneByOne = 64;

bool sameCell(const PackedCell& a, const PackedCell& b)
{
    return a.kind == b.kind && a.value == b.value;
}

} // namespace

TableChanges::TableChanges(RecordTable& table, std::optional<RowId> cursorBefore)
    : table_(table), contents_(table.contents_), epoch_(table.orderEpoch_), cursorBefore_(cursorBefore)
{
    assert(table.fieldCount() <= 32);
}

TableChanges::~TableChanges()
{
    if (!tableStillHolds())
        return;
    for (const RowImage& image : rows_)
        if (image.slot != noSlot)
            releaseTexts(image.slot, image.mask);
}

bool TableChanges::tableStillHolds() const
{
    return table_.contents_ == contents_;
}

void TableChanges::releaseTexts(std::uint32_t slot, std::uint32_t mask)
{
    for (int f = 0; f < table_.fieldCount(); ++f)
        if (mask & (1u << f))
            if (const PackedCell& c = cells_[slot++]; c.kind == PackedCell::Text)
                table_.texts_.release(c.value);
}

void TableChanges::rowChanging(RowId row)
{
    if (row >= touched_.size())
        touched_.resize(std::max<std::size_t>(row + 1, touched_.size() * 2), false);
    if (touched_[row])
        return;
    touched_[row] = true;
    RecordTable& t = table_;
    const int fields = t.fieldCount();
    RowImage image{row, (1u << fields) - 1, noSlot, t.creation_[row]};
    if (image.creation != 0) {
        image.slot = std::uint32_t(cells_.size());
        for (int f = 0; f < fields; ++f) {
            const PackedCell c = t.cells_.at(row, f);
            if (c.kind == PackedCell::Text)
                t.texts_.addReference(c.value);
            cells_.push_back(c);
        }
    }
    rows_.push_back(image);
}

void TableChanges::rowInserted(RowId row, std::size_t position)
{
    moves_.push_back({Move::Inserted, row, std::uint32_t(position)});
}

void TableChanges::rowErasing(RowId row, std::size_t position)
{
    moves_.push_back({Move::Erased, row, std::uint32_t(position)});
}

void TableChanges::orderReplacing(std::vector<RowId> before)
{
    orders_.push_back(std::move(before));
    moves_.push_back({Move::Replaced, 0, std::uint32_t(orders_.size() - 1)});
}

bool TableChanges::seal()
{
    touched_ = {};
    cursorAfter_ = table_.currentRowId();
    compactImages();
    if (!rows_.empty())
        return true;
    // Every row is as it was: what is left is rows that came and went, and
    // sorts, which matter only if the order differs now.
    const auto firstOrder = std::find_if(moves_.begin(), moves_.end(), [](const Move& m) { return m.kind == Move::Replaced; });
    if (firstOrder != moves_.end()) {
        std::vector<RowId> before;
        for (RowId row : orders_[firstOrder->position])
            if (table_.creation_[row] != 0)
                before.push_back(row);
        if (before != table_.order_.toVector())
            return true;
    }
    moves_.clear();
    orders_.clear();
    return false;
}

void TableChanges::compactImages()
{
    const RecordTable& t = table_;
    const int fields = t.fieldCount();
    const std::uint32_t all = (1u << fields) - 1;
    std::vector<RowImage> images;
    std::vector<PackedCell> cells;
    textBytes_ = 0;
    for (RowImage image : rows_) {
        const std::uint64_t now = t.creation_[image.row];
        if (image.creation == 0 && now == 0)
            continue;  // came and went within the step
        std::uint32_t mask = all;
        if (image.creation == now) {
            mask = 0;
            for (int f = 0; f < fields; ++f)
                if (!sameCell(cells_[image.slot + std::uint32_t(f)], t.cells_.at(image.row, f)))
                    mask |= 1u << f;
        }
        if (image.slot != noSlot) {
            const std::uint32_t from = image.slot;
            image.slot = mask == 0 ? noSlot : std::uint32_t(cells.size());
            for (int f = 0; f < fields; ++f) {
                const PackedCell& c = cells_[from + std::uint32_t(f)];
                if (mask & (1u << f)) {
                    cells.push_back(c);
                    if (c.kind == PackedCell::Text)
                        textBytes_ += std::size_t(t.texts_.text(c.value).size()) * 2 + 48;
                } else if (c.kind == PackedCell::Text) {
                    table_.texts_.release(c.value);
                }
            }
        }
        if (mask == 0)
            continue;
        image.mask = mask;
        images.push_back(image);
    }
    rows_ = std::move(images);
    rows_.shrink_to_fit();
    cells_ = std::move(cells);
    moves_.shrink_to_fit();
}

void TableChanges::exchange(bool undo)
{
    if (!tableStillHolds())
        return;
    RecordTable& t = table_;
    const bool oneByOne = rows_.size() <= rowsChangedOneByOne;
    if (!oneByOne)
        for (auto& index : t.indexes_)
            index.reset();
    std::vector<RowId> appeared, gone;
    for (RowImage& image : rows_)
        exchangeRow(image, oneByOne, appeared, gone);

    if (appeared.size() + gone.size() <= rowsChangedOneByOne) {
        for (RowId row : appeared)
            if (auto it = std::find(t.freeRows_.rbegin(), t.freeRows_.rend(), row); it != t.freeRows_.rend())
                t.freeRows_.erase(std::next(it).base());
        t.freeRows_.insert(t.freeRows_.end(), gone.begin(), gone.end());
    } else {
        t.freeRows_.clear();
        for (RowId row = RowId(t.creation_.size()); row-- > 0;)
            if (t.creation_[row] == 0)
                t.freeRows_.push_back(row);
    }

    if (t.orderEpoch_ != epoch_ || !replayMoves(undo))
        settleOrderBySort(appeared);
    t.orderChanged();
    t.showCursorAt(undo ? cursorBefore_ : cursorAfter_);
    t.contentChanged();
    t.notifyReset();
    t.notifyCursor();
}

void TableChanges::exchangeRow(RowImage& image, bool indexEachRow, std::vector<RowId>& appeared,
                               std::vector<RowId>& gone)
{
    RecordTable& t = table_;
    const RowId row = image.row;
    const int fields = t.fieldCount();
    const bool was = t.creation_[row] != 0;
    if (was && indexEachRow)
        t.indexRemove(row);
    // A row the kept side lacks: room for the table's cells, which it takes.
    if (image.slot == noSlot && was) {
        image.slot = std::uint32_t(cells_.size());
        cells_.resize(cells_.size() + std::size_t(fields));
    }
    if (image.slot != noSlot) {
        std::uint32_t k = image.slot;
        for (int f = 0; f < fields; ++f)
            if (image.mask & (1u << f)) {
                PackedCell& cell = t.cells_.at(row, f);
                if (cells_[k].kind == PackedCell::Text)
                    textBytes_ -= std::min(textBytes_, std::size_t(t.texts_.text(cells_[k].value).size()) * 2 + 48);
                if (cell.kind == PackedCell::Text)
                    textBytes_ += std::size_t(t.texts_.text(cell.value).size()) * 2 + 48;
                std::swap(cells_[k++], cell);
            }
    }
    std::swap(t.creation_[row], image.creation);
    const bool now = t.creation_[row] != 0;
    if (now && indexEachRow)
        t.indexAdd(row);
    if (now && !was)
        appeared.push_back(row);
    else if (was && !now)
        gone.push_back(row);
}

bool TableChanges::replayMoves(bool undo)
{
    GapBuffer<RowId>& order = table_.order_;
    auto apply = [&](Move& m, bool insert) {
        if (insert) {
            if (m.position > order.size())
                return false;
            order.insert(m.position, m.row);
        } else {
            if (m.position >= order.size() || order[m.position] != m.row)
                return false;
            order.erase(m.position);
        }
        return true;
    };
    auto replay = [&](Move& m, bool forward) {
        switch (m.kind) {
        case Move::Inserted:
            return apply(m, forward);
        case Move::Erased:
            return apply(m, !forward);
        case Move::Replaced: {
            std::vector<RowId> now = order.toVector();
            order.assign(std::move(orders_[m.position]));
            orders_[m.position] = std::move(now);
            return true;
        }
        }
        return false;
    };
    if (undo) {
        for (auto it = moves_.rbegin(); it != moves_.rend(); ++it)
            if (!replay(*it, false))
                return false;
    } else {
        for (Move& m : moves_)
            if (!replay(m, true))
                return false;
    }
    return true;
}

// The table was sorted since the step: its rows go where the last sort puts
// them. The recorded places no longer hold, for this step or any other.
void TableChanges::settleOrderBySort(const std::vector<RowId>& appeared)
{
    RecordTable& t = table_;
    std::vector<bool> seen(t.creation_.size(), false);
    std::vector<RowId> order;
    order.reserve(t.order_.size() + appeared.size());
    auto keep = [&](RowId row) {
        if (t.creation_[row] != 0 && !seen[row]) {
            seen[row] = true;
            order.push_back(row);
        }
    };
    t.order_.forEachFrom(0, [&](std::size_t, RowId row) {
        keep(row);
        return true;
    });
    for (RowId row : appeared)
        keep(row);
    t.order_.assign(std::move(order));
    t.orderChanged();
    t.orderEpoch_ = RecordTable::freshEpoch();
    t.current_ = t.order_.empty() ? -1 : std::clamp(t.current_, 0, t.recordCount() - 1);
    if (t.lastSort_.field >= 0)
        t.sortOnField(t.lastSort_.field, t.lastSort_.caseInsensitive, t.lastSort_.descending);
}

std::size_t TableChanges::bytes() const
{
    std::size_t total = sizeof(*this) + rows_.capacity() * sizeof(RowImage) + cells_.capacity() * sizeof(PackedCell)
                        + moves_.capacity() * sizeof(Move) + textBytes_;
    for (const auto& order : orders_)
        total += order.capacity() * sizeof(RowId);
    return total;
}
