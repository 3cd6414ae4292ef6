#include "GedcomFixture.h"
#include "gedcom/GedcomFileRead.h"
#include "gedcom/GedcomText.h"

#include <QDir>
#include <QProcess>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray cp1251(const QString& text)
{
    QByteArray out;
    for (QChar c : text) {
        int b = 0;
        while (b < 256 && decodeCp1251(QByteArray(1, char(b))).at(0) != c)
            ++b;
        out += char(b < 256 ? b : '?');
    }
    return out;
}

QByteArray utf16(const QString& text, bool littleEndian)
{
    QByteArray out;
    for (QChar c : text) {
        const char low = char(c.unicode() & 0xFF), high = char(c.unicode() >> 8);
        out += littleEndian ? QByteArray{&low, 1} + QByteArray{&high, 1} : QByteArray{&high, 1} + QByteArray{&low, 1};
    }
    return out;
}

const QString header = QStringLiteral("0 HEAD\n1 SOUR X\n");
const QString person = QStringLiteral("0 @I1@ INDI\n1 NAME Иван Петрович /Сидоров/\n0 TRLR\n");

struct EncodingCase {
    const char* what;
    QByteArray file;
    QString name = QStringLiteral("Иван"), surname = QStringLiteral("Петрович"), fam = QStringLiteral("Сидоров");
};

QList<EncodingCase> encodingCases()
{
    const QString declared = header + QStringLiteral("1 CHAR %1\n") + person;
    const QString utf8Late = QStringLiteral("0 HEAD\n0 NOTE\n1 CHAR UTF-8\n") + person;
    const QString crlf = QString(declared.arg("UNICODE")).replace("\n", "\r\n");
    return {
        {"CP1251, declared ANSI", cp1251(declared.arg("ANSI"))},
        {"CP1251, undeclared", cp1251(header + person)},
        {"CP1251, CHAR outside the header", cp1251(utf8Late)},
        {"UTF-8, declared", declared.arg("UTF-8").toUtf8()},
        {"UTF8, blanks, lower case, CR LF", QString(header + "1   CHAR   utf8  \n" + person).replace("\n", "\r\n").toUtf8()},
        {"UTF-8, undeclared", (header + person).toUtf8()},
        {"UTF-8 with a byte-order mark, declared ANSI", "\xEF\xBB\xBF" + declared.arg("ANSI").toUtf8()},
        // Any other CHAR value reads as before, even over UTF-8 bytes.
        {"UTF-8 bytes declared ANSI", declared.arg("ANSI").toUtf8(), decodeCp1251("Иван"), decodeCp1251("Петрович"),
         decodeCp1251("Сидоров")},
        {"UTF-16 LE with a mark", "\xFF\xFE" + utf16(declared.arg("UNICODE"), true)},
        {"UTF-16 BE with a mark", "\xFE\xFF" + utf16(declared.arg("UNICODE"), false)},
        {"UTF-16 LE without a mark", utf16(declared.arg("UNICODE"), true)},
        {"UTF-16 BE without a mark, CR LF", utf16(crlf, false)},
        // Diacritics stand before their letter; two on one letter compose to one character.
        {"ANSEL", "0 HEAD\n1 CHAR  ANSEL\n0 @I1@ INDI\n1 NAME Ren\xE2" "e \xE8\xE5" "a /\xE9" "Capek\xB1/\n",
         QString::fromUtf8("Ren\u00E9"), QString::fromUtf8("\u01DF"), QString::fromUtf8("\u010Capek\u0142")},
    };
}

} // namespace

