#include "GedcomFixture.h"
#include "app/BatchRun.h"
#include "app/CommandLine.h"
#include "dialogs/DatePhrase.h"
#include "export/ui/ExportController.h"
#include "gedcom/GedcomDate.h"
#include "gedcom/GedcomExport.h"
#include "gedcom/GedcomLine.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <cstdio>
#include <map>
#include <numeric>
#include <random>
#include <set>

namespace {

struct Line {
    int level = 0;
    QString xref, tag, value;
};

// Checks every line against the 5.5.1 line grammar and the pointers against
// the records; returns the lines, or fails the test.
std::vector<Line> validatedLines(const QByteArray& file)
{
    static const QRegularExpression grammar(
        QStringLiteral("^(0|[1-9][0-9]?) (?:@([A-Za-z0-9][A-Za-z0-9_]*)@ )?([A-Za-z0-9_]{1,31})(?: (.+))?$"));
    static const QRegularExpression pointer(QStringLiteral("^@([A-Za-z0-9][A-Za-z0-9_]*)@$"));
    std::vector<Line> lines;
    QSet<QString> records;
    std::vector<std::pair<QString, QString>> pointers;  // (line, target)
    const QList<QByteArray> raw = file.split('\n');
    EXPECT_TRUE(raw.last().isEmpty()) << "the last line has no end";
    for (qsizetype i = 0; i + 1 < raw.size(); ++i) {
        const QByteArray bytes = raw[i] + '\n';
        const QString text = QString::fromUtf8(raw[i].chopped(raw[i].endsWith('\r') ? 1 : 0));
        const QString where = QStringLiteral("line %1: %2").arg(i + 1).arg(text);
        EXPECT_TRUE(raw[i].endsWith('\r')) << qPrintable(where);
        EXPECT_LE(bytes.size(), 255) << qPrintable(where);
        EXPECT_EQ(text.toUtf8(), raw[i].chopped(1)) << "not UTF-8 " << qPrintable(where);
        EXPECT_FALSE(std::any_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; }))
            << qPrintable(where);
        const QRegularExpressionMatch m = grammar.match(text);
        if (!m.hasMatch()) {
            ADD_FAILURE() << "grammar " << qPrintable(where);
            continue;
        }
        Line line{m.captured(1).toInt(), m.captured(2), m.captured(3), m.captured(4)};
        const int previous = lines.empty() ? -1 : lines.back().level;
        EXPECT_TRUE(line.level == 0 || line.level <= previous + 1) << qPrintable(where);
        EXPECT_TRUE(line.xref.isEmpty() || line.level == 0) << qPrintable(where);
        EXPECT_TRUE(line.xref.isEmpty() || !records.contains(line.xref)) << "repeated " << qPrintable(where);
        records.insert(line.xref);
        const QRegularExpressionMatch p = pointer.match(line.value);
        if (p.hasMatch())
            pointers.emplace_back(where, p.captured(1));
        else
            EXPECT_FALSE(QString(line.value)
                             .remove(QStringLiteral("@@"))
                             .remove(QRegularExpression(line.tag == QStringLiteral("DATE") ? "@#D[^@]*@" : "^$"))
                             .contains(QLatin1Char('@')))
                << qPrintable(where);
        lines.push_back(line);
    }
    for (const auto& [where, target] : pointers)
        EXPECT_TRUE(records.contains(target)) << "dangling " << qPrintable(where);
    EXPECT_EQ(lines.front().tag, QStringLiteral("HEAD"));
    EXPECT_EQ(lines.back().tag, QStringLiteral("TRLR"));
    return lines;
}

// The value of line i with its CONC and CONT lines, "@@" read as "@".
QString fullValue(const std::vector<Line>& lines, std::size_t i)
{
    QString value = lines[i].value;
    for (std::size_t j = i + 1; j < lines.size() && lines[j].level > lines[i].level; ++j) {
        if (lines[j].level != lines[i].level + 1)
            continue;
        if (lines[j].tag == QStringLiteral("CONC"))
            value += lines[j].value;
        else if (lines[j].tag == QStringLiteral("CONT"))
            value += QLatin1Char('\n') + lines[j].value;
    }
    return value.replace(QStringLiteral("@@"), QStringLiteral("@"));
}

