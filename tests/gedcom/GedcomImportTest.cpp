#include "card/CardBuilder.h"
#include "gedcom/GedcomImport.h"
#include "gedcom/GedcomLine.h"
#include "gedcom/GedcomText.h"
#include "list/PersonList.h"
#include "GedcomFixture.h"
#include "support/TestHelpers.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

namespace {

const QByteArray family = "0 HEAD\n1 CHAR UTF-8\n"
                          "0 @I1@ INDI\n1 NAME Иван Петрович /Сидоров/\n1 SEX M\n"
                          "0 @I2@ INDI\n1 NAME Анна /Сидорова/\n1 SEX F\n"
                          "0 @I3@ INDI\n1 NAME Пётр\n"
                          "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n"
                          "0 TRLR\n";

} // namespace

TEST(GedcomLine, SplitsLevelPointerTagAndValue)
{
    GedcomLine line;
    ASSERT_EQ(ParseGedcomLine(u"0 @I5@ INDI", line), GedcomParse::Ok);
    EXPECT_EQ(line.level, 0);
    EXPECT_EQ(line.xref, QStringLiteral("5"));
    EXPECT_EQ(line.tag, QStringLiteral("INDI"));
    ASSERT_EQ(ParseGedcomLine(u"1 HUSB @I12@", line), GedcomParse::Ok);
    EXPECT_EQ(line.xref, QStringLiteral("12"));
    EXPECT_EQ(line.tag, QStringLiteral("HUSB"));
    ASSERT_EQ(ParseGedcomLine(u"2 DATE 12 JAN 1900  ", line), GedcomParse::Ok);
    EXPECT_EQ(line.value, QStringLiteral("12 JAN 1900  "));
    ASSERT_EQ(ParseGedcomLine(u"1  NAME   Иван /Сидоров/", line), GedcomParse::Ok);
    EXPECT_EQ(line.tag, QStringLiteral("NAME"));
    EXPECT_EQ(line.value, QStringLiteral("Иван /Сидоров/"));
    ASSERT_EQ(ParseGedcomLine(u"0 TRLR", line), GedcomParse::Ok);
    EXPECT_TRUE(line.xref.isEmpty());
    EXPECT_TRUE(line.value.isEmpty());

    EXPECT_EQ(ParseGedcomLine(u"3", line), GedcomParse::Ok);
    EXPECT_TRUE(line.levelOnly);
    EXPECT_EQ(ParseGedcomLine(u"   ", line), GedcomParse::Blank);
    EXPECT_EQ(ParseGedcomLine(u"", line), GedcomParse::Blank);
    EXPECT_EQ(ParseGedcomLine(u"x INDI", line), GedcomParse::BadLevel);
    EXPECT_EQ(ParseGedcomLine(u"1.5 NAME", line), GedcomParse::BadLevel);

    EXPECT_EQ(gedcomWord(u" a  b c", 2), QStringLiteral("b"));
    EXPECT_TRUE(gedcomWord(u"a b", 3).isEmpty());
}

TEST_F(Gedcom, FamilyIntoAnEmptyStoreAndAboveNumberTen)
{
    ASSERT_TRUE(import(family)) << error.toStdString();
    EXPECT_EQ(columnIntegers(store.persons, PersonField::num), (QList<int>{1, 2, 3}));
    store.persons.first();
    EXPECT_EQ(store.persons.asString(PersonField::fam), QStringLiteral("/Сидоров/"));
    EXPECT_EQ(store.persons.asString(PersonField::name), QStringLiteral("Иван"));
    EXPECT_EQ(store.persons.asString(PersonField::surname), QStringLiteral("Петрович"));
    // Two words: the second is the patronymic, the family name stays empty.
    store.persons.next();
    EXPECT_EQ(store.persons.asString(PersonField::fam), QString());
    EXPECT_EQ(store.persons.asString(PersonField::surname), QStringLiteral("/Сидорова/"));
    // The child links come at the child line, the spouse link only at the next level-0 line.
    EXPECT_EQ(links(), (QList<QList<int>>{{1, 2, 1}, {2, 3, 2}, {1, 3, 2}}));
    EXPECT_EQ(host.statusTexts.back(), QStringLiteral("Персонажей: 3 Связей: 3"));
    // During the import: the number being read, then the links stored before each family line.
    EXPECT_EQ(host.statusTexts.mid(0, 6), (QStringList{"Персонажей: 1", "Персонажей: 2", "Персонажей: 3",
                                                        "Связей: 0", "Связей: 0", "Связей: 0"}));
    EXPECT_EQ(host.cards, QList<int>{1});

    GenealogyStore& s = store;
    s.links.emptyTable();
    s.persons.emptyTable();
    for (int n : {10, 4})
        s.persons.insertRecord({n});
    ASSERT_TRUE(import(family));
    EXPECT_EQ(columnIntegers(s.persons, PersonField::num), (QList<int>{4, 10, 11, 12, 13}));
    EXPECT_EQ(links(), (QList<QList<int>>{{11, 12, 1}, {12, 13, 2}, {11, 13, 2}}));
    // The counts show the last number given, not the number of rows.
    EXPECT_EQ(host.statusTexts.back(), QStringLiteral("Персонажей: 13 Связей: 3"));
}

