#include "diagram/DiagramRows.h"
#include "diagram/LegendPictures.h"
#include "export/DiagramChart.h"
#include "list/PersonList.h"
#include "store/TableDump.h"
#include "support/TestHelpers.h"
#include "treefile/AtomicFile.h"
#include "treefile/Sqlite.h"
#include "treefile/TreeFile.h"

#include <QDir>
#include <sys/stat.h>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

namespace {

// A store with every field kind, edge values, and an order that is neither creation nor sorted.
void fillEdgeStore(GenealogyStore& s)
{
    const QString twenty = QStringLiteral("Ёлкина-Щербатова-Юл");  // at the field size with the next letter
    s.persons.insertRecord({3, "Иванов", "Иван", "Иванович", "", true, "ОКОЛО 1850 ", "Тула\tгород", "", "", false});
    s.persons.insertRecord({1, twenty + "я", "", "", "", false, "", "", "1.2.1900", "Москва\nцентр", true});
    s.persons.insertRecord({2, "Иванов", "Пётр"});  // the rest empty, not zero
    s.persons.sortOnField(PersonField::fam, true, false);
    s.persons.last();
    s.persons.insertRecord({4, "", "№4", "", "", true});
    s.links.insertRecord({3, 1, LinkKind::ParentOf});
    s.links.insertRecord({3, 2, LinkKind::Spouses});
    s.links.insertRecord({0, -2147483647 - 1, 2147483647});
    s.events.insertRecord({1, "Рождение", "МЕЖДУ 12.10.1850  И 13.11.1851 ", "Тула"});
    s.participants.insertRecord({1, 3, "Новорожденный"});
    s.names.insertRecord({"Альтернативное", true, "Иванов Ваня", 3, false});
    s.notes.insertRecord({3, false, "Заметка", QString(5000, QChar(u'ж')) + "\n\tконец", 1});
    s.notes.insertRecord({3, true, "Фото", "/дом/фото #1?%.jpg", 2});
    s.diagram.insertRecord({2, 850, 750, "Иванов", "Иван Иванович", 3, false});
    s.diagram.insertRecord({3, 3, 1, "", "", -1, false});
    s.diagram.insertRecord({-32768, -5, 32767, "", "", 0, true});
    s.persons.deleteRecord();  // a creation number that is never reused
}

TreeFileDiagram sampleDiagram()
{
    TreeFileDiagram d;
    d.settings.names = false;
    d.settings.straightLines = true;
    d.settings.grid = true;
    d.settings.lineWidth = 7;
    d.settings.units = {90, 60};
    d.font = QStringLiteral("DejaVu Sans,11,-1,5,400,0,0,0,0,0,0,0,0,0,0,1");
    d.malePicture = QImage(20, 16, QImage::Format_RGB32);
    d.malePicture.fill(Qt::red);
    d.femalePicture = QImage(18, 18, QImage::Format_RGB32);
    d.femalePicture.fill(Qt::blue);
    d.horzRange = 1955;
    d.vertRange = 1650;
    d.horzPosition = 300;
    d.vertPosition = 40;
    return d;
}

QString everyTableDump(GenealogyStore& s)
{
    QString out;
    for (const TreeFileTable& t : treeFileTables()) {
        RecordTable& table = s.*t.table;
        out += dumpTable(table, QLatin1String(t.name)) + QString::number(table.creationCounter()) + QLatin1Char('\n');
        for (int p = 0; p < table.recordCount(); ++p)
            out += QString::number(table.creationNumber(table.rowAt(p))) + QLatin1Char(' ');
    }
    return out;
}

class TreeFile : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QString saved(const QString& name = QStringLiteral("древо.arbolitus"))
    {
        fillEdgeStore(store);
        const std::optional<QString> error = saveTreeFile(store, sampleDiagram(), path(name));
        EXPECT_FALSE(error) << error.value_or(QString()).toStdString();
        return path(name);
    }
    // A copy of the saved file changed by SQL, the checksum left as it was.
    QString changedCopy(const QString& name, const QString& sql)
    {
        const QString copy = path(name);
        QFile::copy(path(QStringLiteral("древо.arbolitus")), copy);
        SqliteDatabase db(copy, SqliteDatabase::CreateNew);
        EXPECT_TRUE(db.execute(sql)) << sql.toStdString() << db.errorText().toStdString();
        return copy;
    }
    // The same, signed again as a file this program wrote that way would be.
    QString resignedCopy(const QString& name, const QString& sql)
    {
        const QString copy = changedCopy(name, sql);
        SqliteDatabase(copy, SqliteDatabase::CreateNew)
            .execute(QStringLiteral("UPDATE meta SET value = '%1' WHERE key = 'checksum'").arg(treeFileContentChecksum(copy)));
        return copy;
    }
    QStringList temporaries() const { return QDir(dir.path()).entryList({"*.tmp-*"}, QDir::Files | QDir::Hidden); }