// Per record, (tag, pointer) of its level-1 lines.
std::map<QString, std::set<std::pair<QString, QString>>> recordPointers(const std::vector<Line>& lines)
{
    std::map<QString, std::set<std::pair<QString, QString>>> out;
    QString record;
    for (const Line& line : lines) {
        if (line.level == 0)
            record = line.xref;
        else if (line.level == 1 && line.value.startsWith(QLatin1Char('@')) && !line.value.startsWith(QStringLiteral("@@")))
            out[record].insert({line.tag, line.value.mid(1).chopped(1)});
    }
    return out;
}

// FAMS and FAMC of each individual say what HUSB, WIFE and CHIL of the families say.
void expectFamiliesAgree(const std::vector<Line>& lines)
{
    std::set<std::pair<QString, QString>> fromIndividuals, fromFamilies;  // (person, "S"/"C" + family)
    for (const auto& [record, pointers] : recordPointers(lines))
        for (const auto& [tag, target] : pointers) {
            if (tag == QStringLiteral("FAMS") || tag == QStringLiteral("FAMC"))
                fromIndividuals.insert({record, tag.right(1) + target});
            else if (tag == QStringLiteral("HUSB") || tag == QStringLiteral("WIFE"))
                fromFamilies.insert({target, QStringLiteral("S") + record});
            else if (tag == QStringLiteral("CHIL"))
                fromFamilies.insert({target, QStringLiteral("C") + record});
        }
    EXPECT_EQ(fromIndividuals, fromFamilies);
}

std::set<std::pair<int, int>> linkSet(const RecordTable& links, int kind, const QSet<int>& persons)
{
    std::set<std::pair<int, int>> out;
    for (const QList<int>& l : linkTriples(links))
        if (l[2] == kind && persons.contains(l[0]) && persons.contains(l[1]))
            out.insert(kind == LinkKind::Spouses ? std::pair(std::min(l[0], l[1]), std::max(l[0], l[1]))
                                                 : std::pair(l[0], l[1]));
    return out;
}

const QString emoji = QStringLiteral("😀");

// A tree with every awkward case: names with "@", blanks and slashes, three
// sexes, every date form, repeated and reversed links, two fathers, links to
// nobody, events, other names, comments long enough to need CONC and CONT
// with surrogate pairs at every offset of a cut, media.
int fillTree(GenealogyStore& s, int count, unsigned seed)
{
    std::mt19937 rng(seed);
    auto pick = [&](const QStringList& from) { return from[int(rng() % from.size())]; };
    const QStringList fams{"Сидоров", "/Иванов/", "Ли@", "O'Brien", "", "Римский Корсаков"};
    const QStringList names{"Иван", "@лиса", "Анна", "Eve", "", "Анна Мария"};
    const QStringList dates{ComposeDatePhrase("В", {1, 2, 1900}, {1, 2, 1900}),
                            ComposeDatePhrase("ДО", {0, 0, -44}, {0, 0, -44}),
                            ComposeDatePhrase("МЕЖДУ", {0, 0, 1900}, {3, 4, 1910}),
                            ComposeDatePhrase("ИЛИ", {0, 0, 1900}, {0, 0, 1901}),
                            ComposeDatePhrase("В", {31, 2, 1900}, {31, 2, 1900}),
                            "12 MAR 1900", "ABT 1850 ", "весна\n1900", "a@b", "", ""};
    const QStringList places{"Москва", "Санкт-Петербург, Россия", "a@@b " + emoji, "", "\tТула"};
    std::vector<int> order(static_cast<std::size_t>(count));
    std::iota(order.begin(), order.end(), 1);
    std::shuffle(order.begin(), order.end(), rng);
    for (int n : order) {
        const int sex = int(rng() % 3);
        s.persons.insertRecord({n, pick(fams), pick(names), pick(names) + "ович", QString(), sex == 0, pick(dates),
                                pick(places), pick(dates), pick(places), sex == 2});
        if (rng() % 4 == 0)
            s.names.insertRecord({"Девичье", false, "Петрова Анна Ивановна", n, false});
        if (rng() % 5 == 0)
            s.notes.insertRecord({n, true, "Заметка", QString(int(n % 4), 'x') + emoji.repeated(150) + "\nЖ" +
                                                          QString("Ж@").repeated(200) + "\r\n\r\nконец ",
                                  n});
        if (rng() % 7 == 0)
            s.notes.insertRecord({n, false, "Фото", "/home/я/фото @" + QString::number(n) + ".JPEG", -n});
    }
    auto link = [&](int from, int to, int kind) { s.links.insertRecord({from, to, kind}); };
    int bad = 0;
    for (int i = 0; i < count; ++i) {
        const int a = int(rng() % count) + 1, b = int(rng() % count) + 1, c = int(rng() % count) + 1;
        switch (rng() % 6) {
        case 0:  // a couple stored both ways round
            link(a, b, LinkKind::Spouses); link(b, a, LinkKind::Spouses);
            break;
        case 1:  // a couple and their child, one link repeated
            link(a, b, LinkKind::Spouses); link(a, c, LinkKind::ParentOf);
            link(b, c, LinkKind::ParentOf); link(b, c, LinkKind::ParentOf);
            break;
        case 2:  // two parents who are not a couple: two fathers, say
            link(a, c, LinkKind::ParentOf); link(b, c, LinkKind::ParentOf);
            break;
        case 3:  // nobody at one end, or a kind the tree does not know
            link(a, count + 1 + b, rng() % 2 ? LinkKind::Spouses : LinkKind::ParentOf); link(a, b, 7);
            bad += 2;
            break;
        case 4:
            s.events.insertRecord({i + 100, "Свадьба", pick(dates), pick(places)});
            s.participants.insertRecord({i + 100, a, "Жених"}); s.participants.insertRecord({i + 100, b, ""});
            break;
        default:
            link(c, a, LinkKind::Spouses);
        }
    }
    return bad;
}

} // namespace

