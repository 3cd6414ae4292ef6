#include "card/CardBuilder.h"
#include "dialogs/EventEntry.h"
#include "dialogs/NameEntry.h"
#include "support/TestHelpers.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

class EntryStore : public ::testing::Test {
protected:
    void person(int num, const char* fam, const char* name, const char* surname, FieldValue sex = true)
    {
        store.persons.insertRecord({num, fam, name, surname, FieldValue(), sex});
    }
    // Every cell of the person's row, nulls told apart from empty texts.
    QStringList rowOf(int num)
    {
        store.persons.locate(PersonField::num, num);
        QStringList cells;
        for (int f = 0; f < store.persons.fieldCount(); ++f)
            cells << (store.persons.isNull(f) ? QStringLiteral("<null>") : store.persons.asString(f));
        return cells;
    }
    void draft(std::initializer_list<std::pair<int, const char*>> participants)
    {
        store.eventDialogParticipants.emptyTable();
        for (auto [owner, role] : participants) {
            addDraftParticipant(store, owner);
            store.eventDialogParticipants.edit();
            store.eventDialogParticipants.setValue(DraftParticipantField::function, role);
            store.eventDialogParticipants.post();
        }
    }
    // The owners taking part in an event, sorted.
    QList<int> ownersOf(int id)
    {
        QList<int> out;
        for (int p = 0; p < store.participants.recordCount(); ++p) {
            const RowId row = store.participants.rowAt(p);
            if (store.participants.integerAt(row, ParticipantField::id) == id)
                out << store.participants.integerAt(row, ParticipantField::owner);
        }
        std::sort(out.begin(), out.end());
        return out;
    }

    GenealogyStore store;
};

} // namespace

TEST_F(EntryStore, EventIdsStartAtZeroAndAnEditKeepsItsIdAndReplacesItsParticipants)
{
    person(1, "Петров", "Иван", "");
    person(2, "Петрова", "Анна", "", false);
    EventEntry add{false, 0, 1, QStringLiteral("Свадьба"), QStringLiteral("указать"), QStringLiteral("Москва")};
    draft({{1, "Жених"}, {2, "Невеста"}});
    EXPECT_EQ(saveEvent(store, add), 0);
    EXPECT_EQ(saveEvent(store, add), 1);
    EXPECT_EQ(ownersOf(0), (QList<int>{1, 2}));
    EXPECT_EQ(ownersOf(1), (QList<int>{1, 2}));
    ASSERT_TRUE(store.events.locate(EventField::id, 0));
    EXPECT_EQ(store.events.asString(EventField::date), QString());  // "указать" is no date

    EventEntry edit{true, 0, 1, QStringLiteral("Свадьба"), QStringLiteral("В 1.1.1900 "), QStringLiteral("Тула")};
    draft({{1, "Жених"}});
    EXPECT_EQ(saveEvent(store, edit), 0);
    EXPECT_EQ(store.events.recordCount(), 2);
    EXPECT_EQ(ownersOf(0), (QList<int>{1}));
    EXPECT_EQ(ownersOf(1), (QList<int>{1, 2}));

    // A birth sets the person's date, also to empty; the longest phrase is stored whole.
    const QString longest = QStringLiteral("МЕЖДУ 31.12.-9999  И 31.12.-9999");
    draft({{1, "Новорожденный"}});
    saveEvent(store, {false, 0, 1, EventText::Birth, longest, QString(200, QChar(u'м'))});
    EXPECT_EQ(store.persons.asString(PersonField::birth_date), longest);
    ASSERT_TRUE(store.events.locate(EventField::id, 2));
    EXPECT_EQ(store.events.asString(EventField::date), longest);
    EXPECT_EQ(store.events.asString(EventField::place).size(), 100);
    fillCardTables(store, 1);
    ASSERT_TRUE(store.cardEvents.locate(CardEventField::id, 2));
    EXPECT_EQ(store.cardEvents.asString(CardEventField::date), longest);
    saveEvent(store, {true, 2, 1, EventText::Birth, EventText::NoDate, QString()});
    EXPECT_EQ(store.persons.asString(PersonField::birth_date), QString());
}

TEST_F(EntryStore, ParticipantsOfAGonePersonSaySo)
{
    person(1, "Петров", "Иван", "Ильич");
    store.participants.insertRecord({4, 1, "Жених"});
    store.participants.insertRecord({4, 9, "Невеста"});
    store.persons.locate(PersonField::num, 1);
    loadEventParticipants(store, 4);
    EXPECT_EQ(columnTexts(store.eventDialogParticipants, DraftParticipantField::name),
              (QStringList{QStringLiteral("Петров Иван Ильич"), QStringLiteral("(удалён из базы: №9)")}));
    EXPECT_EQ(store.persons.asInteger(PersonField::num), 1);
}

