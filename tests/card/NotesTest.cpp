#include "card/CardBuilder.h"
#include "card/Notes.h"
#include "list/PersonList.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

namespace {

class Notes : public ::testing::Test {
protected:
    Notes()
    {
        for (int num : {1, 2})
            store.persons.insertRecord({num, "", "П", "", FieldValue(), true, "", "", "", ""});
    }
    // Makes the card row of the note with this number current.
    void selectCardRow(RecordTable& card, int num) { ASSERT_TRUE(card.locate(CardCommentField::num, num)); }

    GenealogyStore store;
};

} // namespace

TEST_F(Notes, NumbersStartAtZeroAndReturnOnlyWhenTheHighestIsFreed)
{
    EXPECT_EQ(NextNoteNumber(store.notes), 0);
    EXPECT_EQ(storeComment(store, 1, "a", "x"), 0);
    EXPECT_EQ(storeMedia(store, 1, "b", "/tmp/b.jpg"), 1);
    EXPECT_EQ(storeComment(store, 2, "c", "y"), 2);

    selectCardRow(store.cardComments, 2);
    takeCardNote(store, store.cardComments);
    EXPECT_EQ(NextNoteNumber(store.notes), 2);  // the highest comes back
    selectCardRow(store.cardComments, 0);
    takeCardNote(store, store.cardComments);
    EXPECT_EQ(NextNoteNumber(store.notes), 2);  // a lower one does not
    selectCardRow(store.cardMedia, 1);
    takeCardNote(store, store.cardMedia);
    EXPECT_TRUE(store.notes.isEmpty());
    EXPECT_EQ(NextNoteNumber(store.notes), 0);

    // A single note numbered 0 still gives 1, not 0 again.
    store.notes.insertRecord({1, true, "h", "d", 0});
    EXPECT_EQ(NextNoteNumber(store.notes), 1);

    // A card row whose note is gone from the store goes alone.
    store.cardComments.insertRecord({1, FieldValue(), "h", "d", 5});
    EXPECT_EQ(takeCardNote(store, store.cardComments).num, 5);
    EXPECT_TRUE(store.cardComments.isEmpty());
    EXPECT_EQ(store.notes.recordCount(), 1);
}

TEST_F(Notes, LongMediaPathsOpenWhole)
{
    const QString longPath = QStringLiteral("/media/") + QString(300, QChar(u'ф')) + QStringLiteral(".jpg");
    storeMedia(store, 1, "long", longPath);
    EXPECT_EQ(store.cardMedia.asString(CardMediaField::path).size(), 256);
    EXPECT_EQ(currentMediaPath(store), longPath);
    store.notes.emptyTable();
    EXPECT_EQ(currentMediaPath(store), longPath.left(256));  // the card's copy when the note is gone
}