TEST(GedcomDate, DialogPhrasesBecomeGedcomDatesOtherTextsStay)
{
    const struct {
        const char* qualifier;
        DateNumbers first, second;
        const char* expected;
    } phrases[] = {
        {"В", {1, 2, 1900}, {}, "1 FEB 1900"},         {"В", {0, 5, 1900}, {}, "1900"},
        {"ДО", {5, 12, 1800}, {}, "BEF 5 DEC 1800"},   {"ПОСЛЕ", {0, 0, 1900}, {}, "AFT 1900"},
        {"ОКОЛО", {0, 0, 1900}, {}, "ABT 1900"},       {"ПРИБЛИЗИТЕЛЬНО", {0, 0, 1900}, {}, "EST 1900"},
        {"В", {0, 0, -44}, {}, "44 B.C."},             {"В", {15, 3, -44}, {}, "15 MAR 44 B.C."},
        {"В", {29, 2, 2000}, {}, "29 FEB 2000"},       {"В", {29, 2, 1900}, {}, "(В 29.2.1900)"},
        {"В", {31, 2, 1900}, {}, "(В 31.2.1900)"},     {"В", {1, 13, 1900}, {}, "(В 1.13.1900)"},
        {"ДО", {0, 0, 0}, {}, "(ДО 0)"},               {"МЕЖДУ", {0, 0, 1900}, {3, 4, 1910}, "BET 1900 AND 3 APR 1910"},
        {"МЕЖДУ", {0, 0, 1900}, {0, 0, 0}, "(МЕЖДУ 1900 И 0)"}, {"ИЛИ", {1, 1, 1900}, {0, 0, 1901}, "(1.1.1900 ИЛИ 1901)"},
    };
    for (const auto& p : phrases) {
        const DateNumbers second = p.second.year ? p.second : p.first;
        const QString phrase = ComposeDatePhrase(p.qualifier, p.first, second);
        EXPECT_EQ(gedcomDate(phrase), QString::fromUtf8(p.expected)) << qPrintable(phrase);
    }
    for (const char* kept : {"", "12 MAR 1900", "ABT 1900", "В 1.2.1900", "В  1900 ", "В 0.5.1900 ", "МЕЖДУ 1900 И 1910",
                             "ЗА 1900 ", "В 1.2.3.1900 ", "В x ", "весна 1900"})
        EXPECT_EQ(gedcomDate(QString::fromUtf8(kept)), QString::fromUtf8(kept)) << kept;
}