TEST_F(Gedcom, EventNumbersSexAndTheLastIndividual)
{
    const QByteArray file = "0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 SEX m\n1 BIRT\n2 DATE 12 JAN 1900\n2 PLAC Москва\n1 DEAT\n2 DATE 1950\n"
                            "0 @I2@ INDI\n1 SEX M\n1 DEAT\n2 PLAC Тула\n"
                            "0 @I3@ INDI\n1 SEX U\n1 BIRT\n2 DATE 1990\n";
    ASSERT_TRUE(import(file));
    EXPECT_EQ(columnIntegers(store.persons, PersonField::num), (QList<int>{1, 2, 3}));
    store.persons.first();
    EXPECT_FALSE(store.persons.asBoolean(PersonField::sex));
    EXPECT_EQ(store.persons.asString(PersonField::birth_place), QStringLiteral("Москва"));
    store.persons.next();
    EXPECT_TRUE(store.persons.asBoolean(PersonField::sex));
    store.persons.next();
    EXPECT_FALSE(store.persons.asBoolean(PersonField::sex));
    EXPECT_EQ(store.persons.asString(PersonField::birth_date), QStringLiteral("1990"));

    // 1 → 2 → 3 → 4: death 4, birth 5; then 6 for the second death; then 7 for the last birth.
    store.events.sortOnField(EventField::id, false, false);
    EXPECT_EQ(columnIntegers(store.events, EventField::id), (QList<int>{4, 5, 6, 8}));
    EXPECT_EQ(columnTexts(store.events, EventField::type),
              (QStringList{"Смерть", "Рождение", "Смерть", "Рождение"}));
    store.participants.sortOnField(ParticipantField::id, false, false);
    EXPECT_EQ(columnIntegers(store.participants, ParticipantField::owner), (QList<int>{1, 1, 2, 3}));
    EXPECT_EQ(columnTexts(store.participants, ParticipantField::function),
              (QStringList{"Умерший", "Новорожденный", "Умерший", "Новорожденный"}));

    // A second import continues above the highest event number.
    ASSERT_TRUE(import("0 @I1@ INDI\n1 BIRT\n2 DATE 2000\n0 TRLR\n"));
    store.events.sortOnField(EventField::id, false, false);
    EXPECT_EQ(columnIntegers(store.events, EventField::id).last(), 9);
}

TEST_F(Gedcom, FilesWithoutIndividualsAndOddLines)
{
    ASSERT_TRUE(import("0 HEAD\n1 SOUR X\n0 TRLR\n"));
    EXPECT_TRUE(store.persons.isEmpty());
    EXPECT_EQ(host.statusTexts.back(), QStringLiteral("Персонажей: 0 Связей: 0"));
    EXPECT_TRUE(host.cards.isEmpty());

    // Blank lines, a level alone and levels outside 0..5 leave the context as it was.
    const QByteArray odd = "0 @I1@ INDI\r\n1 BIRT\r\n\r\n7 NOTE x\r\n2\r\n-1 FOO\r\n2 DATE 1800\r\n   \r\n"
                           "1 NAME " + QByteArray(30, 'A') + " Б\r\n\r\n";
    ASSERT_TRUE(import(odd)) << error.toStdString();
    ASSERT_EQ(store.persons.recordCount(), 1);
    EXPECT_EQ(store.persons.asString(PersonField::birth_date), QStringLiteral("1800"));
    EXPECT_EQ(store.persons.asString(PersonField::name), QString(20, QLatin1Char('A')));
}

TEST_F(Gedcom, BadLinesStopTheImportAndKeepWhatWasStored)
{
    // The messages and the rows kept for many more bad inputs are pinned in GedcomInputsTest.
    EXPECT_FALSE(import("0 @I1@ INDI\n1 NAME Иван\n0 @I2@ INDI\n1 NAME Пётр\nx1 BAD\n0 @I3@ INDI\n"));
    EXPECT_EQ(columnIntegers(store.persons, PersonField::num), QList<int>{1});
    EXPECT_EQ(host.cards.back(), 1);  // the card of what was read is still built

    EXPECT_FALSE(import("0 @I1@ INDI\n0 @I2@ INDI\n0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @FX@\n0 TRLR\n"));
    EXPECT_EQ(error, QStringLiteral("Строка 5 файла f2.ged: '' не является целым числом"));
    // The second individual of this file was still waiting for its end and is not stored.
    EXPECT_EQ(columnIntegers(store.persons, PersonField::num), (QList<int>{1, 2}));
    EXPECT_TRUE(store.links.isEmpty());
    EXPECT_EQ(host.statusTexts.back(), QStringLiteral("Персонажей: 3 Связей: 0"));
}

TEST_F(Gedcom, ArbitraryBytesNeverCrash)
{
    std::mt19937 random(1);
    for (int round = 0; round < 20; ++round) {
        QByteArray noise(4096, '\0');
        for (char& c : noise)
            c = char(random() % 7 == 0 ? '\n' : random() % 256);
        if (round % 2)
            noise.prepend("0 @I1@ INDI\n1 NAME ");
        import(noise);
    }
    SUCCEED();
}
