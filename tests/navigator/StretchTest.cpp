#include "diagram/DiagramRows.h"
#include "diagram/Stretch.h"
#include "store/GenealogyStore.h"
#include "support/TestHelpers.h"

#include "diagram/DiagramLayout.h"
#include "store/TableDump.h"

#include <climits>
#include <cmath>
#include <random>
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

TEST(Stretch, OneWalkEqualsTheStretchFollowedByTheNormalisation)
{
    std::mt19937 rng(11);
    const auto below = [&](int n) { return int(rng() % unsigned(n)); };
    // Rounding: random products, halves among them, against the library's.
    for (int i = 0; i < 20000; ++i) {
        const int value = i % 2 ? below(2000001) - 1000000 : int(rng());
        const double factor = i % 3 ? 0.5 * below(9) : (i % 5 ? 1.1 : 0.9);
        const long double exact = std::nearbyint(static_cast<long double>(value) * factor);
        const int expected = exact >= INT_MAX ? INT_MAX : exact <= INT_MIN ? INT_MIN : int(exact);
        ASSERT_EQ(roundedProduct(value, factor), expected) << value << " × " << factor;
    }
    for (int round = 0; round < 40; ++round) {
        GenealogyStore walked, once;
        for (int n = below(30); n >= 0; --n) {
            const QPoint at(below(5000) - 1000, below(3000) - 500);
            for (GenealogyStore* store : {&walked, &once}) {
                if (n % 4 == 0)
                    insertLineRow(store->diagram, n, n + 1);
                else
                    insertPersonRow(store->diagram, n % 2 + 1, at, QString(), QString(), n);
            }
        }
        const DiagramUnits units{below(200) + 20, below(370) + 36};
        const double fx = below(2) ? 1.1 : 0.9, fy = below(2) ? 1.0 : 1.1;
        PlainScroll scroll1(800, 600), scroll2(800, 600);
        for (PlainScroll* scroll : {&scroll1, &scroll2}) {
            scroll->setRanges(9000, 9000);
            scroll->setHorzPosition(round * 50);
            scroll->setVertPosition(round * 30);
        }
        stretchRows(walked.diagram, units, fx, fy);
        NormaliseDiagram(walked.diagram, units, scroll1);
        stretchAndNormalise(once.diagram, units, fx, fy, scroll2);
        EXPECT_EQ(dumpTable(once.diagram, {}), dumpTable(walked.diagram, {}));
        EXPECT_EQ(once.diagram.currentPosition(), walked.diagram.currentPosition());
        EXPECT_EQ(QRect(scroll2.horzPosition(), scroll2.vertPosition(), scroll2.horzRange(), scroll2.vertRange()),
                  QRect(scroll1.horzPosition(), scroll1.vertPosition(), scroll1.horzRange(), scroll1.vertRange()));
    }
}