TEST(GedcomExport, WritesOnePersonsRecordAsTheReaderExpects)
{
    GenealogyStore s;  // a table takes each row before its current one: rows go out in table order
    s.persons.insertRecord({7, "/Сидоров/", "Иван", "Петрович", QString(), true, "В 1.2.1900 ", "Мо\nсква", "", "  "});
    s.persons.insertRecord({3, "", "А@на", "", QString(), false, "", "", "1950", "", true});
    s.names.insertRecord({"Девичье", false, "Петрова Анна Ивановна", 3, false});
    s.events.insertRecord({1, "Рождение", "В 1.2.1900 ", "Мо\nсква"});  // the person's own birth: not again
    s.participants.insertRecord({1, 7, "Новорожденный"});
    s.events.insertRecord({2, "Рождение", "1899", ""});  // says otherwise: kept
    s.participants.insertRecord({2, 7, "Новорожденный"});
    s.events.insertRecord({3, "Свадьба", "ОКОЛО 1920 ", "Тула"});
    s.participants.insertRecord({3, 7, "Жених"});
    s.participants.insertRecord({3, 3, "Невеста"});
    s.notes.insertRecord({7, true, "Служба", "Полк\nРота", 0});
    s.notes.insertRecord({7, false, "Портрет", "/фото/i@.jpeg", 1});
    s.links.insertRecord({7, 3, LinkKind::Spouses});
    s.links.insertRecord({3, 7, LinkKind::Spouses});
    s.links.insertRecord({9, 7, LinkKind::ParentOf});
    s.persons.setFilterCallback([](RowId) { return false; });  // the list's filter hides persons, not the file's
    s.persons.setFiltered(true);
    QByteArray file;
    const GedcomExportCounts counts = writeGedcom(s, file);
    EXPECT_EQ(counts.persons, 2);
    EXPECT_EQ(counts.families, 1);
    EXPECT_EQ(counts.skippedLinks, 1);
    const QString text = QString::fromUtf8(file);
    const QString head = QStringLiteral("0 HEAD\r\n1 SOUR Arbolitus\r\n2 VERS %1\r\n2 NAME Arbolitus\r\n1 SUBM @U1@\r\n"
                                        "1 GEDC\r\n2 VERS 5.5.1\r\n2 FORM LINEAGE-LINKED\r\n1 CHAR UTF-8\r\n"
                                        "0 @U1@ SUBM\r\n1 NAME Arbolitus\r\n").arg(QString::fromUtf8(ARBOLITUS_VERSION));
    const QString persons = QStringLiteral(
        "0 @I1@ INDI\r\n1 NAME А@@на\r\n2 GIVN А@@на\r\n1 NAME Анна Ивановна /Петрова/\r\n2 TYPE Девичье\r\n"
        "2 GIVN Анна Ивановна\r\n2 SURN Петрова\r\n2 _SEX F\r\n1 SEX U\r\n1 DEAT\r\n2 DATE 1950\r\n2 _NOEVENT Y\r\n"
        // The wedding is written once, by its first participant, with the other one pointed at.
        "1 EVEN\r\n2 TYPE Свадьба\r\n2 DATE ABT 1920\r\n3 _DATE ОКОЛО 1920 \r\n2 PLAC Тула\r\n2 _ROLE Невеста\r\n"
        "2 _PART @I2@\r\n3 _ROLE Жених\r\n1 FAMS @F1@\r\n"
        "0 @I2@ INDI\r\n1 NAME Иван Петрович /Сидоров/\r\n2 GIVN Иван Петрович\r\n2 SURN Сидоров\r\n"
        "2 _FAMILY /Сидоров/\r\n1 SEX M\r\n"
        // The person's own birth is one BIRT for the fields and the event; a death with only blanks is no event.
        "1 BIRT\r\n2 DATE INT 1 FEB 1900 (В 1.2.1900 )\r\n3 _DATE В 1.2.1900 \r\n2 PLAC Мо сква\r\n"
        "1 DEAT\r\n2 PLAC   \r\n2 _NOEVENT Y\r\n"
        "1 EVEN\r\n2 TYPE Рождение\r\n2 DATE 1899\r\n2 _ROLE Новорожденный\r\n"
        "1 OBJE\r\n2 FILE /фото/i@@.jpeg\r\n3 FORM jpg\r\n3 TITL Портрет\r\n1 NOTE Полк\r\n2 CONT Рота\r\n"
        "2 _TITL Служба\r\n1 FAMS @F1@\r\n"
        "0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n0 TRLR\r\n");  // the link first in the table: 3, 7
    EXPECT_EQ(text, head + persons);
    validatedLines(file);

    // "Иван /Иванов/" as an older import left it: the standard lines say what it means, the exact ones what it was.
    GenealogyStore twoWords;
    twoWords.persons.insertRecord({1, "", "Иван", "/Иванов/", QString(), true});
    QByteArray written;
    writeGedcom(twoWords, written);
    EXPECT_TRUE(written.contains("1 NAME Иван /Иванов/\r\n2 GIVN Иван\r\n2 SURN Иванов\r\n2 _PATR /Иванов/\r\n"))
        << written.constData();
}

