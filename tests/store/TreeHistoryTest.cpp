// Random steps over two recorded tables; after each run every state met on the
// way must come back exactly when undoing to the start and redoing to the end.
#include "store/RecordTable.h"
#include "store/TreeHistory.h"
#include "support/TestHelpers.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <random>

namespace {

std::vector<FieldDef> fields()
{
    return {{.name = "id", .kind = FieldKind::Integer},
            {.name = "fam", .kind = FieldKind::String, .size = 6},
            {.name = "flag", .kind = FieldKind::Boolean},
            {.name = "note", .kind = FieldKind::Memo}};
}

using TableState = TableSnapshot;

class Fixture {
public:
    RecordTable a{"a", fields()}, b{"b", fields()};
    TreeHistory history{{&a, &b}};
    std::mt19937 random;
    int side = 0;  // state kept beside the tables

    explicit Fixture(unsigned seed) : random(seed)
    {
        history.setEnabled(true);
        history.setSideState({[this] { return std::any(side); }, [this](const std::any& v) { side = std::any_cast<int>(v); },
                              [](const std::any& x, const std::any& y) {
                                  return std::any_cast<int>(x) == std::any_cast<int>(y);
                              }});
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }

    FieldValue value(int field)
    {
        static const char* const texts[] = {"Иванов", "Петров", "", "Сидорова", "Ёлкин", "Abc"};
        if (pick(6) == 0)
            return FieldValue();
        switch (field) {
        case 0:
            return pick(20) - 5;
        case 2:
            return pick(2) == 0;
        default:
            return QString::fromUtf8(texts[pick(6)]);
        }
    }

    void change(RecordTable& t)
    {
        switch (pick(10)) {
        case 0:
        case 1:
        case 2:
            t.insertRecord({value(0), value(1), value(2), value(3)});
            break;
        case 8:
            // Numbers of many rows at once, searched before so that the index follows.
            t.positionsWithInteger(0, 1);
            for (int p = 0; p < t.recordCount(); ++p)
                if (pick(3) != 0)
                    t.setIntegerAt(p, 0, pick(8) - 2);
            break;
        case 3:
        case 4:
            t.setValue(pick(4), value(pick(4)));
            break;
        case 5:
        case 6:
            t.deleteRecord();
            break;
        case 7:
            if (pick(6) == 0)
                t.emptyTable();
            else
                t.sortOnField(pick(2) == 0 ? 0 : 1, true, pick(2) == 0);
            break;
        default:
            ++side;
            break;
        }
    }

    void move(RecordTable& t)
    {
        if (!t.isEmpty())
            t.setCurrentPosition(pick(t.recordCount()));
    }

    std::pair<TableState, TableState> state() const { return {snapshotOf(a), snapshotOf(b)}; }
};

// One kept step: the tables and the side state before and after it.
struct Kept {
    std::pair<TableState, TableState> before, after;
    int sideBefore = 0, sideAfter = 0;
};

// Rows everywhere; the current row where the step changed the table.
void expectState(Fixture& f, const Kept& step, bool undone, int index)
{
    const auto& want = undone ? step.before : step.after;
    const auto now = f.state();
    const char* when = undone ? "undo" : "redo";
    EXPECT_TRUE(now.first.sameRows(want.first)) << when << " step " << index;
    EXPECT_TRUE(now.second.sameRows(want.second)) << when << " step " << index;
    if (!step.before.first.sameRows(step.after.first)) {
        EXPECT_EQ(now.first.current, want.first.current) << when << " step " << index;
    }
    if (!step.before.second.sameRows(step.after.second)) {
        EXPECT_EQ(now.second.current, want.second.current) << when << " step " << index;
    }
    EXPECT_EQ(f.side, undone ? step.sideBefore : step.sideAfter) << when << " step " << index;
    for (RecordTable* t : {&f.a, &f.b})
        for (std::int32_t number = -2; number < 6; ++number) {
            std::vector<int> holding;
            for (int p = 0; p < t->recordCount(); ++p)
                if (t->cellAt(t->rowAt(p), 0) == Cell(number))
                    holding.push_back(p);
            EXPECT_EQ(t->positionsWithInteger(0, number), holding) << when << " step " << index;
        }
}

} // namespace

TEST(TreeHistory, UndoAndRedoGiveBackEveryStateExactly)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        Fixture f(seed);
        std::vector<Kept> kept;
        for (int step = 0; step < 40; ++step) {
            f.move(f.a);
            f.move(f.b);
            Kept k{f.state(), {}, f.side, 0};
            const int stepsBefore = f.history.stack().count();
            {
                HistoryStep scope(f.history, QStringLiteral("шаг %1").arg(step));
                for (int n = f.pick(4); n >= 0; --n)
                    f.change(f.pick(2) == 0 ? f.a : f.b);
            }
            k.after = f.state();
            k.sideAfter = f.side;
            const bool changed = !k.before.first.sameRows(k.after.first) || !k.before.second.sameRows(k.after.second)
                                 || k.sideBefore != k.sideAfter;
            ASSERT_EQ(f.history.stack().count(), stepsBefore + (changed ? 1 : 0)) << "seed " << seed;
            if (changed)
                kept.push_back(k);
        }
        const std::uint64_t counter = f.a.creationCounter();
        for (int i = int(kept.size()) - 1; i >= 0; --i) {
            f.history.undo();
            expectState(f, kept[std::size_t(i)], true, i);
        }
        EXPECT_FALSE(f.history.canUndo());
        for (std::size_t i = 0; i < kept.size(); ++i) {
            f.history.redo();
            expectState(f, kept[i], false, int(i));
        }
        // Numbers once given are never given again.
        EXPECT_EQ(f.a.creationCounter(), counter);
        if (::testing::Test::HasFailure())
            FAIL() << "seed " << seed;
    }
}