    QTemporaryDir dir;
    GenealogyStore store;
};

} // namespace

TEST_F(TreeFile, OpensWithEveryRowOrderTieAndNextNumberAsSaved)
{
    const QString file = saved(QStringLiteral("с пробелом #1 ?%.arbolitus"));
    auto opened = openTreeFile(file);
    ASSERT_TRUE(std::holds_alternative<OpenedTree>(opened)) << std::get<QString>(opened).toStdString();
    GenealogyStore& back = *std::get<OpenedTree>(opened).store;
    EXPECT_EQ(everyTableDump(back), everyTableDump(store));

    // Sort ties and the next numbers follow the saved creation order and counters.
    for (GenealogyStore* s : {&store, &back}) {
        s->persons.sortOnField(PersonField::fam, true, false);
        s->events.insertRecord({2});
    }
    EXPECT_EQ(columnIntegers(back.persons, PersonField::num), columnIntegers(store.persons, PersonField::num));
    EXPECT_EQ(insertNewPerson(back.persons), insertNewPerson(store.persons));
    EXPECT_EQ(everyTableDump(back), everyTableDump(store));

    const TreeFileDiagram d = std::get<OpenedTree>(opened).diagram, expected = sampleDiagram();
    EXPECT_EQ(std::pair(d.settings.units.h, d.settings.units.v), std::pair(90, 60));
    EXPECT_EQ(std::tie(d.settings.names, d.settings.familyNames, d.settings.straightLines, d.settings.grid, d.settings.lineWidth),
              std::tie(expected.settings.names, expected.settings.familyNames, expected.settings.straightLines,
                       expected.settings.grid, expected.settings.lineWidth));
    EXPECT_EQ(d.font, expected.font);
    EXPECT_EQ(d.malePicture.convertToFormat(QImage::Format_RGB32), expected.malePicture);
    EXPECT_EQ(d.femalePicture.size(), QSize(18, 18));
    EXPECT_EQ(QList<int>({d.horzRange, d.vertRange, d.horzPosition, d.vertPosition}), QList<int>({1955, 1650, 300, 40}));

    // Replacing the held tables keeps the held store's own objects.
    GenealogyStore held;
    held.persons.insertRecord({99});
    const QString openedDump = everyTableDump(back);
    replaceStoreTables(held, back);
    EXPECT_EQ(everyTableDump(held), openedDump);
    EXPECT_EQ(held.persons.recNo(), 1);
}

