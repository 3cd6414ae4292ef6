#include "gedcom/XrefTable.h"

#include <gtest/gtest.h>
#include <map>
#include <random>

// Names of every shape other programs write, and near misses of the packed
// shape, against a map of texts: two names share a number exactly when their
// texts are equal, and new names take the next number.
TEST(XrefTable, EqualNamesAndOnlyThoseShareANumber)
{
    std::mt19937 rng(3);
    const QStringList shapes = {"@I%1@", "I%1", "@P%1@", "@F0%1@", "@I00%1@", "@ABC%1@", "@ABCD%1@", "@I%1X@", "@N-%1@",
                                "@I%1%1%1@", "@Ж%1@", "@_M%1@", "@i%1@", "%1", "@@%1", "@I %1@",
                                // One shape, numbers on both sides of where its array ends.
                                "@S%1@", "@S%1987@", "@S%1@", "@S%1987@"};
    XrefTable table;
    std::map<QString, int> model;
    for (int step = 0; step < 30000; ++step) {
        const QString name = shapes[int(rng() % shapes.size())].arg(rng() % (step < 15000 ? 300 : 100000));
        const auto [it, fresh] = model.try_emplace(name, int(model.size()));
        ASSERT_EQ(table.numberOf(name), it->second) << name.toStdString();
    }
    EXPECT_EQ(table.size(), int(model.size()));
    // The largest packed number and the first that no longer packs stay apart.
    EXPECT_NE(table.numberOf(QStringLiteral("@I9999999999@")), table.numberOf(QStringLiteral("@I09999999999@")));
    EXPECT_EQ(table.numberOf(QStringLiteral("@I9999999999@")), table.numberOf(QStringLiteral("@I9999999999@")));
    EXPECT_NE(table.numberOf(QStringLiteral("@I2097151@")), table.numberOf(QStringLiteral("@I2097152@")));
    EXPECT_EQ(table.numberOf(QStringLiteral("@I2097152@")), table.numberOf(QStringLiteral("@I2097152@")));
}
