#include "card/CardBuilder.h"
#include "card/CardEditing.h"
#include "list/PersonList.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

namespace {

class CardEditing : public ::testing::Test {
protected:
    void person(int num, const char* name, bool male = true)
    {
        store.persons.insertRecord({num, "", name, "", FieldValue(), male, "", "", "", ""});
    }
    void event(int id, const char* type, const char* date, const char* place, std::initializer_list<int> owners)
    {
        store.events.insertRecord({id, type, date, place});
        for (int owner : owners)
            store.participants.insertRecord({id, owner, "Роль"});
    }
    QString personText(int num, int field)
    {
        store.persons.locate(PersonField::num, num);
        return store.persons.asString(field);
    }

    GenealogyStore store;
};

} // namespace

TEST_F(CardEditing, RemovingAParticipationTakesTheEventWithItsLastParticipantAndMendsTheDates)
{
    person(1, "Иван");
    person(2, "Анна", false);
    event(1, "Рождение", "В 1850 ", "Тула", {1});
    event(2, "Рождение", "ОКОЛО 1851 ", "Орёл", {1});
    event(3, "Свадьба", "", "", {1, 2});
    event(4, "Смерть", "В 1900 ", "Тула", {1});
    store.persons.locate(PersonField::num, 1);
    for (auto [field, value] : {std::pair{PersonField::birth_date, "В 1850 "}, {PersonField::birth_place, "Тула"},
                                {PersonField::death_date, "В 1900 "}, {PersonField::death_place, "Тула"}}) {
        store.persons.edit();
        store.persons.setValue(field, value);
        store.persons.post();
    }

    removeParticipation(store, 1, 1, QStringLiteral("Роль"));
    EXPECT_FALSE(store.events.locate(EventField::id, 1));
    EXPECT_EQ(personText(1, PersonField::birth_date), QStringLiteral("ОКОЛО 1851 "));
    EXPECT_EQ(personText(1, PersonField::birth_place), QStringLiteral("Орёл"));

    removeParticipation(store, 1, 4, QStringLiteral("Роль"));
    EXPECT_EQ(personText(1, PersonField::death_date), QString());
    EXPECT_EQ(personText(1, PersonField::death_place), QString());

    // A wedding stays while the other spouse takes part; the card no longer shows it.
    removeParticipation(store, 1, 3, QStringLiteral("Роль"));
    EXPECT_TRUE(store.events.locate(EventField::id, 3));
    fillCardTables(store, 1);
    EXPECT_EQ(columnIntegers(store.cardEvents, CardEventField::id), (QList<int>{2}));
    EXPECT_EQ(store.persons.asInteger(PersonField::num), 1);
}

TEST_F(CardEditing, DeletingALinkOfALineFindsItAndItsDiagramLineEitherWay)
{
    person(1, "Иван");
    person(2, "Анна", false);
    store.links.insertRecord({2, 1, LinkKind::Spouses});
    store.links.insertRecord({1, 2, LinkKind::ParentOf});
    store.links.insertRecord({1, 2, LinkKind::ParentOf});
    store.diagram.insertRecord({3, 2, 1, "", "", -1, false});
    EXPECT_TRUE(deleteLinkOfLine(store, 1, 2, CardLineKind::Spouse));
    EXPECT_TRUE(store.diagram.isEmpty());
    EXPECT_FALSE(deleteLinkOfLine(store, 1, 2, CardLineKind::Parent));  // 2 is no parent of 1
    EXPECT_TRUE(deleteLinkOfLine(store, 1, 2, CardLineKind::Child));
    EXPECT_EQ(linkTriples(store.links), (QList<QList<int>>{{1, 2, LinkKind::ParentOf}}));
}

TEST_F(CardEditing, NewRelativesGetTheirSexAndLink)
{
    struct Case {
        Relative kind;
        bool cardMale;
        bool newMale;
        QList<int> link;  // with the card person 1 and the new person 9
    };
    const Case cases[] = {
        {Relative::Father, false, true, {9, 1, LinkKind::ParentOf}},
        {Relative::Mother, true, false, {9, 1, LinkKind::ParentOf}},
        {Relative::Son, true, true, {1, 9, LinkKind::ParentOf}},
        {Relative::Daughter, true, false, {1, 9, LinkKind::ParentOf}},
        {Relative::Spouse, true, false, {1, 9, LinkKind::Spouses}},
        {Relative::Spouse, false, true, {1, 9, LinkKind::Spouses}},
    };
    for (const Case& c : cases) {
        GenealogyStore s;
        s.persons.insertRecord({9, "", "№9", "", FieldValue(), true});
        linkNewRelative(s, 1, c.cardMale, 9, c.kind);
        EXPECT_EQ(s.persons.asBoolean(PersonField::sex), c.newMale) << int(c.kind);
        EXPECT_EQ(linkTriples(s.links), QList<QList<int>>{c.link}) << int(c.kind);
    }
}

TEST_F(CardEditing, ARemovedPersonLeavesNothingBehind)
{
    person(1, "Иван");
    person(2, "Анна", false);
    store.names.insertRecord({"Церковное", true, " Иоанн ", 2, false});
    store.names.insertRecord({"Церковное", true, " Иоанн ", 1, false});
    event(1, "Свадьба", "", "", {1, 2});
    event(2, "Рождение", "", "", {2});
    store.diagram.insertRecord({1, 0, 0, "", "Анна ", 2, false});
    store.diagram.insertRecord({2, 90, 0, "", "Иван ", 1, false});
    store.diagram.insertRecord({1, 180, 0, "", "Анна ", 2, false});
    store.diagram.insertRecord({3, 1, 2, "", "", -1, false});
    store.diagram.insertRecord({3, 2, 1, "", "", -1, false});
    store.links.insertRecord({1, 2, LinkKind::Spouses});
    store.notes.insertRecord({2, true, "Её", "", 0});
    store.notes.insertRecord({1, true, "Его", "", 1});
    store.notes.insertRecord({2, false, "Её файл", "/tmp/f.jpg", 2});

    deletePersonEverywhere(store, 2);
    EXPECT_EQ(columnIntegers(store.names, NameField::owner), (QList<int>{1}));
    EXPECT_EQ(columnIntegers(store.events, EventField::id), (QList<int>{1}));
    EXPECT_EQ(columnIntegers(store.participants, ParticipantField::owner), (QList<int>{1}));
    EXPECT_EQ(columnIntegers(store.diagram, DiagramField::owner), (QList<int>{1}));
    EXPECT_TRUE(store.links.isEmpty());
    EXPECT_EQ(columnIntegers(store.notes, NoteField::Owner), QList<int>{1});

    // The next person to take the number 2 inherits nothing.
    person(2, "Новый");
    fillCardTables(store, 2);
    EXPECT_EQ(store.cardNames.recordCount(), 1);
    EXPECT_TRUE(store.cardEvents.isEmpty());
    EXPECT_TRUE(store.cardComments.isEmpty());
    EXPECT_TRUE(store.cardMedia.isEmpty());
}