TEST_F(TreeFile, BadFilesAreRefusedWithTheFileNamed)
{
    const QString good = saved();
    const QString text = writeFile(path("text.arbolitus"), "0 HEAD\n1 CHAR UTF-8\n0 TRLR\n");
    writeFile(path("empty.arbolitus"), {});
    QImage(4, 4, QImage::Format_RGB32).save(path("picture.arbolitus"), "PNG");
    QDir(dir.path()).mkdir(QStringLiteral("folder.arbolitus"));
    const QByteArray whole = readFile(good);
    QStringList cut;
    for (qsizetype length : {qsizetype(100), whole.size() / 3, whole.size() - 1000})
        cut << writeFile(path(QStringLiteral("cut%1.arbolitus").arg(length)), whole.left(length));
    const QStringList bad = QStringList{path("missing.arbolitus"), path("folder.arbolitus"), text,
                                        path("empty.arbolitus"), path("picture.arbolitus")}
                            + cut
                            + QStringList{
                                changedCopy("changed.arbolitus", "UPDATE persons SET name = 'Пётр' WHERE num = 3"),
                                changedCopy("newer.arbolitus", "PRAGMA user_version = 999"),
                                changedCopy("table.arbolitus", "CREATE TABLE extra (a)"),
                                changedCopy("view.arbolitus", "CREATE VIEW v AS SELECT * FROM persons"),
                                changedCopy("trigger.arbolitus",
                                            "CREATE TRIGGER t AFTER INSERT ON links BEGIN DELETE FROM persons; END"),
                                changedCopy("column.arbolitus", "ALTER TABLE links ADD COLUMN extra INTEGER"),
                                changedCopy("textnumber.arbolitus", "UPDATE links SET id1 = 'три' WHERE id1 = 3"),
                                changedCopy("range.arbolitus", "UPDATE links SET id1 = 4294967296 WHERE id1 = 3"),
                                changedCopy("boolean.arbolitus", "UPDATE persons SET sex = 2 WHERE num = 3"),
                                changedCopy("order.arbolitus", "UPDATE persons SET _position = 7 WHERE num = 2"),
                                changedCopy("product.arbolitus", "UPDATE meta SET value = 'Другое' WHERE key = 'product'"),
                                changedCopy("foreign.arbolitus", "PRAGMA application_id = 1"),
                            };
    for (const QString& file : bad) {
        const auto opened = openTreeFile(file);
        ASSERT_TRUE(std::holds_alternative<QString>(opened)) << file.toStdString();
        const QString message = std::get<QString>(opened);
        EXPECT_TRUE(message.startsWith(QStringLiteral("Не удалось открыть файл «") + QFileInfo(file).fileName() + "»"))
            << message.toStdString();
    }
    EXPECT_TRUE(std::get<QString>(openTreeFile(path("newer.arbolitus"))).contains(QStringLiteral("более новой")));
    EXPECT_TRUE(std::get<QString>(openTreeFile(path("changed.arbolitus"))).contains(QStringLiteral("контрольная сумма")));
    EXPECT_TRUE(std::get<QString>(openTreeFile(path("foreign.arbolitus"))).contains(QStringLiteral("другой программы")));
    EXPECT_FALSE(QFile::exists(path("missing.arbolitus")));  // never created by looking
}

// File managers tell a tree file by "ARBL" at offset 68; files written before it was set still open.
TEST_F(TreeFile, CarriesTheApplicationIdAndOpensWithoutIt)
{
    EXPECT_EQ(readFile(saved()).mid(68, 4), QByteArray("ARBL"));
    const QString older = changedCopy("older.arbolitus", "PRAGMA application_id = 0");
    EXPECT_EQ(readFile(older).mid(68, 4), QByteArray(4, '\0'));
    EXPECT_TRUE(std::holds_alternative<OpenedTree>(openTreeFile(older)));
}

