// Worked examples of the three builds and of the compression.
#include "TreeFixture.h"

#include "autotree/AncestorDepth.h"
#include "autotree/CompressDiagram.h"
#include "autotree/PlaceAncestors.h"
#include "autotree/PlaceDescendants.h"
#include "diagram/DiagramRows.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

using Boxes = QMap<int, QList<QPoint>>;

TEST(TreeLayout, AncestorsBeforeCompressionFollowTheClosedForm)
{
    struct Case {
        const char* what;
        std::initializer_list<std::pair<int, int>> links;
        Boxes expected;
    };
    const Case cases[] = {
        {"no parents", {}, {{1, {{300, 200}}}}},
        {"two generations",
         {{2, 1}, {3, 1}, {4, 2}, {5, 2}, {6, 3}, {7, 3}},
         {{1, {{300, 200}}}, {2, {{130, 125}}}, {3, {{470, 125}}}, {4, {{45, 50}}}, {5, {{215, 50}}},
          {6, {{385, 50}}}, {7, {{555, 50}}}}},
        {"a mother only", {{3, 1}}, {{1, {{300, 200}}}, {3, {{385, 125}}}}},
        // Both fathers share a place; the depth follows the last one, so the
        // first one's father stands half a unit off.
        {"two fathers", {{4, 1}, {2, 1}, {6, 4}}, {{1, {{300, 200}}}, {4, {{215, 125}}}, {2, {{215, 125}}}, {6, {{173, 50}}}}},
        // 6 is the father of both parents: two boxes, each with its line.
        {"ancestor on two paths", {{2, 1}, {3, 1}, {6, 2}, {6, 3}},
         {{1, {{300, 200}}}, {2, {{130, 125}}}, {3, {{470, 125}}}, {6, {{385, 50}, {45, 50}}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TreeFixture t;
        t.persons({{1, true}, {2, true}, {3, false}, {4, true}, {5, false}, {6, true}, {7, false}});
        t.parentLinks(c.links);
        const int depth = AncestorDepth(t.store, 1);
        ASSERT_TRUE(PlaceAncestors(t.store, 1, 0, 300, 200, depth, t.units));
        EXPECT_EQ(t.boxes(), c.expected);
        EXPECT_EQ(t.lines().size(), int(c.links.size()));
        EXPECT_EQ(t.current(), 1);
    }
}

TEST(TreeLayout, AscendingBuildCompressesNormalisesAndKeepsTheRoot)
{
    TreeFixture t;
    t.persons({{1, true}, {2, true}, {3, false}, {4, true}, {5, false}, {6, true}, {7, false}});
    t.parentLinks({{2, 1}, {3, 1}, {4, 2}, {5, 2}, {6, 3}, {7, 3}});
    t.makeCurrent(1);
    const TreeBuildResult result = BuildAscendingTree(t.store, t.units, t.scroll);
    ASSERT_FALSE(result.refused);
    EXPECT_TRUE(result.cycleMessage.isEmpty());
    EXPECT_EQ(t.boxes(), (Boxes{{1, {{1020, 900}}}, {2, {{935, 825}}}, {3, {{1105, 825}}}, {4, {{850, 750}}},
                                {5, {{935, 750}}}, {6, {{1020, 750}}}, {7, {{1105, 750}}}}));
    EXPECT_EQ(t.types(), (QList<int>{3, 3, 3, 3, 3, 3, 2, 2, 2, 2, 1, 1, 1}));
    // Newest first among equal types: the root's line to its mother came last.
    EXPECT_EQ(t.lines().first(), QPoint(1, 3));
    EXPECT_EQ(columnIntegers(t.store.diagram, DiagramField::owner).mid(6, 4), (QList<int>{6, 4, 2, 1}));
    EXPECT_EQ(t.current(), 1);
    EXPECT_EQ(QList<int>({t.scroll.horzRange(), t.scroll.vertRange()}), (QList<int>{1955, 1650}));
}

TEST(TreeLayout, CompressionClosesGapsLeftOfEachTrigger)
{
    struct Case {
        QList<int> xs, expected;
    };
    const Case cases[] = {
        {{45, 130, 215, 300, 385, 470, 555}, {300, 385, 385, 470, 470, 555, 555}},
        {{300, -40, -210, -295}, {300, 215, 215, 130}},
        {{0, 50, 100, 150}, {15, 65, 100, 150}},
        {{0, 40, 85}, {0, 40, 85}},
        {{0, 85, 170}, {85, 170, 170}},  // the anchor stays at 0 until a shift
        {{}, {}},
    };
    for (const Case& c : cases) {
        TreeFixture t;
        insertLineRow(t.store.diagram, -500, 900);
        for (int i = 0; i < c.xs.size(); ++i)
            insertPersonRow(t.store.diagram, 1 + i % 2, QPoint(c.xs[i], i), QString(), QString(), i);
        CompressDiagram(t.store.diagram, 85);
        QList<int> after(c.xs.size());
        for (auto [owner, places] : t.boxes().asKeyValueRange())
            after[owner] = places.first().x();
        EXPECT_EQ(after, c.expected);
        EXPECT_EQ(t.lines(), QList<QPoint>{QPoint(-500, 900)});
        EXPECT_EQ(t.types().first(), 3);
        EXPECT_FALSE(t.store.diagram.filtered());
        // The cursor is where switching the filter off put it: the first row in x order.
        EXPECT_EQ(t.store.diagram.asInteger(DiagramField::x), -500);
    }
}

TEST(TreeLayout, DescendantsTakeColumnsInPreOrder)
{
    TreeFixture t;
    t.persons({{1, true}, {2, true}, {3, false}, {4, true}, {5, false}, {6, true}, {7, false}});
    t.parentLinks({{1, 2}, {1, 3}, {2, 4}, {2, 5}, {3, 6}});
    t.store.links.insertRecord({1, 7, LinkKind::Spouses});
    EXPECT_EQ(PlaceDescendants(t.store, 1, 300, 200, t.units), 5);
    const Boxes expected{{1, {{300, 200}}}, {2, {{300, 275}}}, {4, {{300, 350}}}, {5, {{428, 350}}},
                         {3, {{682, 275}}}, {6, {{682, 350}}}};
    EXPECT_EQ(t.boxes(), expected);
    EXPECT_EQ(t.current(), 6);  // the last person visited

    t.makeCurrent(1);
    ASSERT_FALSE(BuildDescendingTree(t.store, t.units, t.scroll).refused);
    Boxes shifted;
    for (auto [owner, places] : expected.asKeyValueRange())
        shifted[owner] = {places.first() + QPoint(550, 550)};
    EXPECT_EQ(t.boxes(), shifted);
    EXPECT_EQ(t.types(), (QList<int>{3, 3, 3, 3, 3, 2, 2, 2, 2, 1, 1}));
    EXPECT_EQ(t.current(), 6);
}

TEST(TreeLayout, RepeatedChildKeepsItsFirstBoxAndPushesSiblingsRight)
{
    TreeFixture t;
    t.persons({{1, true}, {2, true}, {3, false}, {4, true}});
    t.parentLinks({{1, 2}, {2, 4}, {1, 2}, {1, 3}});
    // Visits below 1: 2, 4, 2 again, 4 again, then 3 after four visits.
    EXPECT_EQ(PlaceDescendants(t.store, 1, 300, 200, t.units), 5);
    EXPECT_EQ(t.boxes(), (Boxes{{1, {{300, 200}}}, {2, {{300, 275}}}, {4, {{300, 350}}}, {3, {{810, 275}}}}));
    EXPECT_EQ(t.lines().size(), 5);
}

TEST(TreeLayout, TwoWayTreeStartsChildrenFromTheUncompressedRoot)
{
    TreeFixture t;
    t.persons({{1, true}, {2, false}, {3, false}, {4, true}});
    t.parentLinks({{2, 1}, {3, 2}, {1, 4}});
    t.makeCurrent(1);
    ASSERT_FALSE(BuildTwoWayTree(t.store, t.units, t.scroll).refused);
    // Before normalising: child 300, root 385 (compressed), mother 470, her mother 555.
    EXPECT_EQ(t.boxes(), (Boxes{{1, {{935, 900}}}, {2, {{1020, 825}}}, {3, {{1105, 750}}}, {4, {{850, 975}}}}));
    EXPECT_EQ(t.current(), 4);
    // No sort after the descending half: its rows went in before the root's box.
    EXPECT_EQ(t.lines(), (QList<QPoint>{{1, 2}, {2, 3}, {1, 4}}));
}

TEST(TreeLayout, UnknownParentCopiesThePersonThatStaysCurrent)
{
    struct Case {
        std::initializer_list<std::pair<int, int>> links;
        int type;
        QString caption;
    };
    // 99 has no person: the lookup fails and whoever was current lends sex and names.
    const Case cases[] = {{{{99, 1}, {3, 1}}, 2, "Ф1"}, {{{3, 1}, {99, 1}}, 1, "Ф3"}};
    for (const Case& c : cases) {
        TreeFixture t;
        t.persons({{1, true}, {3, false}});
        t.parentLinks(c.links);
        t.makeCurrent(1);
        ASSERT_FALSE(BuildAscendingTree(t.store, t.units, t.scroll).refused);
        const int p = personRowPosition(t.store.diagram, 99);
        ASSERT_GE(p, 0);
        const RowId row = t.store.diagram.rowAt(p);
        EXPECT_EQ(t.store.diagram.integerAt(row, DiagramField::type), c.type);
        EXPECT_EQ(t.store.diagram.stringAt(row, DiagramField::name), c.caption);
        EXPECT_EQ(t.current(), 1);
    }
}
