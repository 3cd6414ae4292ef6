// Input the designed routines cannot take: refused before any change, or cut
// cleanly, never recursing as deep as the data.
#include "TreeFixture.h"

#include "autotree/AncestorDepth.h"
#include "diagram/DiagramRows.h"

#include <gtest/gtest.h>

namespace {

const TreeKind allKinds[] = {TreeKind::Ascending, TreeKind::Descending, TreeKind::TwoWay};

// What a refusal must leave as it was.
struct Snapshot {
    int diagramRows, selectionRows, horzRange, person, linkPosition;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const TreeFixture& t)
{
    return {t.store.diagram.recordCount(), t.store.selection.recordCount(), t.scroll.horzRange(), t.current(),
            t.store.links.currentPosition()};
}

// A line of n generations: person k is the father of person k + 1.
void chain(TreeFixture& t, int n)
{
    for (int k = n; k >= 1; --k)
        t.store.persons.insertRecord({k, "Ф", "И", "О", QString(), true});
    for (int k = n - 1; k >= 1; --k)
        t.store.links.insertRecord({k, k + 1, LinkKind::ParentOf});
}

void expectRefused(TreeFixture& t, TreeKind kind, const QString& startOfMessage)
{
    insertPersonRow(t.store.diagram, 2, QPoint(5, 5), "x", "y", 12345);
    t.store.selection.insertRecord({12345, 5, 5, 2});
    t.scroll.setRanges(777, 777);
    const Snapshot before = snapshot(t);
    const TreeBuildResult result = BuildTree(kind, t.store, t.units, t.scroll);
    EXPECT_TRUE(result.refused);
    EXPECT_TRUE(result.refusal.startsWith(startOfMessage)) << result.refusal.toStdString();
    EXPECT_EQ(snapshot(t), before);
}

} // namespace

TEST(TreeRefusal, EmptyPersonsTable)
{
    for (TreeKind kind : allKinds) {
        TreeFixture t;
        expectRefused(t, kind, "Нет записей в базе данных");
    }
}

TEST(TreeRefusal, TooManyVisitsFromPedigreeCollapse)
{
    // Both persons of each generation are the parents of both of the next:
    // 2^26 lines up, 2^26 lines down.
    for (TreeKind kind : allKinds) {
        TreeFixture t;
        for (int g = 0; g < 26; ++g)
            t.persons({{2 * g + 1, true}, {2 * g + 2, false}});
        auto link = [&](int older, int younger) {
            if (kind == TreeKind::Descending)
                t.parentLinks({{younger, older}});
            else
                t.parentLinks({{older, younger}});
        };
        for (int g = 0; g + 1 < 26; ++g)
            for (int older : {2 * g + 3, 2 * g + 4})
                for (int younger : {2 * g + 1, 2 * g + 2})
                    link(older, younger);
        t.makeCurrent(1);
        expectRefused(t, kind, "Слишком много:");
        // A cycle below the collapse must not make the depth walk every line.
        link(1, 3);
        bool cycle = false;
        EXPECT_EQ(AncestorDepth(t.store, 1, &cycle), kind == TreeKind::Descending ? 2 : 25);
        EXPECT_TRUE(cycle);
        expectRefused(t, kind, "Слишком много:");
    }
}

TEST(TreeRefusal, PositionsBeyondThirtyTwoBits)
{
    struct Case {
        TreeKind kind;
        int generations, h, v, children;
        bool refused;
        QString message;
    };
    // A line of fathers at H = 85: the oldest stands at 300 - 85 * (2^D - 1).
    const Case cases[] = {
        {TreeKind::Ascending, 24, 85, 75, 0, false, {}},
        {TreeKind::Ascending, 25, 85, 75, 0, true, "Слишком много поколений (25)"},
        {TreeKind::TwoWay, 25, 85, 75, 0, true, "Слишком много поколений"},
        {TreeKind::Descending, 1, 100000, 75, 14000, false, {}},
        {TreeKind::Descending, 1, 100000, 75, 15000, true, "Слишком широкое древо"},
        {TreeKind::Descending, 30000, 85, 100000, 0, true, "Слишком много поколений"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.generations + c.children);
        TreeFixture t;
        t.units = {c.h, c.v};
        chain(t, c.generations + 1);
        for (int k = 0; k < c.children; ++k)
            t.store.links.insertRecord({1, 100 + k, LinkKind::ParentOf});
        t.makeCurrent(c.kind == TreeKind::Descending ? 1 : c.generations + 1);
        if (c.refused)
            expectRefused(t, c.kind, c.message);
        else
            EXPECT_FALSE(BuildTree(c.kind, t.store, t.units, t.scroll).refused);
    }
}

TEST(TreeRefusal, CyclesEndTheLineAndAreNamedOnce)
{
    struct Case {
        TreeKind kind;
        int boxesOfOne, lineRows;
    };
    // 1 and 2 are each other's father, and 3 is a child of 1.
    const Case cases[] = {{TreeKind::Ascending, 2, 2}, {TreeKind::Descending, 1, 3}, {TreeKind::TwoWay, 2, 5}};
    for (const Case& c : cases) {
        TreeFixture t;
        t.persons({{1, true}, {2, true}, {3, false}});
        t.parentLinks({{2, 1}, {1, 2}, {1, 3}});
        t.makeCurrent(1);
        const TreeBuildResult result = BuildTree(c.kind, t.store, t.units, t.scroll);
        ASSERT_FALSE(result.refused);
        EXPECT_EQ(result.cyclePersons, QList<int>{1});
        EXPECT_TRUE(result.cycleMessage.contains("\n1 Ф1 И1 О1")) << result.cycleMessage.toStdString();
        EXPECT_EQ(t.boxes().value(1).size(), c.boxesOfOne);
        EXPECT_EQ(t.lines().size(), c.lineRows);
    }
}

TEST(TreeRefusal, VeryDeepLinesNeedNoDeepStack)
{
    TreeFixture t;
    t.units = {85, 1};
    chain(t, 200000);
    bool cycle = true;
    EXPECT_EQ(AncestorDepth(t.store, 200000, &cycle), 199999);
    EXPECT_FALSE(cycle);
    EXPECT_EQ(t.current(), 200000);  // the walk ends back on the person asked about
    t.makeCurrent(1);
    const TreeBuildResult down = BuildDescendingTree(t.store, t.units, t.scroll);
    ASSERT_FALSE(down.refused);
    EXPECT_EQ(t.store.diagram.recordCount(), 399999);
    EXPECT_EQ(t.current(), 200000);
    const TreeBuildResult up = BuildAscendingTree(t.store, t.units, t.scroll);
    EXPECT_TRUE(up.refused);
    EXPECT_EQ(t.store.diagram.recordCount(), 399999);
}