// Changed copies signed again, as a file this program wrote that way would be:
// a text longer than its field is cut as the store cuts it, and a column an
// older layout lacked reads as empty fields, whatever the version.
TEST_F(TreeFile, LongerTextsAreCutAndMissingColumnsReadAsEmpty)
{
    saved();
    auto opened = [&](const char* name, const char* sql) { return openTreeFile(resignedCopy(name, sql)); };
    auto longer = opened("longer.arbolitus", "UPDATE persons SET fam = 'Ааааааааааааааааааааааааа' WHERE num = 3");
    ASSERT_TRUE(std::holds_alternative<OpenedTree>(longer)) << std::get<QString>(longer).toStdString();
    RecordTable& cut = std::get<OpenedTree>(longer).store->persons;
    ASSERT_TRUE(cut.locate(PersonField::num, 3));
    EXPECT_EQ(cut.asString(PersonField::fam), QStringLiteral("А") + QString(19, QChar(u'а')));

    auto older = opened("older.arbolitus", "ALTER TABLE persons DROP COLUMN birth_place");
    ASSERT_TRUE(std::holds_alternative<OpenedTree>(older)) << std::get<QString>(older).toStdString();
    RecordTable& persons = std::get<OpenedTree>(older).store->persons;
    ASSERT_EQ(persons.recordCount(), store.persons.recordCount());
    for (int p = 0; p < persons.recordCount(); ++p) {
        const RowId row = persons.rowAt(p), kept = store.persons.rowAt(p);
        EXPECT_TRUE(persons.isNullAt(row, PersonField::birth_place));
        EXPECT_EQ(persons.cellAt(row, PersonField::fam), store.persons.cellAt(kept, PersonField::fam));
        EXPECT_EQ(persons.cellAt(row, PersonField::death_place), store.persons.cellAt(kept, PersonField::death_place));
    }
}

TEST_F(TreeFile, FailedSavesLeaveThePreviousFileAndNoTemporary)
{
    const QString file = saved();
    const QByteArray before = readFile(file);
    store.persons.insertRecord({77, "Новый"});
    const struct {
        QString target;
        QString reason;
    } cases[] = {
        {path("нет/древо.arbolitus"), QStringLiteral("не существует")},
        {dir.path(), QStringLiteral("папка")},
    };
    for (const auto& c : cases) {
        const std::optional<QString> error = saveTreeFile(store, {}, c.target);
        ASSERT_TRUE(error);
        EXPECT_TRUE(error->contains(c.reason)) << error->toStdString();
    }
    // A writer that fails half way, as on a full disk.
    const std::optional<QString> error = saveAtomically(file, [](const QString& temporary) {
        writeFile(temporary, "half");
        return std::optional<QString>(QStringLiteral("на диске нет места"));
    });
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, QStringLiteral("Не удалось сохранить файл «древо.arbolitus»: на диске нет места."));
    EXPECT_EQ(readFile(file), before);
    EXPECT_TRUE(temporaries().isEmpty()) << temporaries().join(' ').toStdString();
}

