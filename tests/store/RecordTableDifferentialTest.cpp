// Long random sequences of operations on a record table and on a deliberately
// plain model of it (a vector of rows, linear scans); after every step both
// must show the same rows in the same order, the same current row and Eof.
#include "store/Collation.h"
#include "store/RecordTable.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <random>

namespace {

enum { Id, Fam, Flag, Note, Shown, Small, FieldCount };

std::vector<FieldDef> fieldDefs()
{
    return {{.name = "id", .kind = FieldKind::Integer},
            {.name = "fam", .kind = FieldKind::String, .size = 6},
            {.name = "flag", .kind = FieldKind::Boolean},
            {.name = "note", .kind = FieldKind::Memo},
            {.name = "shown", .kind = FieldKind::CalcString, .size = 10},
            {.name = "small", .kind = FieldKind::SmallInt}};
}

struct ModelRow {
    std::uint64_t creation;
    std::vector<Cell> cells;
};

bool evenId(const Cell& id)
{
    const auto* i = std::get_if<std::int32_t>(&id);
    return i && *i % 2 == 0;
}

// The table as the rules describe it, with nothing clever in it.
class Model {
public:
    std::vector<ModelRow> rows;
    int current = -1;
    bool eofFlag = true;
    bool filtered = false;

    bool visible(int p) const { return !filtered || evenId(rows[p].cells[Id]); }
    bool eof() const { return eofFlag || rows.empty(); }
    int size() const { return int(rows.size()); }

    void insert(const std::vector<FieldValue>& values)
    {
        const std::vector<FieldDef> defs = fieldDefs();
        ModelRow row{counter_++, std::vector<Cell>(FieldCount)};
        for (std::size_t f = 0; f < values.size() && f < defs.size(); ++f)
            row.cells[f] = values[f].convertedFor(defs[f].kind, defs[f].size);
        const int at = current < 0 ? size() : current;
        rows.insert(rows.begin() + at, row);
        current = at;
        eofFlag = false;
    }
    void set(int field, const FieldValue& value) { setAt(current, field, value); }
    void setAt(int position, int field, const FieldValue& value)
    {
        if (position >= 0 && position < size())
            rows[position].cells[field] = value.convertedFor(fieldDefs()[field].kind, fieldDefs()[field].size);
    }
    void erase()
    {
        if (current < 0)
            return;
        rows.erase(rows.begin() + current);
        if (rows.empty()) {
            current = -1;
            eofFlag = true;
            return;
        }
        const int from = std::min(current, size() - 1);
        const int after = scan(from, +1), before = scan(from, -1);
        current = after >= 0 ? after : before >= 0 ? before : from;
        eofFlag = false;
    }
    void clear()
    {
        rows.clear();
        current = -1;
        eofFlag = true;
    }
    void first()
    {
        const int p = scan(0, +1);
        eofFlag = p < 0;
        if (p >= 0)
            current = p;
    }
    void last()
    {
        if (const int p = scan(size() - 1, -1); p >= 0) {
            current = p;
            eofFlag = false;
        }
    }
    void next()
    {
        if (current < 0)
            return;
        const int p = scan(current + 1, +1);
        if (p < 0)
            eofFlag = true;
        else
            current = p;
    }
    void prior()
    {
        if (current < 0)
            return;
        eofFlag = false;
        if (const int p = scan(current - 1, -1); p >= 0)
            current = p;
    }
    void setRecNo(int n)
    {
        if (n >= 1 && n <= size()) {
            current = n - 1;
            eofFlag = false;
        }
    }
    bool locate(const std::vector<int>& fields, const std::vector<FieldValue>& values)
    {
        for (int p = 0; p < size(); ++p) {
            bool match = visible(p);
            for (std::size_t i = 0; match && i < fields.size(); ++i)
                match = rows[p].cells[fields[i]] == values[i].convertedFor(fieldDefs()[fields[i]].kind, 0);
            if (match) {
                current = p;
                eofFlag = false;
                return true;
            }
        }
        return false;
    }
    void setFiltered(bool on)
    {
        if (on == filtered)
            return;
        filtered = on;
        first();
    }
    void sort(int field, bool caseInsensitive, bool descending)
    {
        const std::uint64_t keep = current >= 0 ? rows[current].creation : 0;
        std::sort(rows.begin(), rows.end(), [&](const ModelRow& a, const ModelRow& b) {
            int c = compareCells(a.cells[field], b.cells[field], caseInsensitive);
            if (c == 0)
                c = a.creation < b.creation ? -1 : 1;
            return descending ? c > 0 : c < 0;
        });
        for (int p = 0; current >= 0 && p < size(); ++p)
            if (rows[p].creation == keep)
                current = p;
    }

private:
    int scan(int from, int step) const
    {
        for (int p = from; p >= 0 && p < size(); p += step)
            if (visible(p))
                return p;
        return -1;
    }
    static int compareCells(const Cell& a, const Cell& b, bool caseInsensitive)
    {
        const bool emptyA = std::holds_alternative<std::monostate>(a);
        const bool emptyB = std::holds_alternative<std::monostate>(b);
        if (emptyA || emptyB)
            return int(!emptyA) - int(!emptyB);
        if (auto s = std::get_if<QString>(&a))
            return compareRussian(*s, std::get<QString>(b), caseInsensitive);
        if (auto i = std::get_if<std::int32_t>(&a))
            return *i < std::get<std::int32_t>(b) ? -1 : *i > std::get<std::int32_t>(b);
        return int(std::get<bool>(a)) - int(std::get<bool>(b));
    }

