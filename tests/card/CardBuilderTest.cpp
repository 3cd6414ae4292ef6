#include "card/CardBuilder.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

namespace {

class CardBuilder : public ::testing::Test {
protected:
    void person(int num, const char* name, FieldValue sex, const char* fam = "", const char* surname = "")
    {
        store.persons.insertRecord({num, fam, name, surname, FieldValue(), sex});
    }
    void link(int id1, int id2, int rel) { store.links.insertRecord({id1, id2, rel}); }
    QStringList lineTexts()
    {
        QStringList out;
        for (int p = 0; p < store.cardLines.recordCount(); ++p)
            out << cardLineText(store.cardLines, store.cardLines.rowAt(p));
        return out;
    }

    GenealogyStore store;
};

} // namespace

TEST_F(CardBuilder, LinesCarryAlignedLabelsInParentChildSpouseOrder)
{
    person(1, "Иван", true, "Иванов", "Петрович");
    person(2, "Пётр", true);
    person(3, "Павел", true);
    person(4, "Мария", FieldValue());  // empty sex counts as not male
    person(5, "Анна", false);
    person(6, "Олег", true);
    link(1, 6, LinkKind::ParentOf);
    link(4, 1, LinkKind::Spouses);     // the card person as id2
    link(2, 1, LinkKind::ParentOf);
    link(1, 5, LinkKind::ParentOf);
    link(3, 1, LinkKind::ParentOf);
    link(1, 99, LinkKind::ParentOf);   // a missing relative yields no line

    ASSERT_TRUE(fillCardTables(store, 1));
    EXPECT_EQ(lineTexts(), (QStringList{"ОТЕЦ:  Павел", "ОТЕЦ:  Пётр", "ДОЧЬ:  Анна", " СЫН:  Олег", "ЖЕНА:  Мария"}));
    EXPECT_EQ(columnIntegers(store.cardLines, CardLineField::link), (QList<int>{3, 2, 5, 6, 4}));
    EXPECT_EQ(columnIntegers(store.cardLines, CardLineField::type), (QList<int>{1, 1, 2, 2, 3}));
    for (const QString& label : {CardLabel::Father, CardLabel::Mother, CardLabel::Son, CardLabel::Daughter,
                                 CardLabel::Husband, CardLabel::Wife})
        EXPECT_EQ(label.size(), 6);
    EXPECT_EQ(store.persons.asInteger(PersonField::num), 1);
    EXPECT_FALSE(store.persons.filtered());
    EXPECT_EQ(store.links.recordCount(), 6);

    // From the wife's side the same link names a husband.
    ASSERT_TRUE(fillCardTables(store, 4));
    EXPECT_EQ(lineTexts(), (QStringList{" МУЖ:  Иван"}));
    // The father's card leads back with a child line.
    ASSERT_TRUE(fillCardTables(store, 2));
    EXPECT_EQ(lineTexts(), (QStringList{" СЫН:  Иван"}));
}

TEST_F(CardBuilder, SelfLinkGivesAParentAndAChildLine)
{
    person(1, "Иван", true);
    link(1, 1, LinkKind::ParentOf);
    link(1, 1, LinkKind::Spouses);
    ASSERT_TRUE(fillCardTables(store, 1));
    EXPECT_EQ(lineTexts(), (QStringList{"ОТЕЦ:  Иван", " СЫН:  Иван", " МУЖ:  Иван"}));
}

TEST_F(CardBuilder, NamesPutTheMainNameFirst)
{
    person(1, "Иван", FieldValue());
    store.names.insertRecord({"Церковное", true, "Иоанн", 1});
    store.names.insertRecord({"Nickname", true, "Ваня", 1});
    store.names.insertRecord({"Альтернативное", false, "Чужое", 2});
    ASSERT_TRUE(fillCardTables(store, 1));
    // Russian collation puts Cyrillic before Latin.
    EXPECT_EQ(columnTexts(store.cardNames, NameField::NameType),
              (QStringList{" Основное", "Церковное", "Nickname"}));
    store.cardNames.first();
    // Empty family name and patronymic still leave both blanks.
    EXPECT_EQ(store.cardNames.asString(NameField::name), QStringLiteral(" Иван "));
    EXPECT_TRUE(store.cardNames.isNull(NameField::sex));
    EXPECT_EQ(store.cardNames.asInteger(NameField::owner), 1);
    EXPECT_TRUE(store.cardLines.isEmpty());
}

TEST_F(CardBuilder, EventsAndNotesStandInReverseOfTheWalk)
{
    person(1, "Иван", true);
    store.events.insertRecord({10, "Рождение", "12 JAN 1900", "Москва"});
    store.events.insertRecord({11, "Смерть", "1950", "Тула"});
    store.events.insertRecord({12, "Свадьба с очень длинным названием", "1920", ""});
    store.participants.insertRecord({10, 1, "Новорожденный"});
    store.participants.insertRecord({11, 1, "Умерший"});
    store.participants.insertRecord({12, 2, "Жених"});
    store.participants.insertRecord({77, 1, "Гость"});  // its event is gone
    store.participants.insertRecord({12, 1, "Свидетель с очень длинной ролью в этом событии"});
    store.notes.insertRecord({1, true, "Первая", "текст 1", 1});
    store.notes.insertRecord({1, false, "Фото", "/tmp/a.jpg", 2});
    store.notes.insertRecord({1, true, "Вторая", "текст 2", 3});
    store.notes.insertRecord({2, true, "Чужая", "", 4});

    ASSERT_TRUE(fillCardTables(store, 1));
    // Participants stand as 12(1), 77, 11, 10 after their inserts; the card reverses the walk.
    EXPECT_EQ(columnIntegers(store.cardEvents, CardEventField::id), (QList<int>{10, 11, 12}));
    store.cardEvents.last();
    EXPECT_EQ(store.cardEvents.asString(CardEventField::type), QStringLiteral("Свадьба с очень длин"));
    EXPECT_EQ(store.cardEvents.asString(CardEventField::function).size(), 30);
    EXPECT_EQ(columnIntegers(store.cardComments, CardCommentField::num), (QList<int>{1, 3}));
    EXPECT_EQ(columnTexts(store.cardComments, CardCommentField::text), (QStringList{"текст 1", "текст 2"}));
    EXPECT_EQ(columnTexts(store.cardMedia, CardMediaField::path), (QStringList{"/tmp/a.jpg"}));
}

TEST_F(CardBuilder, MissingPersonLeavesTheCardAsItWas)
{
    person(1, "Иван", true);
    person(2, "Пётр", true);
    link(2, 1, LinkKind::ParentOf);
    ASSERT_TRUE(fillCardTables(store, 1));
    EXPECT_FALSE(fillCardTables(store, 42));
    EXPECT_EQ(lineTexts(), (QStringList{"ОТЕЦ:  Пётр"}));
    EXPECT_EQ(store.cardNames.recordCount(), 1);

    GenealogyStore empty;
    EXPECT_FALSE(fillCardTables(empty, 1));
}