// Numbers the next insert could not follow, and positions that drawing could
// not shift and span in 32 bits, are refused; those just inside are not.
TEST_F(TreeFile, NumbersAndPositionsAtTheirLimitsAreRefused)
{
    saved();
    const struct {
        const char* sql;
        const char* reason;  // nothing: the file opens
    } cases[] = {
        {"UPDATE persons SET num = 2147483647 WHERE num = 3", "не оставляет места"},
        {"UPDATE persons SET num = 2147483646 WHERE num = 3", nullptr},
        {"UPDATE events SET id = 2147483647", "не оставляет места"},
        {"UPDATE notes SET num = 2147483647 WHERE num = 1", "не оставляет места"},
        {"UPDATE meta SET value = '9223372036854775808' WHERE key = 'counter.persons'", "слишком велик"},
        {"UPDATE meta SET value = '4611686018427387905' WHERE key = 'counter.links'", "слишком велик"},
        {"UPDATE meta SET value = '4611686018427387904' WHERE key = 'counter.links'", nullptr},
        {"UPDATE diagram SET x = 2147483647 WHERE type = 2", "пределы"},
        {"UPDATE diagram SET x = -2147483648 WHERE type = 2", "пределы"},
        {"UPDATE diagram SET y = 2147483647 WHERE type = 2", "пределы"},
        {"UPDATE diagram SET y = -2147483648 WHERE type = 2", "пределы"},
        {"UPDATE diagram SET x = 536870913 WHERE type = 2", "пределы"},
        {"UPDATE diagram SET x = -536870912, y = 536870912 WHERE type = 2", nullptr},
        {"UPDATE diagram SET x = -2147483648, y = 2147483647 WHERE type = 3", nullptr},  // line ends are person numbers
        {"UPDATE meta SET value = '2147483647' WHERE key = 'scroll.horzRange'", "настройки диаграммы"},
        {"UPDATE meta SET value = '2147483647' WHERE key = 'scroll.vertRange'", "настройки диаграммы"},
        {"UPDATE meta SET value = '2147483647' WHERE key = 'scroll.horzPosition'", "настройки диаграммы"},
        {"UPDATE meta SET value = '536870913' WHERE key = 'scroll.vertRange'", "настройки диаграммы"},
        {"UPDATE meta SET value = '536870912' WHERE key = 'scroll.vertRange'", nullptr},
    };
    int n = 0;
    for (const auto& c : cases) {
        const auto opened = openTreeFile(resignedCopy(QStringLiteral("предел%1.arbolitus").arg(n++), QString::fromUtf8(c.sql)));
        if (!c.reason) {
            EXPECT_TRUE(std::holds_alternative<OpenedTree>(opened)) << c.sql << std::get<QString>(opened).toStdString();
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<QString>(opened)) << c.sql;
        EXPECT_TRUE(std::get<QString>(opened).contains(QString::fromUtf8(c.reason))) << std::get<QString>(opened).toStdString();
    }

    // Boxes at opposite corners of what is accepted, joined by a line, are drawn
    // without overflow (the sanitized build checks every sum).
    GenealogyStore corners;
    insertPersonRow(corners.diagram, DiagramRowType::Male, QPoint(-maxDiagramCoordinate, -maxDiagramCoordinate), "А", "", 1);
    insertPersonRow(corners.diagram, DiagramRowType::Female, QPoint(maxDiagramCoordinate, maxDiagramCoordinate), "Б", "", 2);
    insertLineRow(corners.diagram, 1, 2);
    TreeFileDiagram extents;
    extents.horzRange = extents.vertRange = extents.horzPosition = extents.vertPosition = maxDiagramCoordinate;
    ASSERT_FALSE(saveTreeFile(corners, extents, path("углы.arbolitus")));
    auto opened = openTreeFile(path("углы.arbolitus"));
    ASSERT_TRUE(std::holds_alternative<OpenedTree>(opened));
    const OpenedTree& tree = std::get<OpenedTree>(opened);
    const LegendPictures pictures = LegendPictures::builtIn();
    const DiagramChart chart{tree.store->diagram, pictures, tree.diagram.settings, QFont(),
                             QSize(tree.diagram.horzRange, tree.diagram.vertRange)};
    for (const QRect area : {QRect(0, 0, 64, 64), QRect(chart.size().width() - 64, chart.size().height() - 64, 64, 64)})
        EXPECT_FALSE(renderChartArea(chart, area).isNull());

    // Nothing writes what its reader refuses: such a tree is not saved over the file.
    const QString file = path(QStringLiteral("древо.arbolitus"));
    const QByteArray before = readFile(file);
    store.persons.insertRecord({2147483647, "Последний"});
    const std::optional<QString> error = saveTreeFile(store, sampleDiagram(), file);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->contains(QStringLiteral("не открылся бы"))) << error->toStdString();
    EXPECT_EQ(readFile(file), before);
    EXPECT_TRUE(temporaries().isEmpty());
}

