// Long random sequences of the tree's own commands, each one step of the
// history; then undo back to the start and redo to the end, comparing every
// kept table with the states met on the way.
#include "autotree/CompressDiagram.h"
#include "autotree/TreeBuild.h"
#include "card/CardEditing.h"
#include "card/Notes.h"
#include "diagram/DiagramLayout.h"
#include "diagram/DiagramScroll.h"
#include "dialogs/EventEntry.h"
#include "dialogs/NameEntry.h"
#include "gedcom/GedcomImport.h"
#include "gedcom/WindowlessImportHost.h"
#include "list/PersonList.h"
#include "store/GenealogyStore.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>
#include <random>

namespace {

using TableShot = TableSnapshot;

struct TreeShot {
    std::vector<TableShot> tables;
    std::vector<std::uint64_t> counters;
    int horzRange = 0, vertRange = 0;
};

TreeShot shotOf(GenealogyStore& store, const PlainScroll& scroll)
{
    TreeShot shot;
    for (RecordTable* table : store.keptTables()) {
        shot.tables.push_back(snapshotOf(*table));
        shot.counters.push_back(table->creationCounter());
    }
    shot.horzRange = scroll.horzRange();
    shot.vertRange = scroll.vertRange();
    return shot;
}

const QByteArray smallFiles[] = {
    R"(0 HEAD
1 CHAR UTF-8
0 @F1@ FAM
1 HUSB @I0001@
1 WIFE @I0002@
1 CHIL @I0003@
0 @I0001@ INDI
1 NAME Пётр /Сидоров/
1 SEX M
1 BIRT
2 DATE 1 JAN 1880
2 PLAC Тула
0 @I0002@ INDI
1 NAME Анна /Сидорова/
1 SEX F
1 NOTE Записано со слов
2 CONT внучки
0 @I0003@ INDI
1 NAME Олег Петрович /Сидоров/
1 NAME Алик
2 TYPE aka
1 SEX M
0 TRLR
)",
    R"(0 HEAD
0 @P17@ INDI
1 NAME Ева /Смит/
1 SEX F
1 DEAT
2 DATE 1950
1 OBJE
2 FILE ева.jpg
2 TITL Портрет
0 @P18@ INDI
1 NAME Иоганн /Шмидт/
1 SEX M
0 @F2@ FAM
1 HUSB @P18@
1 WIFE @P17@
1 MARR
2 DATE 1920
0 TRLR
)",
};

class Session {
public:
    GenealogyStore store;
    PlainScroll scroll{600, 400};
    std::mt19937 random;

    explicit Session(unsigned seed) : random(seed)
    {
        store.history.setEnabled(true);
        store.history.setStrayChangeHandler([this](const QString&) { ++strays; });
        store.history.setSideState(
            {[this] { return std::any(std::pair(scroll.horzRange(), scroll.vertRange())); },
             [this](const std::any& v) {
                 const auto ranges = std::any_cast<std::pair<int, int>>(v);
                 scroll.setRanges(ranges.first, ranges.second);
             },
             [](const std::any& a, const std::any& b) {
                 return std::any_cast<std::pair<int, int>>(a) == std::any_cast<std::pair<int, int>>(b);
             }});
    }

