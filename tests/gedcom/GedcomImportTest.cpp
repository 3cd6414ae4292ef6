#include "GedcomFixture.h"
#include "gedcom/GedcomLine.h"
#include "store/TableDump.h"

#include <random>
#include <set>

namespace {

const QByteArray family = "0 HEAD\n1 CHAR UTF-8\n"
                          "0 @I1@ INDI\n1 NAME Иван Петрович /Сидоров/\n1 SEX M\n"
                          "0 @I2@ INDI\n1 NAME Анна /Сидорова/\n1 SEX F\n"
                          "0 @I3@ INDI\n1 NAME Пётр\n"
                          "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n"
                          "0 TRLR\n";

std::set<QList<int>> linkSet(const RecordTable& links)
{
    const QList<QList<int>> triples = linkTriples(links);
    return {triples.begin(), triples.end()};
}

// Rows of a table as "a|b|c" texts, in the table's order.
QStringList rows(const RecordTable& table, std::initializer_list<int> fields)
{
    QStringList out;
    for (int p = 0; p < table.recordCount(); ++p) {
        QStringList cells;
        for (int f : fields)
            cells << table.displayTextAt(table.rowAt(p), f);
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

} // namespace

TEST(GedcomLine, SplitsLevelXrefTagPointerAndValue)
{
    const struct {
        const char16_t* line;
        int level;
        const char* xref;
        const char* tag;
        const char* pointer;
        const char* value;
    } cases[] = {
        {u"0 @I5@ INDI", 0, "I5", "INDI", "", ""},
        {u"0 @I0000@ INDI", 0, "I0000", "INDI", "", ""},
        {u"0 @abc@ INDI", 0, "abc", "INDI", "", ""},
        {u"1 HUSB @P17@", 1, "", "HUSB", "P17", ""},
        {u"1 NOTE @N1@ ", 1, "", "NOTE", "N1", ""},
        {u"0 @N1@ NOTE Текст  заметки ", 0, "N1", "NOTE", "", "Текст  заметки "},
        {u"2 DATE 12 JAN 1900  ", 2, "", "DATE", "", "12 JAN 1900  "},
        {u"2 DATE @#DJULIAN@ 1700", 2, "", "DATE", "", "@#DJULIAN@ 1700"},
        {u"2 DATE @#DJULIAN@", 2, "", "DATE", "", "@#DJULIAN@"},
        {u"1 NOTE @#Dx@", 1, "", "NOTE", "", "@#Dx@"},
        {u"1 NOTE @N1@ and more", 1, "", "NOTE", "", "@N1@ and more"},
        {u"1 NOTE a@@b @@c@@", 1, "", "NOTE", "", "a@b @c@"},
        {u"1  NAME   Иван /Сидоров/", 1, "", "NAME", "", "Иван /Сидоров/"},
        {u"2 CONC  и ещё", 2, "", "CONC", "", " и ещё"},
        {u"2 CONT", 2, "", "CONT", "", ""},
        {u"0 TRLR", 0, "", "TRLR", "", ""},
    };
    for (const auto& c : cases) {
        GedcomLine line;
        const QString text = QString::fromUtf16(c.line);
        ASSERT_EQ(ParseGedcomLine(text, line), GedcomParse::Ok) << qPrintable(text);
        EXPECT_EQ(line.level, c.level) << qPrintable(text);
        EXPECT_EQ(line.xref, QString::fromUtf8(c.xref)) << qPrintable(text);
        EXPECT_EQ(line.tag, QString::fromUtf8(c.tag)) << qPrintable(text);
        EXPECT_EQ(line.pointer, QString::fromUtf8(c.pointer)) << qPrintable(text);
        EXPECT_EQ(line.value, QString::fromUtf8(c.value)) << qPrintable(text);
    }
    GedcomLine line;
    EXPECT_EQ(ParseGedcomLine(u"3", line), GedcomParse::Ok);
    EXPECT_TRUE(line.levelOnly);
    EXPECT_EQ(ParseGedcomLine(u"   ", line), GedcomParse::Blank);
    EXPECT_EQ(ParseGedcomLine(u"x INDI", line), GedcomParse::BadLevel);
    EXPECT_EQ(ParseGedcomLine(u"1.5 NAME", line), GedcomParse::BadLevel);
}

TEST_F(Gedcom, FamilyIntoAnEmptyStoreAndAboveNumberTen)
{
    ASSERT_TRUE(import(family)) << error.toStdString();
    EXPECT_EQ(columnIntegers(store.persons, PersonField::num), (QList<int>{1, 2, 3}));
    EXPECT_EQ(rows(store.persons, {PersonField::fam, PersonField::name, PersonField::surname}),
              (QStringList{"Сидоров|Иван|Петрович", "Сидорова|Анна|", "|Пётр|"}));
    EXPECT_EQ(linkSet(store.links), (std::set<QList<int>>{{1, 2, 1}, {1, 3, 2}, {2, 3, 2}}));
    EXPECT_EQ(host.statusTexts.back(), QStringLiteral("Персонажей: 3 Связей: 3"));
    EXPECT_EQ(host.statusTexts.mid(0, 3), (QStringList{"Персонажей: 1", "Персонажей: 2", "Персонажей: 3"}));
    EXPECT_EQ(host.cards, QList<int>{1});

    store.links.emptyTable();
    store.persons.emptyTable();
    for (int n : {10, 4})
        store.persons.insertRecord({n});
    ASSERT_TRUE(import(family));
    EXPECT_EQ(columnIntegers(store.persons, PersonField::num), (QList<int>{4, 10, 11, 12, 13}));
    EXPECT_EQ(linkSet(store.links), (std::set<QList<int>>{{11, 12, 1}, {11, 13, 2}, {12, 13, 2}}));
    EXPECT_EQ(host.statusTexts.back(), QStringLiteral("Персонажей: 13 Связей: 3"));
}

namespace {

struct LinkCase {
    const char* what;
    QByteArray file;
    std::set<QList<int>> links;
    int dangling = 0;
    int repeated = 0;
};

QByteArray people(const QList<QByteArray>& xrefs)
{
    QByteArray out;
    for (const QByteArray& x : xrefs)
        out += "0 @" + x + "@ INDI\n1 NAME " + x + "\n";
    return out;
}

QList<LinkCase> linkCases()
{
    const std::set<QList<int>> couple{{1, 2, 1}, {1, 3, 2}, {2, 3, 2}};
    const QByteArray fam = "0 @F1@ FAM\n1 HUSB @%1@\n1 WIFE @%2@\n1 CHIL @%3@\n";
    auto family = [&](const char* h, const char* w, const char* c) {
        return QString::fromLatin1(fam).arg(h, w, c).toLatin1();
    };
    return {
        {"I0000 style", people({"I0000", "I0001", "I0002"}) + family("I0000", "I0001", "I0002") + "0 TRLR\n", couple},
        {"I0, I1, I10 out of order", people({"I10", "I0", "I1"}) + family("I10", "I0", "I1"), couple},
        {"P17 style, the family first", family("P3", "P17", "P5") + people({"P3", "P17", "P5"}), couple},
        {"letters only, lines in any order",
         "0 @F@ FAM\n1 CHIL @abc@\n1 WIFE @b@\n1 HUSB @a@\n" + people({"a", "b", "abc"}), couple},
        {"I1, F1 and N1 are three records",
         people({"I1", "F1", "N1"}) + "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @F1@\n1 CHIL @N1@\n0 @N1@ NOTE x\n", couple, 0, 1},
        {"a family that ends the file", people({"I1", "I2"}) + "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@", {{1, 2, 1}}},
        {"pointers to nobody", people({"I1", "I2"}) + "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I9@\n1 CHIL @I2@\n1 CHIL @X@\n",
         {{1, 2, 2}}, 2},
        {"a repeated xref: the first record", people({"I1", "I2", "I1"}) + family("I1", "I2", "I1"),
         {{1, 2, 1}, {1, 1, 2}, {2, 1, 2}}, 0, 1},
        {"CR alone", QByteArray(people({"I1", "I2", "I3"}) + family("I1", "I2", "I3")).replace('\n', '\r'), couple},
        {"CR LF", QByteArray(people({"I1", "I2", "I3"}) + family("I1", "I2", "I3")).replace("\n", "\r\n"), couple},
    };
}

} // namespace

TEST_F(Gedcom, PointersResolveThroughTheRecordsOwnXrefs)
{
    for (const LinkCase& c : linkCases()) {
        store.emptyForNewTree();
        GedcomImport run(store, host);
        run.begin();
        ASSERT_TRUE(run.readData(c.file, "f.ged")) << c.what << ": " << run.errorText().toStdString();
        run.finish();
        EXPECT_EQ(linkSet(store.links), c.links) << c.what;
        EXPECT_EQ(run.summary().danglingPointers, c.dangling) << c.what;
        EXPECT_EQ(run.summary().repeatedXrefs, c.repeated) << c.what;
        EXPECT_EQ(store.persons.recordCount(), run.summary().persons) << c.what;
    }
}

TEST_F(Gedcom, AStopAtABadLineStillResolvesWhatWasRead)
{
    EXPECT_FALSE(import("0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n0 @I1@ INDI\n0 @I2@ INDI\n0 @I3@ INDI\nx1 BAD\n"));
    EXPECT_EQ(error, QStringLiteral("Строка 8 файла f1.ged: 'x1' не является целым числом"));
    // The third individual was still being read: it is dropped, and the pointer to it counted.
    EXPECT_EQ(columnIntegers(store.persons, PersonField::num), (QList<int>{1, 2}));
    EXPECT_EQ(links(), (QList<QList<int>>{{1, 2, 1}}));
    EXPECT_EQ(host.cards.back(), 1);
}

namespace {

struct NameCase {
    const char* lines;
    const char* fam;
    const char* name;
    const char* surname;
    const char* kept = "";  // the whole name kept as an additional name
};

} // namespace

TEST_F(Gedcom, NamesFillTheThreeFieldsAndKeepWhatTheyCannotHold)
{
    const NameCase cases[] = {
        {"1 NAME Anna Maria Louise /Berg-Holm/", "Berg-Holm", "Anna", "Maria Louise"},
        {"1 NAME Иван /Сидоров/", "Сидоров", "Иван", ""},
        {"1 NAME /Сидоров/ Иван Петрович", "Сидоров", "Иван", "Петрович"},
        {"1 NAME Иван Петрович / Сидоров /", "Сидоров", "Иван", "Петрович"},
        {"1 NAME //", "", "", ""},
        {"1 NAME Karl /Berg/ Sr.", "Berg", "Karl", "", "Karl /Berg/ Sr."},
        {"1 NAME Karl /Berg/\n2 NSFX Jr.", "Berg", "Karl", "", "Karl /Berg/ Jr."},
        {"1 NAME Karl /Berg/\n2 NPFX Dr.\n2 NICK Калле", "Berg", "Karl", "", "Dr. Karl /Berg/ \"Калле\""},
        {"1 NAME Иван Петрович Сидоров", "Сидоров", "Иван", "Петрович"},
        {"1 NAME Иван Петрович Сидоров Младший", "Сидоров", "Иван", "Петрович", "Иван Петрович Сидоров Младший"},
        {"1 NAME Иван Сидоров\n2 GIVN Иван\n2 SURN Сидоров", "Сидоров", "Иван", ""},
        {"1 NAME Christoph Friedrich Wilhelm von Berg\n2 GIVN Christoph Friedrich\n2 SURN von Berg", "von Berg",
         "Christoph", "Friedrich"},
        {"1 NAME Абвгдежзийклмнопрстуф /Я/", "Я", "Абвгдежзийклмнопрсту", "", "Абвгдежзийклмнопрстуф /Я/"},
        {"1 NAME Иван /Сидоров/\n2 _PATR Петрович\n2 _FAMILY /Сидоров/", "/Сидоров/", "Иван", "Петрович"},
    };
    for (const NameCase& c : cases) {
        store.emptyForNewTree();
        store.names.emptyTable();
        ASSERT_TRUE(import("0 @I1@ INDI\n" + QByteArray(c.lines) + "\n")) << c.lines;
        EXPECT_EQ(rows(store.persons, {PersonField::fam, PersonField::name, PersonField::surname}),
                  QStringList(QStringLiteral("%1|%2|%3").arg(c.fam, c.name, c.surname)))
            << c.lines;
        const QStringList kept = *c.kept ? QStringList{QStringLiteral("Альтернативное|") + c.kept} : QStringList{};
        EXPECT_EQ(rows(store.names, {NameField::NameType, NameField::name}), kept) << c.lines;
    }

    // Further names become additional names, their type mapped where the name dialog has one.
    store.emptyForNewTree();
    ASSERT_TRUE(import("0 @I1@ INDI\n1 NAME Анна /Петрова/\n1 SEX F\n1 NAME Анна Ивановна /Сидорова/\n2 TYPE married\n"
                       "1 NAME Анюта\n2 TYPE AKA\n1 NAME Анна /Петрова/\n1 NAME Мария //\n2 TYPE religious\n"
                       "1 NAME X\n2 _TEXT Точно  так\n2 _TYPE\n2 _SEX U\n"));
    QStringList names = rows(store.names, {NameField::NameType, NameField::name, NameField::sex, NameField::sexnotset});
    names.sort();
    QStringList expected{"married|Сидорова Анна Ивановна|ЖЕН|False", "Альтернативное| Анюта |ЖЕН|False",
                           "Альтернативное|Петрова Анна |ЖЕН|False", "Церковное| Мария |ЖЕН|False",
                           "|Точно  так||True"};
    expected.sort();
    EXPECT_EQ(names, expected);
}

TEST_F(Gedcom, SexValues)
{
    const struct {
        const char* line;
        bool male;
        bool unknown;
    } cases[] = {{"1 SEX M", true, false}, {"1 SEX F", false, false}, {"1 SEX U", false, true},
                 {"1 SEX m", false, true}, {"1 SEX X", false, true},   {"", false, true}};
    for (const auto& c : cases) {
        store.emptyForNewTree();
        ASSERT_TRUE(import("0 @I1@ INDI\n1 NAME A\n" + QByteArray(c.line) + "\n"));
        EXPECT_EQ(store.persons.asBoolean(PersonField::sex), c.male) << c.line;
        EXPECT_EQ(store.persons.asBoolean(PersonField::sexnotset), c.unknown) << c.line;
    }
}

TEST_F(Gedcom, DatesAreKeptAsWrittenAndTheFirstBirthAndDeathGiveTheFields)
{
    const QByteArray long40 = "BET 1 JANUARY 1900 AND 31 DECEMBER 1901";  // 39: the event keeps 29
    ASSERT_TRUE(import("0 @I1@ INDI\n1 BIRT\n2 PLAC Москва\n2 DATE @#DJULIAN@ 1700\n1 BIRT\n2 DATE 1701\n2 PLAC Тула\n"
                       "1 DEAT\n2 DATE @#DFRENCH R@ 1 VEND 10\n1 DEAT\n2 DATE 1 JAN 1800\n"
                       "1 BURI\n2 DATE " + long40 + "\n1 CREM\n2 DATE " + long40 + "xxx\n"));
    EXPECT_EQ(rows(store.persons, {PersonField::birth_date, PersonField::birth_place, PersonField::death_date}),
              QStringList{"@#DJULIAN@ 1700|Москва|@#DFRENCH R@ 1 VEND 10"});
    EXPECT_EQ(rows(store.events, {EventField::id, EventField::date}),
              (QStringList{"6|" + long40.left(29) + "", "5|" + long40.left(29), "4|1 JAN 1800", "3|@#DFRENCH R@ 1 VEND 10",
                           "2|1701", "1|@#DJULIAN@ 1700"}));
    GedcomImport run(store, host);
    run.begin();
    ASSERT_TRUE(run.readData("0 @I1@ INDI\n1 BIRT\n2 DATE " + long40 + "\n", "g.ged"));
    run.finish();
    EXPECT_EQ(run.summary().cutValues, 1);  // the event's date; the person's field holds 40
    const QList<int> ids = columnIntegers(store.events, EventField::id);
    EXPECT_EQ(*std::max_element(ids.begin(), ids.end()), 7);  // one above the highest id
}

TEST_F(Gedcom, EveryEventKindWithAndWithoutDateAndPlace)
{
    const QStringList individual{"BIRT", "CHR",  "DEAT", "BURI", "CREM", "ADOP", "BAPM", "BARM", "BASM", "BLES", "CHRA",
                                 "CONF", "FCOM", "ORDN", "NATU", "EMIG", "IMMI", "CENS", "PROB", "WILL", "GRAD", "RETI"};
    const QStringList familyTags{"ANUL", "CENS", "DIV", "DIVF", "ENGA", "MARB", "MARC", "MARR", "MARL", "MARS"};
    for (int variant = 0; variant < 3; ++variant) {
        const QByteArray detail = variant == 0 ? "" : variant == 1 ? "\n2 DATE 1900\n2 PLAC Тула" : " Y\n2 DATE\n2 PLAC";
        QByteArray file = "0 @I1@ INDI\n1 SEX M\n0 @I2@ INDI\n1 SEX F\n0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n";
        for (const QString& tag : familyTags)
            file += "1 " + tag.toLatin1() + detail + "\n";
        file += "1 EVEN" + detail + "\n2 TYPE Венчание\n0 @I3@ INDI\n";
        for (const QString& tag : individual)
            file += "1 " + tag.toLatin1() + detail + "\n";
        file += "1 EVEN" + detail + "\n2 TYPE Переезд\n";
        store.emptyForNewTree();
        ASSERT_TRUE(import(file)) << error.toStdString();
        ASSERT_EQ(store.events.recordCount(), individual.size() + familyTags.size() + 2) << variant;
        const QString when = variant == 1 ? QStringLiteral("1900|Тула") : QStringLiteral("|");
        std::multiset<QString> got, expected;
        for (const QString& r : rows(store.events, {EventField::type, EventField::date, EventField::place}))
            got.insert(r);
        for (const char* type : {"Рождение", "Крещение", "Смерть", "Похороны", "Кремация", "Усыновление", "Баптизм",
                                 "Бар-мицва", "Бат-мицва", "Благословение", "Крещение взрослого", "Конфирмация",
                                 "Первое причастие", "Рукоположение", "Натурализация", "Эмиграция", "Иммиграция",
                                 "Перепись", "Утверждение завещания", "Завещание", "Окончание учёбы", "Выход на пенсию",
                                 "Переезд", "Аннулирование брака", "Перепись", "Развод", "Заявление о разводе",
                                 "Помолвка", "Оглашение брака", "Брачный контракт", "Свадьба", "Разрешение на брак",
                                 "Брачное соглашение", "Венчание"})
            expected.insert(QString::fromUtf8(type) + "|" + when);
        EXPECT_EQ(got, expected) << variant;
    }
    // Roles: the newborn, the deceased, the husband and the wife, and the unknown role elsewhere.
    std::multiset<QString> roles;
    for (const QString& r : rows(store.participants, {ParticipantField::owner, ParticipantField::function}))
        roles.insert(r);
    EXPECT_EQ(roles.count("3|Новорожденный"), 1u);
    EXPECT_EQ(roles.count("3|Умерший"), 3u);
    EXPECT_EQ(roles.count("3|Неизвестна"), 19u);
    EXPECT_EQ(roles.count("1|Муж"), 11u);
    EXPECT_EQ(roles.count("2|Жена"), 11u);
}

TEST_F(Gedcom, AttributesNotesAndMediaInlineAndByPointer)
{
    ASSERT_TRUE(import("0 @N1@ NOTE Общая\n1 CONC  заметка\n1 CONT вторая строка\n"
                       "0 @I1@ INDI\n1 OCCU Кузнец\n1 RESI\n2 PLAC Тула\n2 DATE 1900\n1 NOTE Своя\n2 CONT строка\n"
                       "1 NOTE @N1@\n1 NOTE @N9@\n1 OBJE\n2 FILE фото.jpg\n3 FORM jpg\n3 TITL Портрет\n"
                       "1 OBJE\n2 FILE a.png\n2 FILE b.png\n2 TITL Два\n1 OBJE @O1@\n"
                       "0 @I2@ INDI\n0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 NOTE О семье\n"
                       "0 @F2@ FAM\n1 MARR\n1 NOTE Ничья\n"
                       "0 @O1@ OBJE\n1 FILE /дом/план.pdf\n2 TITL План\n"));
    std::multiset<QString> notes;
    for (const QString& r : rows(store.notes, {NoteField::Owner, NoteField::OwnerType, NoteField::header, NoteField::data}))
        notes.insert(r);
    EXPECT_EQ(notes, (std::multiset<QString>{
                         "1|True|Профессия|Кузнец", "1|True|Место жительства|Место: Тула\nДата: 1900",
                         "1|True|Примечание|Своя\nстрока", "1|True|Примечание|Общая заметка\nвторая строка",
                         "1|False|Портрет|фото.jpg", "1|False|Два|a.png", "1|False|Два|b.png",
                         "1|False|План|/дом/план.pdf", "1|True|Примечание|О семье", "2|True|Примечание|О семье"}));
    EXPECT_EQ(columnIntegers(store.notes, NoteField::num).size(), 10);
    std::set<int> numbers;
    for (int n : columnIntegers(store.notes, NoteField::num))
        numbers.insert(n);
    EXPECT_EQ(numbers.size(), 10u);
    EXPECT_EQ(*numbers.begin(), 0);
}

TEST_F(Gedcom, TheSummarySaysWhatWasReadAndWhatWasNot)
{
    GedcomImport run(store, host);
    run.begin();
    ASSERT_TRUE(run.readData("0 HEAD\n1 SOUR Другая\n2 VERS 1\n1 CHAR UTF-8\n0 @S1@ SOUR\n1 TITL Книга\n0 @R1@ REPO\n"
                             "0 @I1@ INDI\n1 NAME Karl /Berg/ Sr.\n1 SOUR @S1@\n2 PAGE 5\n1 CHAN\n2 DATE 1 JAN 2000\n"
                             "1 BIRT\n2 DATE " + QByteArray(35, '1') + "\n2 SOUR @S1@\n"
                             "0 @I1@ INDI\n1 CHAN\n0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I7@\n1 CHIL @I1@\n0 TRLR\n",
                             QStringLiteral("семья.ged")));
    run.finish();
    EXPECT_EQ(run.summaryText(),
              QStringLiteral("Импорт из файла «семья.ged»: персонажей 2, связей 1, событий 1, имён 1, комментариев 0, "
                             "медиафайлов 0.\nНе прочитаны строки (с подчинёнными): SOUR 3, CHAN 2, REPO 1.\n"
                             "Ссылок на записи, которых нет в файле: 1.\nПовторённых идентификаторов записей: 1.\n"
                             "Значений, обрезанных по длине поля: 1."));
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

TEST_F(Gedcom, NumbersNearTheLimitAreRefusedBeforeAnythingIsWritten)
{
    const int top = std::numeric_limits<int>::max();
    store.persons.insertRecord({top - 2, "Край"});
    EXPECT_FALSE(import(family));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Импорт не выполнен: номера персонажей в древе доходят до 2147483645")))
        << error.toStdString();
    EXPECT_EQ(store.persons.recordCount(), 1);
    EXPECT_TRUE(store.links.isEmpty());
    // Two individuals still fit, however many other lines the file has.
    ASSERT_TRUE(import("0 @I1@ INDI\n1 NAME A\n0 @I2@ INDI\n1 NAME B\n0 TRLR\n")) << error.toStdString();
    EXPECT_EQ(columnIntegers(store.persons, PersonField::num).last(), top);

    store.emptyForNewTree();
    store.events.insertRecord({top - 3, "Свадьба"});
    EXPECT_FALSE(import(family));
    EXPECT_TRUE(error.contains(QStringLiteral("номера событий"))) << error.toStdString();
    EXPECT_TRUE(store.persons.isEmpty());
    EXPECT_EQ(store.events.recordCount(), 1);
}

TEST_F(Gedcom, ArbitraryBytesNeverCrash)
{
    std::mt19937 random(1);
    const QByteArray words[] = {"0 ", "1 ", "2 ", "\n", "\r", "@I1@ ", "@F1@ ", "@N1@ ", "INDI", "FAM", "NOTE", "OBJE",
                                "HUSB", "WIFE", "CHIL", "NAME", "/", "BIRT", "MARR", "DATE", "CONT", "CONC", "_PART",
                                "FILE", "TITL", "@#DJULIAN@"};
    for (int round = 0; round < 40; ++round) {
        QByteArray noise;
        for (int i = 0; i < 600; ++i)
            noise += round % 2 ? words[random() % std::size(words)] : QByteArray(1, char(random() % 7 == 0 ? '\n' : random() % 256));
        store.emptyForNewTree();
        import(noise);
        for (const char* role : {"persons", "links", "events", "participants", "names", "notes"})
            dumpTable(*store.tableByRole(QString::fromLatin1(role)), QString::fromLatin1(role));
    }
    SUCCEED();
}
