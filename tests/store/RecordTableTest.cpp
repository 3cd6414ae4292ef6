#include "store/GenealogyStore.h"
#include "store/RecordTable.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

namespace {

// id, surname (20), flag, note (memo), display (calculated)
RecordTable makeTable()
{
    return RecordTable("T", {{.name = "id", .kind = FieldKind::Integer},
                             {.name = "fam", .kind = FieldKind::String, .size = 20},
                             {.name = "flag", .kind = FieldKind::Boolean, .boolTexts = "МУЖ;ЖЕН"},
                             {.name = "note", .kind = FieldKind::Memo},
                             {.name = "shown", .kind = FieldKind::CalcString, .size = 40},
                             {.name = "small", .kind = FieldKind::SmallInt}});
}

enum { Id, Fam, Flag, Note, Shown, Small };

} // namespace

// Navigation, inserts, deletes, sorts, filters, locates and integer searches are
// checked against a plain model in RecordTableDifferentialTest; these cases pin
// what the model cannot.

TEST(RecordTable, InsertGoesBeforeCurrentAndLeavesRestEmpty)
{
    RecordTable t = makeTable();
    EXPECT_TRUE(t.eof());
    t.insertRecord({1, "Иванов"});
    t.insertRecord({2});
    EXPECT_EQ(columnIntegers(t, Id), (QList<int>{2, 1}));
    EXPECT_EQ(t.recNo(), 1);
    EXPECT_FALSE(t.eof());
    // Fields past the given ones read as empty values.
    EXPECT_EQ(t.asString(Fam), QString());
    EXPECT_TRUE(t.isNull(Fam));
    EXPECT_FALSE(t.asBoolean(Flag));
    EXPECT_EQ(t.displayText(Flag), QString());
    EXPECT_EQ(t.asInteger(Small), 0);

    // A value at the place of a calculated field is ignored; the later ones still land.
    t.insertRecord({4, "x", true, "memo", "ignored", 70000});
    EXPECT_EQ(t.asString(Shown), QString());
    EXPECT_EQ(t.asInteger(Small), std::int16_t(70000));
    EXPECT_EQ(t.displayText(Flag), QStringLiteral("МУЖ"));
}

TEST(RecordTable, TextsAreCutToFieldSizeButMemosAreNot)
{
    RecordTable t = makeTable();
    const QString long25 = QStringLiteral("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧ");
    t.insertRecord({1, long25, false, long25 + long25});
    EXPECT_EQ(t.asString(Fam), long25.left(20));
    EXPECT_EQ(t.asString(Note).size(), 50);
    EXPECT_EQ(t.displayText(Flag), QStringLiteral("ЖЕН"));
    t.edit();
    t.setValue(Fam, long25);
    t.setValue(Flag, FieldValue());
    t.post();
    EXPECT_EQ(t.asString(Fam).size(), 20);
    EXPECT_TRUE(t.isNull(Flag));
    // The empty text is a value, unlike an empty field.
    t.setValue(Fam, "");
    EXPECT_FALSE(t.isNull(Fam));

    // A character outside the basic plane is kept whole or left out, never split.
    const QString emoji = QStringLiteral("😀"), letters = long25.left(19);
    const struct {
        QString text, stored;
    } cuts[] = {{letters + emoji, letters},
                {letters.left(18) + emoji, letters.left(18) + emoji},
                {letters.left(18) + emoji + "я", letters.left(18) + emoji},
                {letters + "я" + emoji, letters + "я"},
                {emoji.repeated(11), emoji.repeated(10)}};
    for (const auto& c : cuts) {
        t.setValue(Fam, c.text);
        EXPECT_EQ(t.asString(Fam), c.stored) << c.text.toStdString();
    }
}

