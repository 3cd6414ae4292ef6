#include "list/PersonList.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

namespace {

void addPerson(RecordTable& persons, int num, const char* fam, const char* name, const char* surname,
               const char* birth = "")
{
    persons.insertRecord({num, fam, name, surname, FieldValue(), true, birth});
}

} // namespace

TEST(PersonList, DisplayNameFollowsTheSortItemAndKeepsBothBlanks)
{
    GenealogyStore store;
    addPerson(store.persons, 1, "/Иванов/", "Иван", "Петрович");
    const RowId row = store.persons.currentRow();
    EXPECT_EQ(personDisplayName(store.persons, row, SortItem::FamilyName), QStringLiteral("/Иванов/ Иван Петрович"));
    EXPECT_EQ(personDisplayName(store.persons, row, SortItem::GivenName), QStringLiteral("Иван Петрович /Иванов/"));
    EXPECT_EQ(personDisplayName(store.persons, row, SortItem::Patronymic), QStringLiteral("Петрович Иван /Иванов/"));
    for (SortItem item : {SortItem::None, SortItem::BirthDate, SortItem::DeathDate})
        EXPECT_EQ(personDisplayName(store.persons, row, item), QStringLiteral("Иван Петрович /Иванов/"));

    const int n = insertNewPerson(store.persons);
    EXPECT_EQ(personDisplayName(store.persons, store.persons.currentRow(), SortItem::None), QStringLiteral("№2  "));
    EXPECT_EQ(personDisplayName(store.persons, store.persons.currentRow(), SortItem::FamilyName),
              QStringLiteral(" №2 "));
    EXPECT_EQ(n, 2);
}

TEST(PersonList, DatesSortAsTextsAndEveryItemOrdersItsField)
{
    GenealogyStore store;
    RecordTable& persons = store.persons;
    addPerson(persons, 1, "Яковлев", "Борис", "Ильич", "ДО 1700");
    addPerson(persons, 2, "абрамов", "Юрий", "Андреевич", "12 JAN 1900");
    addPerson(persons, 3, "Борисов", "анна", "", "В 1950");
    addPerson(persons, 4, "", "Ольга", "Яковлевна", "");

    applyListSort(persons, SortItem::BirthDate);
    EXPECT_TRUE(persons.filtered());
    // Empty first, digits before letters, "В" before "ДО" whatever the years.
    EXPECT_EQ(columnIntegers(persons, PersonField::num), (QList<int>{4, 2, 3, 1}));
    applyListSort(persons, SortItem::FamilyName);
    EXPECT_EQ(columnIntegers(persons, PersonField::num), (QList<int>{4, 2, 3, 1}));
    applyListSort(persons, SortItem::GivenName);
    EXPECT_EQ(columnIntegers(persons, PersonField::num), (QList<int>{3, 1, 4, 2}));
    applyListSort(persons, SortItem::Patronymic);
    EXPECT_EQ(columnIntegers(persons, PersonField::num), (QList<int>{3, 2, 1, 4}));
    applyListSort(persons, SortItem::None);
    EXPECT_EQ(columnIntegers(persons, PersonField::num), (QList<int>{1, 2, 3, 4}));
}

TEST(PersonList, NewNumbersReuseOnlyTheHighest)
{
    GenealogyStore store;
    RecordTable& persons = store.persons;
    EXPECT_EQ(insertNewPerson(persons), 1);
    EXPECT_EQ(persons.asString(PersonField::name), QStringLiteral("№1"));
    EXPECT_TRUE(persons.asBoolean(PersonField::sex));
    EXPECT_TRUE(persons.isNull(PersonField::sexnotset));
    EXPECT_FALSE(persons.isNull(PersonField::fam));  // the empty text, not an empty field
    for (int i = 2; i <= 5; ++i)
        insertNewPerson(persons);

    deletePersonAndLinks(store, 5);
    EXPECT_EQ(insertNewPerson(persons), 5);
    deletePersonAndLinks(store, 3);
    EXPECT_EQ(insertNewPerson(persons), 6);
    // Numbers come from the highest, whatever the order the table stood in.
    persons.sortOnField(PersonField::num, false, true);
    EXPECT_EQ(insertNewPerson(persons), 7);
    EXPECT_EQ(columnIntegers(persons, PersonField::num), (QList<int>{1, 2, 4, 5, 7, 6}));
}

TEST(PersonList, DeletingRemovesEveryLinkOfThePersonOnly)
{
    GenealogyStore store;
    for (int n = 1; n <= 3; ++n)
        addPerson(store.persons, n, "", "", "");
    store.links.insertRecord({1, 2, LinkKind::Spouses});
    store.links.insertRecord({2, 1, LinkKind::ParentOf});
    store.links.insertRecord({1, 2, LinkKind::Spouses});
    store.links.insertRecord({3, 1, LinkKind::ParentOf});
    store.events.insertRecord({1, "Рождение"});
    store.participants.insertRecord({1, 2, "Новорожденный"});

    deletePersonAndLinks(store, 2);
    EXPECT_EQ(columnIntegers(store.persons, PersonField::num), (QList<int>{3, 1}));
    ASSERT_EQ(store.links.recordCount(), 1);
    EXPECT_EQ(store.links.asInteger(LinkField::id1), 3);
    EXPECT_EQ(store.participants.recordCount(), 1);

    // A number that no person has: only the links naming it go.
    deletePersonAndLinks(store, 1);
    deletePersonAndLinks(store, 1);
    EXPECT_TRUE(store.links.isEmpty());
    EXPECT_EQ(columnIntegers(store.persons, PersonField::num), (QList<int>{3}));
}