TEST_F(Gedcom, FilesInEveryCharacterSet)
{
    for (const EncodingCase& c : encodingCases()) {
        store.persons.emptyTable();
        ASSERT_TRUE(import(c.file)) << c.what << ": " << error.toStdString();
        ASSERT_EQ(store.persons.recordCount(), 1) << c.what;
        store.persons.first();
        EXPECT_EQ(store.persons.asString(PersonField::name), c.name) << c.what;
        EXPECT_EQ(store.persons.asString(PersonField::surname), c.surname) << c.what;
        EXPECT_EQ(store.persons.asString(PersonField::fam), c.fam) << c.what;
    }
    // Every byte of the code page keeps its character, as it always did.
    QByteArray all;
    for (int b = 0x20; b < 256; ++b)
        all += char(b);
    store.persons.emptyTable();
    ASSERT_TRUE(import("0 @I1@ INDI\n1 BIRT\n2 PLAC " + all.mid(128 - 32, 40) + "\n"));
    EXPECT_EQ(store.persons.asString(PersonField::birth_place), decodeCp1251(all.mid(128 - 32, 40)));
}

namespace {

struct BadInput {
    const char* what;
    QByteArray file;
    bool read;
    QString error;
    QList<int> persons;
};

constexpr qsizetype hundredMegabytes = 100 * 1024 * 1024;

QList<BadInput> badInputs()
{
    const QByteArray two = "0 @I1@ INDI\n1 NAME Иван\n0 @I2@ INDI\n";
    return {
        {"empty", "", false, "Файл f.ged пуст: в нём нет ни одной строки", {5}},
        {"binary", "\x89PNG\r\n\x1A\n\0\0\0\rIHDR", false, "Строка 1 файла f.ged: '‰PNG' не является целым числом",
         {5}},
        {"NUL bytes", two + QByteArray("1 NAME A\0B\n0 @I3@ INDI\n", 23), false,
         "Строка 4 файла f.ged: нулевой байт: это не текстовый файл GEDCOM", {5, 6}},
        {"zero bytes that are not UTF-16", QByteArray("1\0 \0X\0\n\0", 8), false,
         "Строка 1 файла f.ged: нулевой байт: это не текстовый файл GEDCOM", {5}},
        {"a line of 100 MB", two + "1 NOTE " + QByteArray(hundredMegabytes, 'x') + "\n1 NAME Пётр\n", true, "",
         {5, 6, 7}},
        {"a word of 100 MB", two + QByteArray(hundredMegabytes, 'y') + "\n", false,
         "Строка 4 файла f.ged: '" + QString(40, 'y') + "…' не является целым числом", {5, 6}},
        {"truncated UTF-8", "0 HEAD\n1 CHAR UTF-8\n" + two + "1 NAME \xD0\n", false,
         "Строка 6 файла f.ged: байты, недопустимые в кодировке UTF-8", {5, 6}},
        {"levels above 99", "0 @I1@ INDI\n1 BIRT\n100 DATE x\n123456789012345678901 NOTE\n2 DATE 1800\n", true, "",
         {5, 6}},
        // Pointers that name no record are counted, not fatal.
        {"a pointer of 20 digits", two + "0 @F1@ FAM\n1 HUSB @I12345678901234567890@\n0 TRLR\n", true, "", {5, 6, 7}},
        {"a pointer that is no number", two + "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @FX@\n", true, "", {5, 6, 7}},
    };
}

} // namespace

TEST_F(Gedcom, BadInputEndsCleanlyKeepingWhatWasRead)
{
    for (const BadInput& c : badInputs()) {
        store.persons.emptyTable();
        store.persons.insertRecord({5, "Кузнецов", "Олег", ""});
        host.progressSteps.clear();
        EXPECT_EQ(import(c.file, "f.ged"), c.read) << c.what;
        EXPECT_EQ(error, c.error) << c.what;
        EXPECT_EQ(columnIntegers(store.persons, PersonField::num), c.persons) << c.what;
        EXPECT_FALSE(store.persons.controlsDisabled()) << c.what;
        if (c.read && c.file.size() > hundredMegabytes) {
            EXPECT_GT(host.progressSteps.size(), 2) << c.what;
        }
    }
}