TEST(GedcomExport, LongTextsAreCutBetweenCharactersAndAwayFromBlanks)
{
    for (int offset = 0; offset < 4; ++offset)
        for (const QString& unit : {emoji, QStringLiteral("Ж"), QStringLiteral("@"), QStringLiteral("ab ")}) {
            GenealogyStore s;
            const QString note = QString(offset, QLatin1Char('x')) + unit.repeated(300) + "\n\nконец";
            s.persons.insertRecord({1, "", "", "", QString(), true});
            s.notes.insertRecord({1, true, "", note, 0});
            const QString path = QStringLiteral("/фото/") + QString(offset, QLatin1Char('@')) + unit.repeated(120) + ".png";
            s.notes.insertRecord({1, false, "", path, 1});
            QByteArray file;
            writeGedcom(s, file);
            const std::vector<Line> lines = validatedLines(file);
            for (std::size_t i = 0; i < lines.size(); ++i) {
                if (lines[i].tag == QStringLiteral("NOTE")) {
                    EXPECT_EQ(fullValue(lines, i), note) << offset << qPrintable(unit);
                }
                if (lines[i].tag == QStringLiteral("FILE")) {
                    EXPECT_EQ(fullValue(lines, i), path) << offset << qPrintable(unit);
                }
                if (lines[i].tag == QStringLiteral("CONC")) {
                    EXPECT_FALSE(lines[i].value.startsWith(QLatin1Char(' '))) << qPrintable(unit);
                    EXPECT_FALSE(lines[i - 1].value.endsWith(QLatin1Char(' '))) << qPrintable(unit);
                }
            }
        }
}

TEST_F(Gedcom, GeneratedTreesComeBackThroughTheImport)
{
    for (unsigned seed : {1u, 2u, 3u}) {
        GenealogyStore source;
        const int count = 60;
        const int bad = fillTree(source, count, seed);
        QByteArray file;
        const GedcomExportCounts counts = writeGedcom(source, file);
        EXPECT_EQ(counts.persons, count);
        EXPECT_EQ(counts.skippedLinks, bad);
        const std::vector<Line> lines = validatedLines(file);
        expectFamiliesAgree(lines);

        store.emptyForNewTree();
        ASSERT_TRUE(import(file)) << error.toStdString();
        QList<int> numbers;
        QSet<int> everyone;
        for (int n = 1; n <= count; ++n) {
            numbers << n;
            everyone.insert(n);
        }
        ASSERT_EQ(columnIntegers(store.persons, PersonField::num), numbers);
        for (int n = 1; n <= count; ++n) {
            ASSERT_TRUE(source.persons.locate(PersonField::num, n));
            ASSERT_TRUE(store.persons.locate(PersonField::num, n));
            auto was = [&](int f) { return source.persons.asString(f); };
            auto is = [&](int f) { return store.persons.asString(f); };
            if (!source.persons.asBoolean(PersonField::sexnotset)) {
                EXPECT_EQ(store.persons.asBoolean(PersonField::sex), source.persons.asBoolean(PersonField::sex)) << n;
            }
            for (int f : {PersonField::birth_date, PersonField::death_date, PersonField::birth_place, PersonField::death_place}) {
                if (gedcomDate(was(f)) == was(f) && !was(f).contains(QLatin1Char('\n')) && !was(f).startsWith(QLatin1Char('\t'))) {
                    EXPECT_EQ(is(f), was(f)) << n << ' ' << f;
                }
            }
            const QString bare = QString(was(PersonField::fam)).remove(QLatin1Char('/'));
            const QStringList parts{bare, was(PersonField::name), was(PersonField::surname)};
            if (std::none_of(parts.begin(), parts.end(), [](const QString& p) { return p.isEmpty() || p.contains(' '); })) {
                EXPECT_EQ((QStringList{is(PersonField::fam), is(PersonField::name), is(PersonField::surname)}),
                          (QStringList{was(PersonField::fam), was(PersonField::name), was(PersonField::surname)})) << n;
            }
        }
        for (int kind : {LinkKind::Spouses, LinkKind::ParentOf})
            EXPECT_EQ(linkSet(store.links, kind, everyone), linkSet(source.links, kind, everyone)) << seed << ' ' << kind;
    }
}