// Texts with characters outside the basic plane, cut at their field size or
// holding half a pair from elsewhere, are saved so that they open again.
TEST_F(TreeFile, TextsWithSurrogatePairsSaveAndOpenAgain)
{
    const QString emoji = QStringLiteral("😀");
    store.persons.insertRecord({1, QStringLiteral("Абвгдежзийклмнопрс") + emoji, "Иван", "", "", true,
                                QString(39, QChar(u'1')) + emoji, QStringLiteral("Тула") + emoji});
    store.persons.edit();
    store.persons.setValue(PersonField::name, QStringLiteral("Иван") + emoji.left(1));  // half a pair, cut elsewhere
    store.persons.post();
    store.notes.insertRecord({1, false, emoji, emoji.repeated(1000) + emoji.right(1), 0});
    const QString file = path(QStringLiteral("эмодзи.arbolitus"));
    const std::optional<QString> error = saveTreeFile(store, {}, file);
    ASSERT_FALSE(error) << error->toStdString();
    const auto opened = openTreeFile(file);
    ASSERT_TRUE(std::holds_alternative<OpenedTree>(opened)) << std::get<QString>(opened).toStdString();
    const RecordTable& back = std::get<OpenedTree>(opened).store->persons;
    EXPECT_EQ(back.asString(PersonField::fam), QStringLiteral("Абвгдежзийклмнопрс") + emoji);
    EXPECT_EQ(back.asString(PersonField::birth_date), QString(39, QChar(u'1')));
    EXPECT_EQ(back.asString(PersonField::name), QStringLiteral("Иван?"));  // as UTF-8 has it
}

// Only a regular file of a bounded size is read, and only the file itself:
// no journal or WAL beside it is read, and nothing is created beside it.
TEST_F(TreeFile, OnlyTheRegularFileItselfIsRead)
{
    const QString good = saved();
    const QString fifo = path("очередь.arbolitus"), huge = path("огромный.arbolitus");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QFile sparse(huge);
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(maxTreeFileBytes + 1));
    sparse.close();
    const struct {
        QString file, reason;
    } refused[] = {{fifo, "это не обычный файл"}, {"/dev/zero", "это не обычный файл"}, {huge, "больше 1 ГБ"}};
    for (const auto& r : refused) {
        const auto opened = openTreeFile(r.file);
        ASSERT_TRUE(std::holds_alternative<QString>(opened)) << r.file.toStdString();
        EXPECT_TRUE(std::get<QString>(opened).contains(r.reason)) << std::get<QString>(opened).toStdString();
    }

    // A file in WAL mode with a change left in its -wal: the change is not read.
    const QString wal = changedCopy("wal.arbolitus", "PRAGMA journal_mode = WAL");
    {
        SqliteDatabase writer(wal, SqliteDatabase::CreateNew);
        ASSERT_TRUE(writer.execute("PRAGMA wal_autocheckpoint = 0; UPDATE persons SET name = 'Чужое' WHERE num = 3"));
        QFile::copy(wal, path("stray.arbolitus"));
        QFile::copy(wal + "-wal", path("stray.arbolitus-wal"));
    }
    const QStringList before = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& file : {good, path("stray.arbolitus")}) {
        const auto opened = openTreeFile(file);
        ASSERT_TRUE(std::holds_alternative<OpenedTree>(opened)) << std::get<QString>(opened).toStdString();
        RecordTable& persons = std::get<OpenedTree>(opened).store->persons;
        ASSERT_TRUE(persons.locate(PersonField::num, 3));
        EXPECT_EQ(persons.asString(PersonField::name), QStringLiteral("Иван"));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), before);
}

// Every version's layout stays readable: a small file of each is kept.
TEST(TreeFileVersions, KeptFilesOfEveryVersionOpen)
{
    const struct {
        const char* file;
        int persons, diagramRows, h, v;
        const char* firstFamilyName;
    } kept[] = {{"version1.arbolitus", 7, 13, 90, 70, "/Орлов/"}};
    for (const auto& k : kept) {
        const auto opened = openTreeFile(QStringLiteral(ARBOLITUS_TEST_SOURCES "/treefile/data/") + QLatin1String(k.file));
        ASSERT_TRUE(std::holds_alternative<OpenedTree>(opened)) << std::get<QString>(opened).toStdString();
        const OpenedTree& tree = std::get<OpenedTree>(opened);
        EXPECT_EQ(tree.store->persons.recordCount(), k.persons) << k.file;
        EXPECT_EQ(tree.store->diagram.recordCount(), k.diagramRows) << k.file;
        EXPECT_EQ(tree.store->persons.asString(PersonField::fam), QString::fromUtf8(k.firstFamilyName)) << k.file;
        EXPECT_EQ(tree.diagram.settings.units.h, k.h) << k.file;
        EXPECT_EQ(tree.diagram.settings.units.v, k.v) << k.file;
        EXPECT_GT(tree.diagram.horzRange, 0) << k.file;
    }
}