TEST_F(Gedcom, FilesThatCannotBeRead)
{
    store.persons.insertRecord({5, "Кузнецов", "Олег", ""});
    ASSERT_TRUE(QDir(dir.path()).mkdir("папка.ged"));
    EXPECT_FALSE(importPath(dir.filePath("папка.ged")));
    EXPECT_EQ(error, QStringLiteral("Не удалось открыть файл папка.ged: это папка, а не файл"));
    EXPECT_FALSE(importPath(dir.filePath("нет.ged")));
    EXPECT_EQ(error, QStringLiteral("Не удалось открыть файл нет.ged: файл не найден"));
    // Opens, even for root, but every read fails.
    EXPECT_FALSE(importPath(QStringLiteral("/proc/self/mem")));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Не удалось открыть файл mem: "))) << error.toStdString();
    EXPECT_EQ(store.persons.recordCount(), 1);

    // Only regular files are read: a FIFO or a device neither blocks nor fills memory.
    const QByteArray fifo = QFile::encodeName(dir.filePath(QStringLiteral("канал.ged")));
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    for (const QString& path : {QFile::decodeName(fifo), QStringLiteral("/dev/zero")}) {
        EXPECT_FALSE(importPath(path));
        EXPECT_EQ(error, QStringLiteral("Не удалось открыть файл %1: это не обычный файл (устройство, канал или сокет)")
                             .arg(QFileInfo(path).fileName()));
    }
    // A file past the size bound is refused before it is read; a sparse one costs nothing to make.
    QFile huge(dir.filePath(QStringLiteral("огромный.ged")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(gedcomSizeLimit + 1));
    huge.close();
    EXPECT_FALSE(importPath(huge.fileName()));
    EXPECT_EQ(error, QStringLiteral("Файл огромный.ged слишком велик: импорт читает файлы не больше 1024 МБ"));
    // The bound also holds for what is read, should the file grow meanwhile.
    const QString small = writeFile(dir.filePath(QStringLiteral("малый.ged")), "0 @I1@ INDI\n");
    EXPECT_TRUE(std::holds_alternative<QString>(readGedcomFile(small, 5)));
    EXPECT_TRUE(std::holds_alternative<QByteArray>(readGedcomFile(small, 12)));
    EXPECT_EQ(store.persons.recordCount(), 1);

    ASSERT_TRUE(import("0 @I1@ INDI\n", "закрыт.ged"));
    QFile::setPermissions(dir.filePath("закрыт.ged"), QFileDevice::Permissions());
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads files without read permission";
    EXPECT_FALSE(importPath(dir.filePath("закрыт.ged")));
    EXPECT_EQ(error, QStringLiteral("Не удалось открыть файл закрыт.ged: нет прав на чтение"));
}

// The fuzzer starts from these seeds: the family in every character set reads
// whole, and the odd ones end without harm.
TEST_F(Gedcom, FuzzSeedsImport)
{
    QProcess maker;
    maker.start(QStringLiteral("python3"), {QStringLiteral(ARBOLITUS_TEST_SOURCES "/../fuzz/make-seeds"), dir.path()});
    ASSERT_TRUE(maker.waitForFinished(30000) && maker.exitCode() == 0) << maker.readAllStandardError().constData();
    const QStringList seeds = QDir(dir.path()).entryList({QStringLiteral("*.ged")}, QDir::Files);
    ASSERT_GE(seeds.size(), 17);
    for (const QString& seed : seeds) {
        store.emptyForNewTree();
        importPath(dir.filePath(seed));
        if (seed.startsWith(QLatin1String("utf")) || seed.startsWith(QLatin1String("cp1251"))
            || seed == QLatin1String("crlf.ged")) {
            EXPECT_EQ(store.persons.recordCount(), 3) << seed.toStdString();
            EXPECT_TRUE(store.persons.locate(PersonField::name, QStringLiteral("Иван"))) << seed.toStdString();
            EXPECT_EQ(store.links.recordCount(), 3) << seed.toStdString();
        }
    }
}