TEST(GedcomExport, UnwritableTargetsLeaveNothingAndSayWhy)
{
    QTemporaryDir dir;
    GenealogyStore s;
    s.persons.insertRecord({1, "Сидоров", "Иван", "Петрович"});
    const QString missingFolder = dir.filePath(QStringLiteral("нет/древо.ged"));
    const QString folder = dir.filePath(QStringLiteral("папка.ged"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("папка.ged")));
    for (const QString& path : {missingFolder, folder}) {
        const auto result = exportGedcomFile(s, path);
        ASSERT_TRUE(std::holds_alternative<QString>(result)) << qPrintable(path);
        EXPECT_TRUE(std::get<QString>(result).contains(QFileInfo(path).fileName())) << qPrintable(std::get<QString>(result));
    }
    EXPECT_FALSE(QFileInfo::exists(missingFolder));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"папка.ged"});

    const QString good = dir.filePath(QStringLiteral("древо.ged"));
    const auto result = exportGedcomFile(s, good);
    ASSERT_TRUE(std::holds_alternative<GedcomExportCounts>(result));
    EXPECT_EQ(gedcomExportSummary(std::get<GedcomExportCounts>(result), good),
              QStringLiteral("Древо записано в файл «древо.ged»: персонажей 1, семей 0."));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 2);
}

TEST(GedcomExport, MenuCommandAndBatchStep)
{
    QTemporaryDir dir;
    ScriptedPlatform platform;
    TForm1 form(platform);
    form.store().persons.insertRecord({1, "Сидоров", "Иван", "Петрович"});
    form.store().links.insertRecord({1, 5, LinkKind::ParentOf});
    form.exporter().Gedcom1Click();  // cancelled: nothing told
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.fileSuffixes, QStringList{"ged"});
    const QString path = dir.filePath(QStringLiteral("окно.ged"));
    platform.saveAnswers.push_back(path);
    form.exporter().Gedcom1Click();
    EXPECT_EQ(platform.lastMessage(), QStringLiteral("Древо записано в файл «окно.ged»: персонажей 1, семей 0.\n") +
                                          gedcomSkippedLinksText({1, 0, 1}));
    platform.saveAnswers.push_back(dir.filePath(QStringLiteral("нет/окно.ged")));
    form.exporter().Gedcom1Click();
    EXPECT_TRUE(platform.lastMessage().startsWith(QStringLiteral("Не удалось сохранить файл «окно.ged»")));

    const QString out = dir.filePath(QStringLiteral("пакет.ged"));
    std::FILE* output = std::tmpfile();
    std::FILE* errors = std::tmpfile();
    const int status = runBatch(parseCommandLine({"--batch", "--import", path, "--export-gedcom", dir.filePath("нет/x.ged"),
                                                  "--export-gedcom", out, "--dump", "links"}),
                                output, errors);
    EXPECT_EQ(status, 1);
    auto read = [](std::FILE* f) {
        std::rewind(f);
        QFile file;
        return file.open(f, QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    EXPECT_TRUE(read(output).startsWith("# links\n"));
    EXPECT_TRUE(read(errors).contains("x.ged"));
    std::fclose(output);
    std::fclose(errors);
    EXPECT_TRUE(readFile(out).contains("1 NAME Иван Петрович /Сидоров/\r\n"));
}
