#include "store/TableChanges.h"

#include "store/RecordTable.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Beyond this many rows an exchange drops the integer indexes, which the next
// search rebuilds, and lists the free rows anew.
constexpr std::size_t rowsChangedOneByOne = 64;

bool sameCell(const PackedCell& a, const PackedCell& b)
{
    return a.kind == b.kind && a.value == b.value;
}

} // namespace

TableChanges::TableChanges(RecordTable& table)
    : table_(table), contents_(table.contents_), epoch_(table.orderEpoch_)
{
    assert(table.fieldCount() < 32);
}

TableChanges::~TableChanges()
{
    if (!tableStillHolds())
        return;
    for (const KeptCell& k : kept_)
        if (k.kind == PackedCell::Text)
            table_.texts_.release(k.value);
    for (const PackedCell& c : cells_)
        if (c.kind == PackedCell::Text)
            table_.texts_.release(c.value);
}

bool TableChanges::tableStillHolds() const
{
    return table_.contents_ == contents_;
}

// Zeroed memory straight from the system: a step that touches a few rows of
// a large table pays only for the pages it uses.
void TableChanges::RowMarks::grow(RowId row)
{
    const std::size_t size = std::max<std::size_t>({std::size_t(row) + 1, size_ * 2, 1024});
    auto* data = static_cast<std::uint32_t*>(std::calloc(size, sizeof(std::uint32_t)));
    if (!data)
        throw std::bad_alloc();
    if (size_ > 0)
        std::memcpy(data, data_, size_ * sizeof(std::uint32_t));
    std::free(data_);
    data_ = data;
    size_ = size;
}

void TableChanges::RowMarks::reset()
{
    std::free(data_);
    data_ = nullptr;
    size_ = 0;
}

std::uint32_t& TableChanges::marksOf(RowId row)
{
    if (marks_.empty())
        marks_.grow(RowId(std::max<std::size_t>(table_.creation_.size(), 1) - 1));  // room for every row now there
    return marks_[row];
}

void TableChanges::keepCell(RowId row, int field)
{
    const PackedCell c = table_.cells_.at(row, field);
    if (c.kind == PackedCell::Text)
        table_.texts_.addReference(c.value);
    kept_.push_back({row, std::uint8_t(field), c.kind, c.value});
}

// Before the row comes or goes (its creation number has not changed yet).
void TableChanges::rowChanging(RowId row)
{
    std::uint32_t& marks = marksOf(row);
    if (marks & wholeRow)
        return;
    const std::uint64_t creation = table_.creation_[row];
    rows_.push_back({row, noSlot, creation});
    const int fields = table_.fieldCount();
    if (creation != 0)  // else nothing to keep of it
        for (int f = 0; f < fields; ++f)
            if (!(marks & (1u << f)))
                keepCell(row, f);
    marks = wholeRow | ((1u << fields) - 1);
}

void TableChanges::cellChanging(RowId row, int field)
{
    std::uint32_t& marks = marksOf(row);
    if (marks & (1u << field))
        return;
    marks |= 1u << field;
    keepCell(row, field);
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
    // Sorts in a row (by several fields): the order before the first is enough.
    if (!moves_.empty() && moves_.back().kind == Move::Replaced)
        return;
    orders_.push_back(std::move(before));
    moves_.push_back({Move::Replaced, 0, std::uint32_t(orders_.size() - 1)});
}

bool TableChanges::seal()
{
    compactChanges();
    marks_.reset();
    if (rows_.empty() && kept_.empty() && !orderChanged()) {
        moves_.clear();
        orders_.clear();
        return false;
    }
    collapseMoves();
    compactLastReorder();
    return true;
}

// Every row is as it was: what is left is rows that came and went, and sorts,
// which matter only if the order differs now.
bool TableChanges::orderChanged() const
{
    const auto firstOrder = std::find_if(moves_.begin(), moves_.end(), [](const Move& m) { return m.kind == Move::Replaced; });
    if (firstOrder == moves_.end())
        return false;
    std::vector<RowId> before;
    for (RowId row : orders_[firstOrder->position])
        if (table_.creation_[row] != 0)
            before.push_back(row);
    return before != table_.order_.toVector();
}