TEST_F(EntryStore, AnUnchangedMainNameLeavesThePersonRowAsItWas)
{
    person(5, "", "№5", "");                     // a new person
    person(6, "Иванов", "Иван", "");             // imported, two words
    person(7, "Сидорова", "Анна", "", FieldValue());  // empty patronymic, no sex
    store.persons.locate(PersonField::num, 7);
    store.persons.edit();
    store.persons.setValue(PersonField::sexnotset, true);
    store.persons.post();
    for (int num : {5, 6, 7}) {
        const QStringList before = rowOf(num);
        fillCardTables(store, num);
        store.cardNames.first();
        const ReplacedName main = cardNameAt(store.cardNames);
        ASSERT_TRUE(main.isMain);
        const NameEntry entry{NameText::MainType, mainNameParts(store.persons), sexChoiceOf(store.cardNames)};
        storeName(store, num, entry, main);
        EXPECT_EQ(rowOf(num), before) << num;
        EXPECT_TRUE(store.names.isEmpty());
    }
}

TEST_F(EntryStore, NamesAreStoredReplacedDemotedAndRemovedByTheirRow)
{
    person(1, "", "№1", "");
    const NameEntry church{QStringLiteral("Церковное"), {QStringLiteral("Иванов"), QStringLiteral("Иоанн"), QString()},
                           SexChoice::Male};
    storeName(store, 1, church, std::nullopt);
    storeName(store, 1, church, std::nullopt);  // duplicates are allowed
    fillCardTables(store, 1);
    EXPECT_EQ(columnTexts(store.cardNames, CardNameField::name),
              (QStringList{QStringLiteral(" №1 "), QStringLiteral("Иванов Иоанн "), QStringLiteral("Иванов Иоанн ")}));

    // Editing the second duplicate replaces that one only.
    store.cardNames.last();
    const ReplacedName second = cardNameAt(store.cardNames);
    NameEntry nick{QStringLiteral("Nickname"), {QString(), QStringLiteral("Ваня"), QString()}, SexChoice::Unknown};
    storeName(store, 1, nick, second);
    fillCardTables(store, 1);
    EXPECT_EQ(columnTexts(store.cardNames, CardNameField::NameType),
              (QStringList{NameText::MainType, QStringLiteral("Церковное"), QStringLiteral("Nickname")}));
    ASSERT_TRUE(store.cardNames.locate(CardNameField::NameType, QStringLiteral("Nickname")));
    EXPECT_TRUE(store.cardNames.isNull(CardNameField::sex));
    EXPECT_TRUE(store.cardNames.asBoolean(CardNameField::sexnotset));
    EXPECT_EQ(splitName(store.cardNames.asString(CardNameField::name)).name, QStringLiteral("Ваня"));

    // A new main name keeps the former one as an alternative and takes the persons row.
    const NameEntry main{NameText::MainType, {QStringLiteral("Петров"), QStringLiteral("Пётр"), QStringLiteral("Ильич")},
                         SexChoice::Female};
    storeName(store, 1, main, std::nullopt);
    fillCardTables(store, 1);
    EXPECT_EQ(columnTexts(store.cardNames, CardNameField::name).first(), QStringLiteral("Петров Пётр Ильич"));
    EXPECT_TRUE(columnTexts(store.cardNames, CardNameField::name).contains(QStringLiteral(" №1 ")));
    EXPECT_FALSE(store.persons.asBoolean(PersonField::sex));

    // Removing goes by row, never the main name.
    store.cardNames.setCurrentPosition(1);
    const ReplacedName gone = cardNameAt(store.cardNames);
    removeStoredName(store, 1, gone.nameRow);
    EXPECT_EQ(store.names.recordCount(), 2);
}

TEST(NameParts, JoinedNamesSplitBackExactly)
{
    struct Case {
        const char* whole;
        NameParts parts;
    };
    const Case cases[] = {
        {"Иванов Иван Иванович", {"Иванов", "Иван", "Иванович"}},
        {" Иван ", {"", "Иван", ""}},
        {"Иванов  ", {"Иванов", "", ""}},
        {"Иванова Анна Мария Петровна", {"Иванова", "Анна", "Мария Петровна"}},
        {"  Анна", {"", "", "Анна"}},
        {"Анна Мария", {"Анна", "Мария", ""}},
        {"", {"", "", ""}},
    };
    for (const Case& c : cases) {
        const NameParts got = splitName(QString::fromUtf8(c.whole));
        EXPECT_EQ(got.fam, c.parts.fam) << c.whole;
        EXPECT_EQ(got.name, c.parts.name) << c.whole;
        EXPECT_EQ(got.surname, c.parts.surname) << c.whole;
    }
}