// A file of the first layout, written from data/version1-texts.ged by that
// version, reads as that version dumped it, and saved again in today's layout
// it opens with every row, creation number and counter the same.
TEST(TreeFileVersions, FirstLayoutReadsExactlyAndSavesIntoTheNewOne)
{
    const QString data = QStringLiteral(ARBOLITUS_TEST_SOURCES "/treefile/data/");
    auto opened = openTreeFile(data + QStringLiteral("version1-texts.arbolitus"));
    ASSERT_TRUE(std::holds_alternative<OpenedTree>(opened)) << std::get<QString>(opened).toStdString();
    OpenedTree& tree = std::get<OpenedTree>(opened);
    QString dump;
    for (const char* name : {"persons", "links", "events", "participants", "names", "notes", "diagram"})
        dump += dumpTable(*tree.store->tableByRole(QString::fromLatin1(name)), QString::fromLatin1(name));
    QFile expected(data + QStringLiteral("version1-texts.dump"));
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
    EXPECT_EQ(dump, QString::fromUtf8(expected.readAll()));

    QTemporaryDir dir;
    const QString again = dir.filePath(QStringLiteral("снова.arbolitus"));
    ASSERT_FALSE(saveTreeFile(*tree.store, tree.diagram, again));
    SqliteDatabase check(again, SqliteDatabase::CreateNew);
    SqliteStatement version(check, QStringLiteral("PRAGMA user_version"));
    ASSERT_TRUE(version.step());
    EXPECT_EQ(version.columnInteger(0), treeFileVersion);
    auto reopened = openTreeFile(again);
    ASSERT_TRUE(std::holds_alternative<OpenedTree>(reopened)) << std::get<QString>(reopened).toStdString();
    EXPECT_EQ(everyTableDump(*std::get<OpenedTree>(reopened).store), everyTableDump(*tree.store));

    // The snapshot a recovery copy is written from is the same tree.
    GenealogyStore copy;
    for (const TreeFileTable& t : treeFileTables())
        (copy.*t.table).copyContentsOf(*tree.store.*t.table);
    EXPECT_EQ(everyTableDump(copy), everyTableDump(*tree.store));
}

// Tables around the size of one statement's many rows: each row comes back in
// its place, with its values, nulls and creation number.
TEST_F(TreeFile, TablesOfManyRowsComeBackInOrder)
{
    std::mt19937 rng(5);
    const QStringList texts = {"", "Иванов", "Ёлкина", QString::fromUtf8("😀 Лев"), "Тула\nгород"};
    auto text = [&] { return texts[int(rng() % texts.size())]; };
    for (int n = 0; n < 64 * 3 + 5; ++n)
        store.persons.insertRecord({n, text(), text(), FieldValue(), text(), bool(rng() % 2)});
    for (int n = 0; n < 64; ++n)
        store.events.insertRecord({n, text(), text(), text()});
    for (int n = 0; n < 63; ++n)
        store.links.insertRecord({int(rng()), n, LinkKind::ParentOf});
    store.persons.setCurrentPosition(17);
    store.persons.deleteRecord();
    const QString file = path(QStringLiteral("много.arbolitus"));
    ASSERT_FALSE(saveTreeFile(store, sampleDiagram(), file));
    auto opened = openTreeFile(file);
    ASSERT_TRUE(std::holds_alternative<OpenedTree>(opened)) << std::get<QString>(opened).toStdString();
    EXPECT_EQ(everyTableDump(*std::get<OpenedTree>(opened).store), everyTableDump(store));
}