// A step that sorts among a few other moves (adding a person sorts the list
// by number, inserts, and sorts it again) is kept as one change of order,
// from the order before the step to the order after it.
void TableChanges::collapseMoves()
{
    constexpr std::size_t fewMoves = 64;
    const bool sorted = std::any_of(moves_.begin(), moves_.end(), [](const Move& m) { return m.kind == Move::Replaced; });
    if (!sorted || moves_.size() > fewMoves || (moves_.size() == 1))
        return;
    std::vector<RowId> order = table_.order_.toVector();
    for (auto it = moves_.rbegin(); it != moves_.rend(); ++it) {
        switch (it->kind) {
        case Move::Inserted:
            if (it->position >= order.size())
                return;
            order.erase(order.begin() + it->position);
            break;
        case Move::Erased:
            if (it->position > order.size())
                return;
            order.insert(order.begin() + it->position, it->row);
            break;
        case Move::Replaced:
            order = orders_[it->position];
            break;
        }
    }
    orders_.clear();
    orders_.push_back(std::move(order));
    moves_.assign(1, {Move::Replaced, 0, 0});
}

// A change of order that moves few rows is kept as those rows leaving and
// entering the order: the rows of the longest run that keeps its order stay.
void TableChanges::compactLastReorder()
{
    if (moves_.empty() || moves_.back().kind != Move::Replaced)
        return;
    const std::vector<RowId>& before = orders_.back();
    const std::vector<RowId> after = table_.order_.toVector();
    constexpr std::uint32_t nowhere = 0xFFFFFFFFu;
    std::vector<std::uint32_t> placeAfter(table_.creation_.size(), nowhere);
    for (std::size_t i = 0; i < after.size(); ++i)
        placeAfter[after[i]] = std::uint32_t(i);
    std::vector<std::uint32_t> places(before.size());
    for (std::size_t i = 0; i < before.size(); ++i)
        places[i] = placeAfter[before[i]];
    // The longest increasing run of places, by patience sorting.
    std::vector<std::uint32_t> tails;  // index in before of the least last place of each length
    std::vector<std::int64_t> previous(before.size(), -1);
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (places[i] == nowhere)
            continue;
        const auto it = std::lower_bound(tails.begin(), tails.end(), places[i],
                                         [&](std::uint32_t index, std::uint32_t place) { return places[index] < place; });
        if (it != tails.begin())
            previous[i] = *(it - 1);
        if (it == tails.end())
            tails.push_back(std::uint32_t(i));
        else
            *it = std::uint32_t(i);
    }
    const std::size_t moved = before.size() + after.size() - 2 * tails.size();
    // Twelve bytes a moved row against four bytes a row of the whole order.
    if (moved * 3 > before.size())
        return;
    std::vector<bool> stays(before.size(), false), staysAfter(after.size(), false);
    for (std::int64_t i = tails.empty() ? -1 : std::int64_t(tails.back()); i >= 0; i = previous[std::size_t(i)]) {
        stays[std::size_t(i)] = true;
        staysAfter[places[std::size_t(i)]] = true;
    }
    std::vector<Move> moves;
    for (std::size_t i = before.size(); i-- > 0;)
        if (!stays[i])
            moves.push_back({Move::Erased, before[i], std::uint32_t(i)});
    for (std::size_t p = 0; p < after.size(); ++p)
        if (!staysAfter[p])
            moves.push_back({Move::Inserted, after[p], std::uint32_t(p)});
    moves_.pop_back();
    moves_.insert(moves_.end(), moves.begin(), moves.end());
    orders_.pop_back();
    orders_.shrink_to_fit();
    moves_.shrink_to_fit();
}