TEST(TreeHistory, AfterASortOutsideAStepRowsComeBackWhereTheSortPutsThem)
{
    for (unsigned seed = 1; seed <= 30; ++seed) {
        Fixture f(seed);
        {
            HistoryStep scope(f.history, QStringLiteral("начало"));
            for (int i = 0; i < 8; ++i)
                f.a.insertRecord({f.pick(10), "x"});
        }
        f.history.clear();
        std::vector<std::vector<std::uint64_t>> contents;  // creation numbers, as a set
        auto contentsNow = [&] {
            std::vector<std::uint64_t> numbers;
            for (const auto& row : f.a.savedRows())
                numbers.push_back(row.creation);
            std::sort(numbers.begin(), numbers.end());
            return numbers;
        };
        contents.push_back(contentsNow());
        for (int step = 0; step < 12; ++step) {
            f.move(f.a);
            HistoryStep scope(f.history, QStringLiteral("шаг"));
            if (f.pick(2) == 0)
                f.a.deleteRecord();
            else
                f.a.insertRecord({f.pick(10), "y"});
            contents.push_back(contentsNow());
        }
        f.a.sortOnField(0, false, f.pick(2) == 0);
        auto expectSorted = [&](const char* when) {
            const auto rows = f.a.savedRows();
            for (std::size_t i = 1; i < rows.size(); ++i) {
                const auto key = [](const RecordTable::SavedRow& r) {
                    return std::pair(std::get<std::int32_t>(r.cells[0]), r.creation);
                };
                const bool descending = key(rows[0]) > key(rows.back());
                EXPECT_TRUE(descending ? key(rows[i - 1]) > key(rows[i]) : key(rows[i - 1]) < key(rows[i])) << when;
            }
        };
        for (int i = int(contents.size()) - 1; i > 0; --i) {
            f.history.undo();
            EXPECT_EQ(contentsNow(), contents[std::size_t(i - 1)]) << "seed " << seed;
            expectSorted("undo");
        }
        for (std::size_t i = 1; i < contents.size(); ++i) {
            f.history.redo();
            EXPECT_EQ(contentsNow(), contents[i]) << "seed " << seed;
            expectSorted("redo");
        }
    }
}

TEST(TreeHistory, SavedStateStrayChangesAndLimits)
{
    Fixture f(7);
    QStringList strays;
    f.history.setStrayChangeHandler([&](const QString& table) { strays << table; });

    // The saved state: clean after undoing back to it, unclean past it.
    {
        HistoryStep scope(f.history, QStringLiteral("первый"));
        f.a.insertRecord({1, "a"});
    }
    f.history.setSaved();
    {
        HistoryStep scope(f.history, QStringLiteral("второй"));
        f.a.setValue(0, 2);
    }
    EXPECT_FALSE(f.history.atSaved());
    EXPECT_EQ(f.history.stack().undoText(), QStringLiteral("второй"));
    f.history.undo();
    EXPECT_TRUE(f.history.atSaved());
    f.history.redo();
    EXPECT_FALSE(f.history.atSaved());

    // A step that changes nothing is not kept; sorting and moving alone are no step.
    const int count = f.history.stack().count();
    {
        HistoryStep scope(f.history, QStringLiteral("ничего"));
        f.a.setValue(0, 2);
        f.a.insertRecord({5});
        f.a.deleteRecord();
    }
    f.a.sortOnField(1, true, false);
    f.a.first();
    EXPECT_EQ(f.history.stack().count(), count);
    EXPECT_TRUE(strays.isEmpty());

    // A change outside a step is reported and still undoable once the loop runs.
    f.b.insertRecord({9});
    EXPECT_EQ(strays, QStringList{QStringLiteral("b")});
    QCoreApplication::processEvents();
    EXPECT_EQ(f.history.stack().count(), count + 1);
    f.history.undo();
    EXPECT_TRUE(f.b.isEmpty());

    // The oldest steps go first; the saved state may go with them.
    f.history.setLimits(std::size_t(1) << 30, 3);
    for (int i = 0; i < 5; ++i) {
        HistoryStep scope(f.history, QStringLiteral("шаг %1").arg(i));
        f.a.insertRecord({10 + i});
    }
    EXPECT_EQ(f.history.stack().count(), 3);
    EXPECT_EQ(f.a.recordCount(), 6);
    while (f.history.canUndo())
        f.history.undo();
    EXPECT_EQ(f.a.recordCount(), 3);
    EXPECT_FALSE(f.history.atSaved());
    while (f.history.canRedo())
        f.history.redo();
    EXPECT_EQ(f.a.recordCount(), 6);

    // Emptying a table outside any recording clears the history.
    {
        HistorySuspended quiet(f.history);
        f.a.emptyTable();
    }
    EXPECT_FALSE(f.history.canUndo());
}