    std::uint64_t counter_ = 0;
};

class Driver {
public:
    explicit Driver(unsigned seed) : random_(seed)
    {
        table_.setFilterCallback([this](RowId row) { return evenId(table_.cellAt(row, Id)); });
        table_.setDisplayCallback(Shown, [this](RowId row) { return table_.stringAt(row, Fam) + "!"; });
    }

    FieldValue value(int field)
    {
        static const char* texts[] = {"а", "А", "б", "Б", "аб", "Аб", "ёж", "Ёж", "еж", "z", "Z", "", "длинный текст"};
        if (pick(8) == 0)
            return FieldValue();
        switch (field) {
        case Id:
            return pick(12) - 2;
        case Small:
            return pick(3) == 0 ? 70000 + pick(3) : pick(5);
        case Flag:
            return bool(pick(2));
        default:
            return texts[pick(std::size(texts))];
        }
    }

    // One random step, applied to both; returns its name for failure messages.
    std::string step()
    {
        const int stored[] = {Id, Fam, Flag, Note, Small};
        switch (pick(20)) {
        case 0: case 1: case 2: case 3: {
            std::vector<FieldValue> values;
            for (int f = 0, k = pick(FieldCount + 1); f < k; ++f)
                values.push_back(value(f));
            table_.insertRecord(values);
            model_.insert(values);
            return "insert";
        }
        case 4: {
            const int f = stored[pick(5)];
            const FieldValue v = value(f);
            table_.edit();
            table_.setValue(f, v);
            table_.post();
            model_.set(f, v);
            return "edit";
        }
        case 5: {
            // Any row, the cursor stays; out-of-range positions change nothing.
            const int f = pick(2) ? Id : Small;
            const int p = pick(model_.size() + 2) - 1;
            const std::int32_t v = pick(3) == 0 ? 70000 + pick(3) : pick(12) - 2;
            table_.setIntegerAt(p, f, v);
            model_.setAt(p, f, v);
            return "set an integer at a position";
        }
        case 6: table_.deleteRecord(); model_.erase(); return "delete";
        case 7: table_.first(); model_.first(); return "first";
        case 8: table_.last(); model_.last(); return "last";
        case 9: case 10: table_.next(); model_.next(); return "next";
        case 11: table_.prior(); model_.prior(); return "prior";
        case 12: {
            const int n = pick(model_.size() + 3) - 1;
            table_.setRecNo(n);
            model_.setRecNo(n);
            return "recno";
        }
        case 13: case 14: {
            const int f = stored[pick(5)];
            const FieldValue v = value(f);
            EXPECT_EQ(table_.locate(f, v), model_.locate({f}, {v}));
            return "locate one field";
        }
        case 15: {
            const std::vector<int> fields = {Fam, Id};
            const std::vector<FieldValue> values = {value(Fam), value(Id)};
            EXPECT_EQ(table_.locate(fields, values), model_.locate(fields, values));
            return "locate two fields";
        }
        case 16: {
            const bool on = pick(2);
            table_.setFiltered(on);
            model_.setFiltered(on);
            return "filter";
        }
        case 17: case 18: {
            const int f = stored[pick(5)];
            const bool ci = pick(2), desc = pick(2);
            table_.sortOnField(f, ci, desc);
            model_.sort(f, ci, desc);
            return "sort";
        }
        default:
            if (pick(10) == 0) {
                table_.emptyTable();
                model_.clear();
                return "empty";
            }
            return "nothing";
        }
    }

    void expectSame(const std::string& where)
    {
        ASSERT_EQ(table_.recordCount(), model_.size()) << where;
        EXPECT_EQ(table_.eof(), model_.eof()) << where;
        EXPECT_EQ(table_.currentPosition(), model_.current) << where;
        EXPECT_EQ(table_.recNo(), model_.current + 1) << where;
        for (int p = 0; p < model_.size(); ++p) {
            for (int f : {Id, Fam, Flag, Note, Small}) {
                ASSERT_EQ(table_.cellAt(table_.rowAt(p), f), model_.rows[p].cells[f]) << where << " row " << p;
            }
        }
        if (model_.current >= 0) {
            EXPECT_EQ(table_.asString(Shown), table_.asString(Fam) + "!") << where;
        }
        const std::int32_t wanted = pick(4);
        std::vector<int> positions;
        for (int p = 0; p < model_.size(); ++p) {
            if (model_.visible(p) && model_.rows[p].cells[Id] == Cell(wanted))
                positions.push_back(p);
        }
        EXPECT_EQ(table_.positionsWithInteger(Id, wanted), positions) << where;
    }

private:
    int pick(std::size_t n) { return n == 0 ? 0 : int(random_() % n); }

    std::mt19937 random_;
    RecordTable table_{"T", fieldDefs()};
    Model model_;
};

} // namespace

TEST(RecordTableDifferential, RandomSequencesAgreeWithAPlainModel)
{
    for (unsigned seed = 1; seed <= 16; ++seed) {
        Driver driver(seed);
        for (int i = 0; i < 4000; ++i) {
            const std::string what = driver.step();
            driver.expectSame("seed " + std::to_string(seed) + ", step " + std::to_string(i) + ": " + what);
            if (::testing::Test::HasFailure())
                return;
        }
    }
}
