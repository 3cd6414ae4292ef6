#include "diagram/DiagramRows.h"
#include "diagram/Stretch.h"
#include "store/GenealogyStore.h"
#include "support/TestHelpers.h"

#include <climits>
#include <gtest/gtest.h>

TEST(Stretch, ProductsRoundInExtendedPrecisionHalvesToEven)
{
    EXPECT_EQ(roundedProduct(85, 1.1), 94);
    EXPECT_EQ(roundedProduct(85, 0.9), 77);
    EXPECT_EQ(roundedProduct(75, 1.1), 83);
    EXPECT_EQ(roundedProduct(75, 0.9), 68);
    EXPECT_EQ(roundedProduct(45, 0.9), 41);
    EXPECT_EQ(roundedProduct(5, 0.5), 2);
    EXPECT_EQ(roundedProduct(7, 0.5), 4);
    EXPECT_EQ(roundedProduct(-9, 1.1), -10);
    EXPECT_EQ(roundedProduct(INT_MAX, 1.1), INT_MAX);
    EXPECT_EQ(roundedProduct(INT_MIN, 1.1), INT_MIN);
}

TEST(Stretch, PersonRowsScaleAboutTheNewMarginCornerWithinTheBounds)
{
    GenealogyStore store;
    RecordTable& items = store.diagram;
    insertPersonRow(items, DiagramRowType::Male, {850, 750}, QStringLiteral("А"), QStringLiteral("Б"), 1);
    insertPersonRow(items, DiagramRowType::Female, {1020, 900}, QStringLiteral("В"), QStringLiteral("Г"), 2);
    insertLineRow(items, 1, 2);
    for (DiagramUnits out : {DiagramUnits{19, 75}, DiagramUnits{85, 35}, DiagramUnits{217, 75}, DiagramUnits{85, 409}}) {
        const DiagramUnits before = out;
        EXPECT_FALSE(stretchDiagram(items, out, 1.1, 1.1));
        EXPECT_EQ(std::pair(out.h, out.v), std::pair(before.h, before.v));
    }
    EXPECT_EQ(columnIntegers(items, DiagramField::x), (QList<int>{1, 1020, 850}));

    DiagramUnits units;
    ASSERT_TRUE(stretchDiagram(items, units, 1.1, 1.1));
    EXPECT_EQ(std::pair(units.h, units.v), std::pair(94, 83));
    // Rows go in before the current one, so the line row is first and keeps its persons.
    EXPECT_EQ(columnIntegers(items, DiagramField::x), (QList<int>{1, 1028, 841}));
    EXPECT_EQ(columnIntegers(items, DiagramField::y), (QList<int>{2, 907, 742}));
    EXPECT_TRUE(items.eof());
    EXPECT_EQ(items.state(), RecordTable::State::Browse);
}