TEST(RecordTable, SortsRussianTextsWithEmptiesAtTheLowEnd)
{
    RecordTable t = makeTable();
    const QStringList names = {"ёлкин", "Яковлев", "АНДРЕЕВ", "андреев", "Жуков", "Ежов", "Андреев"};
    for (const QString& n : names)
        t.insertRecord({1, n});
    t.insertRecord({0}); // no surname at all
    t.insertRecord({2, ""});
    t.sortOnFields(u"fam", true, false);
    QStringList sorted = columnTexts(t, Fam);
    EXPECT_TRUE(t.isNullAt(t.rowAt(0), Fam));
    EXPECT_EQ(sorted.mid(1), (QStringList{"", "АНДРЕЕВ", "андреев", "Андреев", "Ежов", "ёлкин", "Жуков", "Яковлев"}))
        << sorted.join(',').toStdString();

    t.sortOnFields(u"fam", true, true);
    sorted = columnTexts(t, Fam);
    EXPECT_EQ(sorted.first(), QStringLiteral("Яковлев"));
    EXPECT_TRUE(t.isNullAt(t.rowAt(t.recordCount() - 1), Fam));
    // Equal under case folding: newest first when descending.
    EXPECT_EQ(sorted.mid(4, 3), (QStringList{"Андреев", "андреев", "АНДРЕЕВ"}));

    // With case respected, the three spellings are no longer ties.
    t.sortOnFields(u"fam", false, false);
    sorted = columnTexts(t, Fam);
    EXPECT_EQ(sorted.indexOf("Андреев") + sorted.indexOf("андреев") + sorted.indexOf("АНДРЕЕВ"), 2 + 3 + 4);
    EXPECT_LT(sorted.indexOf("андреев"), sorted.indexOf("Андреев"));
}

TEST(RecordTable, DisplayCallbacksAndNestedControlSuspension)
{
    RecordTable t = makeTable();
    t.setDisplayCallback(Shown, [&t](RowId row) { return QStringLiteral("<%1>").arg(t.stringAt(row, Fam)); });
    struct Counter : RecordTableObserver {
        int resets = 0, cursors = 0, rows = 0;
        void tableReset() override { ++resets; }
        void rowChanged(int) override { ++rows; }
        void cursorMoved() override { ++cursors; }
    } counter;
    t.addObserver(&counter);
    t.disableControls();
    t.disableControls();
    t.insertRecord({1, "a"});
    t.insertRecord({2, "b"});
    t.enableControls();
    EXPECT_EQ(counter.resets, 0);
    t.enableControls();
    EXPECT_EQ(counter.resets, 1);
    EXPECT_EQ(counter.cursors, 1);
    EXPECT_EQ(t.displayText(Shown), QStringLiteral("<b>"));
    EXPECT_EQ(t.asString(Shown), QStringLiteral("<b>"));
    t.edit();
    t.setValue(Fam, "c");
    t.post();
    EXPECT_EQ(counter.rows, 1);
    t.removeObserver(&counter);

    // A locate compares a calculated field with what reading it gives, not with every row.
    t.insertRecord({3, "d"});
    ASSERT_EQ(columnIntegers(t, Id), (QList<int>{3, 2, 1}));
    const struct {
        const char* shown;
        int expectedId;  // 0: not found, the cursor stays on id 3
    } locates[] = {{"<a>", 1}, {"<c>", 2}, {"<zz>", 0}, {"", 0}};
    for (const auto& c : locates) {
        t.locate(Id, 3);
        EXPECT_EQ(t.locate(Shown, c.shown), c.expectedId != 0) << c.shown;
        EXPECT_EQ(t.asInteger(Id), c.expectedId ? c.expectedId : 3) << c.shown;
    }
    EXPECT_TRUE(t.locate(u"fam;shown", {"c", "<c>"}));
    EXPECT_FALSE(t.locate(u"fam;shown", {"c", "<a>"}));

    t.emptyTable();
    EXPECT_EQ(counter.resets, 1);
    EXPECT_TRUE(t.eof());
}

TEST(RecordTable, ManyRowsKeepTheirCellsAcrossStorageChunks)
{
    GenealogyStore store;
    RecordTable& links = store.links;
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 5000; ++i)
            links.insertRecord({i, -i, i % 3});
        // Rows went in before the current one: the first inserted is last.
        for (int position : {0, 63, 64, 191, 192, 4999}) {
            const RowId row = links.rowAt(position);
            const int i = 4999 - position;
            EXPECT_EQ(links.integerAt(row, LinkField::id1), i);
            EXPECT_EQ(links.integerAt(row, LinkField::id2), -i);
            EXPECT_EQ(links.integerAt(row, LinkField::rel), i % 3);
        }
        links.setCurrentPosition(100);
        links.deleteRecord();
        links.insertRecord({77777, 1, 1});  // takes the freed row
        EXPECT_EQ(links.asInteger(LinkField::id1), 77777);
        EXPECT_EQ(links.recordCount(), 5000);
        links.emptyTable();
    }
}