// Rows that came or went are kept whole; of the others, only the cells that
// differ now. Rows that came and went within the step, and rows that went
// and came back as they were, leave nothing.
void TableChanges::compactChanges()
{
    RecordTable& t = table_;
    const int fields = t.fieldCount();
    std::size_t images = 0;
    std::uint32_t cells = 0;
    for (const RowImage& recorded : rows_) {
        RowImage image = recorded;
        std::uint32_t& marks = marks_[image.row];
        if (image.creation == t.creation_[image.row]) {
            marks = 0;  // its cells, if any, count as changes of a row that stayed
            continue;
        }
        image.slot = image.creation == 0 ? noSlot : cells;
        if (image.slot != noSlot)
            cells += std::uint32_t(fields);
        marks = wholeRow | std::uint32_t(images);
        rows_[images++] = image;
    }
    rows_.resize(images);
    rows_.shrink_to_fit();
    cells_.assign(cells, PackedCell{});
    std::size_t kept = 0;
    textBytes_ = 0;
    for (const KeptCell k : kept_) {
        const PackedCell cell{k.kind, k.value};
        if (const std::uint32_t marks = marks_[k.row]; marks & wholeRow) {
            cells_[rows_[marks & ~wholeRow].slot + k.field] = cell;
        } else if (!sameCell(cell, t.cells_.at(k.row, k.field))) {
            kept_[kept++] = k;
        } else {
            if (k.kind == PackedCell::Text)
                t.texts_.release(k.value);
            continue;
        }
        countText(cell, true);
    }
    kept_.truncate(kept);
    moves_.shrink_to_fit();
}

void TableChanges::countText(const PackedCell& cell, bool adding)
{
    if (cell.kind != PackedCell::Text)
        return;
    const std::size_t size = std::size_t(table_.texts_.text(cell.value).size()) * 2 + 48;
    textBytes_ = adding ? textBytes_ + size : textBytes_ - std::min(textBytes_, size);
}

void TableChanges::exchange(bool undo)
{
    if (!tableStillHolds())
        return;
    RecordTable& t = table_;
    const bool oneByOne = rows_.size() + kept_.size() <= rowsChangedOneByOne;
    if (!oneByOne)
        for (auto& index : t.indexes_)
            index.reset();
    // Room at once for the rows that go for the first time.
    std::size_t leaving = 0;
    for (const RowImage& image : rows_)
        leaving += image.slot == noSlot && t.creation_[image.row] != 0;
    cells_.reserve(cells_.size() + leaving * std::size_t(t.fieldCount()));
    std::vector<RowId> appeared, gone;
    for (RowImage& image : rows_)
        exchangeRow(image, oneByOne, appeared, gone);
    for (KeptCell& kept : kept_)
        exchangeCell(kept, oneByOne);

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
    t.showCursorAt(t.currentRowId());
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
        for (int f = 0; f < fields; ++f) {
            PackedCell& cell = t.cells_.at(row, f);
            PackedCell& kept = cells_[image.slot + std::uint32_t(f)];
            countText(kept, false);
            countText(cell, true);
            std::swap(kept, cell);
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

void TableChanges::exchangeCell(KeptCell& kept, bool indexEachCell)
{
    RecordTable& t = table_;
    PackedCell& cell = t.cells_.at(kept.row, kept.field);
    IntegerIndex* index = indexEachCell && kept.field < t.indexes_.size() ? t.indexes_[kept.field].get() : nullptr;
    if (index && cell.kind == PackedCell::Integer)
        index->remove(std::int32_t(cell.value), kept.row);
    const PackedCell other{kept.kind, kept.value};
    countText(other, false);
    countText(cell, true);
    kept.kind = cell.kind;
    kept.value = cell.value;
    cell = other;
    if (index && cell.kind == PackedCell::Integer)
        index->add(std::int32_t(cell.value), kept.row);
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
                        + kept_.capacity() * sizeof(KeptCell)
                        + moves_.capacity() * sizeof(Move) + textBytes_;
    for (const auto& order : orders_)
        total += order.capacity() * sizeof(RowId);
    return total;
}