    int strays = 0;

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }

    // A person's number, moving the list's cursor to it; 0 when there is none.
    int somePerson()
    {
        RecordTable& persons = store.persons;
        if (persons.isEmpty())
            return 0;
        persons.setCurrentPosition(pick(persons.recordCount()));
        return persons.asInteger(PersonField::num);
    }

    void command(int person)
    {
        const HistoryStep step(store.history, QStringLiteral("команда"));
        switch (pick(11)) {
        case 0: {
            insertNewPerson(store.persons);
            applyListSort(store.persons, SortItem::FamilyName);
            break;
        }
        case 1:
            if (person)
                deletePersonEverywhere(store, person);
            break;
        case 2:
            if (person) {
                static const char* const fams[] = {"Иванов", "Петрова", "Кузнецов"};
                NameEntry entry{NameText::Alternative, {QString::fromUtf8(fams[pick(3)]), QStringLiteral("Иван"), {}},
                                SexChoice(pick(3))};
                storeName(store, person, entry, pick(3) == 0 ? std::optional(ReplacedName{true, -1}) : std::nullopt);
            }
            break;
        case 3:
            if (person)
                saveEvent(store, {false, 0, person, pick(2) ? EventText::Birth : EventText::Death,
                                  QStringLiteral("19%1").arg(10 + pick(80)), QStringLiteral("Москва")});
            break;
        case 4:
            if (person) {
                const bool male = store.persons.asBoolean(PersonField::sex);
                const int n = insertNewPerson(store.persons);
                linkNewRelative(store, person, male, n, Relative(pick(5)));
            }
            break;
        case 5:
            if (person)
                BuildTree(TreeKind(pick(3)), store, DiagramUnits{}, scroll);
            break;
        case 6: {
            WindowlessImportHost host(store);
            GedcomImport import(store, host);
            import.begin();
            import.readData(smallFiles[pick(2)], QStringLiteral("семья.ged"));
            import.finish();
            break;
        }
        case 7:
            if (person)
                storeComment(store, person, QStringLiteral("Заметка"), QStringLiteral("текст %1").arg(pick(100)));
            break;
        case 8:
            CompressDiagram(store.diagram, 85);
            NormaliseDiagram(store.diagram, DiagramUnits{}, scroll);
            break;
        case 9:
            if (pick(3) == 0)
                clearDiagramTables(store, scroll);
            else
                AlignToGrid(store.diagram, 40, 40);
            break;
        default:
            if (person)
                storeMedia(store, person, QStringLiteral("Фото"), QStringLiteral("/фото/%1.jpg").arg(pick(10)));
            break;
        }
    }
};

struct KeptStep {
    TreeShot before, after;
};

void expectShot(const TreeShot& now, const KeptStep& step, bool undone, int index)
{
    const TreeShot& want = undone ? step.before : step.after;
    const char* when = undone ? "undo" : "redo";
    for (std::size_t t = 0; t < want.tables.size(); ++t) {
        EXPECT_TRUE(now.tables[t].sameRows(want.tables[t])) << when << " step " << index << " table " << t;
        if (!step.before.tables[t].sameRows(step.after.tables[t])) {
            EXPECT_EQ(now.tables[t].current, want.tables[t].current) << when << " step " << index << " table " << t;
        }
    }
    EXPECT_EQ(now.horzRange, want.horzRange) << when << " step " << index;
    EXPECT_EQ(now.vertRange, want.vertRange) << when << " step " << index;
}

} // namespace

TEST(HistoryDifferential, EveryCommandUndoesAndRedoesExactly)
{
    for (unsigned seed = 1; seed <= 12; ++seed) {
        Session session(seed);
        std::vector<KeptStep> kept;
        for (int i = 0; i < 80; ++i) {
            const int person = session.somePerson();
            KeptStep step{shotOf(session.store, session.scroll), {}};
            const int count = session.store.history.stack().count();
            session.command(person);
            step.after = shotOf(session.store, session.scroll);
            if (session.store.history.stack().count() > count)
                kept.push_back(std::move(step));
        }
        ASSERT_EQ(session.strays, 0);
        EXPECT_GT(kept.size(), 20u) << "seed " << seed;
        EXPECT_GT(session.store.persons.recordCount() + session.store.diagram.recordCount(), 5) << "seed " << seed;
        const TreeShot end = shotOf(session.store, session.scroll);
        for (int i = int(kept.size()) - 1; i >= 0; --i) {
            session.store.history.undo();
            expectShot(shotOf(session.store, session.scroll), kept[std::size_t(i)], true, i);
        }
        EXPECT_FALSE(session.store.history.canUndo());
        for (std::size_t i = 0; i < kept.size(); ++i) {
            session.store.history.redo();
            expectShot(shotOf(session.store, session.scroll), kept[i], false, int(i));
        }
        // Counters never roll back: no number is given twice.
        EXPECT_EQ(shotOf(session.store, session.scroll).counters, end.counters);
        if (::testing::Test::HasFailure())
            FAIL() << "seed " << seed;
    }
}
