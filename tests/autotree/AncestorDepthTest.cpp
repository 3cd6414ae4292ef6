#include "autotree/AncestorDepth.h"

#include <gtest/gtest.h>

TEST(AncestorDepth, LastFatherAndMotherCountAndCyclesEnd)
{
    GenealogyStore store;
    for (int n = 1; n <= 8; ++n)
        store.persons.insertRecord({n, "", "", "", "", n % 2 == 0});
    auto parent = [&](int p, int child) { store.links.insertRecord({p, child, LinkKind::ParentOf}); };
    EXPECT_EQ(AncestorDepth(store, 1), 0);

    parent(2, 1);  // father
    parent(3, 1);  // mother
    parent(4, 3);  // mother's father
    parent(6, 4);
    store.links.insertRecord({5, 1, LinkKind::Spouses});  // not a parent
    EXPECT_EQ(AncestorDepth(store, 1), 3);
    EXPECT_EQ(store.persons.asInteger(PersonField::num), 1);
    // Rows go in before the current one, so the first mother is still the last
    // in link order; put a second mother after her and she counts instead.
    EXPECT_EQ(store.links.integerAt(store.links.rowAt(store.links.recordCount() - 1), LinkField::id1), 2);
    store.links.last();
    parent(7, 1);
    EXPECT_EQ(AncestorDepth(store, 1), 1);

    bool cycle = false;
    parent(1, 2);  // 1 is the father of his own father
    EXPECT_EQ(AncestorDepth(store, 1, &cycle), 2);
    EXPECT_TRUE(cycle);
    EXPECT_EQ(AncestorDepth(store, 8, &cycle), 0);
    EXPECT_FALSE(cycle);
}
