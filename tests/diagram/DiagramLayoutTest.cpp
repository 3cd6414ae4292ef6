#include "diagram/DiagramLayout.h"
#include "diagram/DiagramRows.h"
#include "store/GenealogyStore.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

namespace {

class DiagramRowsTest : public ::testing::Test {
protected:
    void person(int owner, int x, int y, int type = DiagramRowType::Male)
    {
        insertPersonRow(items, type, QPoint(x, y), QString(), QString(), owner);
    }
    QList<QPoint> positions()
    {
        QList<QPoint> out;
        for (int p = 0; p < items.recordCount(); ++p) {
            const RowId row = items.rowAt(p);
            if (isPersonRow(items, row))
                out << QPoint(items.integerAt(row, DiagramField::x), items.integerAt(row, DiagramField::y));
        }
        return out;
    }

    GenealogyStore store;
    RecordTable& items = store.diagram;
    DiagramUnits units;
};

} // namespace

TEST_F(DiagramRowsTest, NormaliseMovesIntoTheMarginAndSizesTheScrollArea)
{
    PlainScroll scroll(300, 200);
    NormaliseDiagram(items, units, scroll);  // nothing at all: nothing changes
    EXPECT_EQ(scroll.horzRange(), 0);

    insertLineRow(items, 1, 2);
    scroll.setRanges(5, 6);
    NormaliseDiagram(items, units, scroll);  // lines only
    EXPECT_EQ(scroll.horzRange(), 5);

    person(1, 300, 200);
    person(2, 470, 125, DiagramRowType::Female);
    scroll.setRanges(600, 400);
    scroll.setHorzPosition(100);
    NormaliseDiagram(items, units, scroll);
    EXPECT_EQ(positions(), (QList<QPoint>{{1020, 750}, {850, 825}}));
    EXPECT_EQ(scroll.horzRange(), 1870);
    EXPECT_EQ(scroll.vertRange(), 1575);
    // The boxes stay where they were on screen, as far as the scroll bar allows.
    EXPECT_EQ(scroll.horzPosition(), 650);
    EXPECT_EQ(scroll.vertPosition(), 625);
    // The line row still names its persons.
    EXPECT_EQ(columnIntegers(items, DiagramField::x).last(), 1);
    EXPECT_EQ(columnIntegers(items, DiagramField::y).last(), 2);
}

TEST_F(DiagramRowsTest, AlignRoundsTowardZeroAndLeavesLines)
{
    person(1, 170, 150);
    person(2, 200, 160);
    person(3, -30, -80);
    insertLineRow(items, 171, 151);
    AlignToGrid(items, 85, 75);
    EXPECT_TRUE(positions().contains(QPoint(170, 150)));
    EXPECT_TRUE(positions().contains(QPoint(0, -75)));
    EXPECT_EQ(positions().count(QPoint(170, 150)), 2);
    EXPECT_TRUE(columnIntegers(items, DiagramField::x).contains(171));
    AlignToGrid(items, 0, 75);  // a zero unit must not divide
}

TEST_F(DiagramRowsTest, HitTestBandAndRemoval)
{
    person(5, 850, 750);
    const QSize picture(18, 18);
    EXPECT_EQ(PersonAt(items, 815, 715, picture), 5);
    EXPECT_EQ(PersonAt(items, 885, 785, picture), 5);
    EXPECT_EQ(PersonAt(items, 814, 750, picture), -1);
    EXPECT_EQ(PersonAt(items, 886, 750, picture), -1);
    // Overlapping boxes: the later one in table order wins. The hit test walked
    // the table, so the new row went in before the last one.
    person(6, 860, 750);
    EXPECT_EQ(columnIntegers(items, DiagramField::owner), (QList<int>{6, 5}));
    EXPECT_EQ(PersonAt(items, 855, 750, picture), 5);

    person(7, 800, 750);
    RecordTable& selection = store.selection;
    selectInBand(items, selection, QPoint(900, 900), QPoint(800, 700));
    EXPECT_EQ(columnIntegers(selection, SelectionField::owner).size(), 2);
    EXPECT_FALSE(columnIntegers(selection, SelectionField::owner).contains(7));  // strict on the corner
    selectInBand(items, selection, QPoint(0, 0), QPoint(0, 0));
    EXPECT_TRUE(selection.isEmpty());

    insertLineRow(items, 5, 6);
    insertLineRow(items, 7, 5);
    insertLineRow(items, 6, 7);
    RemoveFromDiagram(items, 5);
    EXPECT_EQ(columnIntegers(items, DiagramField::owner), (QList<int>{6, 7, -1}));
    RemoveFromDiagram(items, 5);  // no box: nothing happens
    RemoveFromDiagram(items, 42);
    EXPECT_EQ(items.recordCount(), 3);
}

TEST_F(DiagramRowsTest, InsertsFollowTheCursorLeftByWalks)
{
    // A walk leaves the cursor on the last row, and a new row goes in before it.
    person(1, 0, 0);
    person(2, 0, 0);
    leaveAtEnd(items);
    person(3, 0, 0);
    EXPECT_EQ(columnIntegers(items, DiagramField::owner), (QList<int>{2, 3, 1}));
    insertLineRow(items, 1, 2);
    sortLinesFirst(items);
    EXPECT_EQ(columnIntegers(items, DiagramField::type).first(), DiagramRowType::Line);
}
