#include "platform/ApplicationSettings.h"
#include "support/TestHelpers.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString packaging = QStringLiteral(ARBOLITUS_TEST_SOURCES "/../packaging");

// The folders as a person's home holds them, relative to the temporary home.
struct Home {
    QTemporaryDir dir;
    QString path(const QString& relative) const { return dir.filePath(relative); }
    void put(const QString& relative, const QByteArray& content) const
    {
        QDir().mkpath(QFileInfo(path(relative)).absolutePath());
        writeFile(path(relative), content);
    }
    bool has(const QString& relative) const { return QFileInfo::exists(path(relative)); }
};

} // namespace

// The earlier names are moved once; what is already in the new place wins and
// the old is then left alone, so nothing is ever overwritten.
TEST(EarlierFiles, AreMovedOnceWithoutOverwriting)
{
    const struct {
        QStringList before;
        QStringList after;
    } cases[] = {
        {{}, {}},
        {{"config/Arbolitus/Arbolitus.conf", "data/ARBOLITUS/recovery/a.arbolitus"},
         {"config/arbolitus/arbolitus.conf", "data/arbolitus/recovery/a.arbolitus"}},
        {{"config/Arbolitus/Arbolitus.conf", "config/Arbolitus/other.conf"},
         {"config/arbolitus/arbolitus.conf", "config/Arbolitus/other.conf"}},
        {{"config/Arbolitus/Arbolitus.conf", "config/arbolitus/arbolitus.conf", "data/ARBOLITUS/x",
          "data/arbolitus/y"},
         {"config/Arbolitus/Arbolitus.conf", "config/arbolitus/arbolitus.conf", "data/ARBOLITUS/x",
          "data/arbolitus/y"}},
    };
    for (const auto& c : cases) {
        Home home;
        for (const QString& file : c.before)
            home.put(file, file.toUtf8());
        moveEarlierApplicationFiles(home.path("config"), home.path("data"));
        moveEarlierApplicationFiles(home.path("config"), home.path("data"));
        QStringList found;
        QDirIterator it(home.dir.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            found << QDir(home.dir.path()).relativeFilePath(it.next());
        found.sort();
        QStringList expected = c.after;
        expected.sort();
        EXPECT_EQ(found, expected) << c.before.join(' ').toStdString();
        for (const QString& file : c.after) {  // each file kept its own content
            if (c.before.contains(file)) {
                EXPECT_EQ(readFile(home.path(file)), file.toUtf8());
            }
        }
        EXPECT_EQ(home.has("config/Arbolitus"), c.after.join(' ').contains("config/Arbolitus/"));
    }
}

// The program itself moves them at start, under the XDG folders it is given.
TEST(EarlierFiles, AreMovedByTheProgramAtStart)
{
    Home home;
    home.put("xdg-config/Arbolitus/Arbolitus.conf", "[General]\nrecentFiles=/tmp/a.arbolitus\n");
    home.put("xdg-data/ARBOLITUS/recovery/copy.arbolitus", "copy");
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home.dir.path());
    environment.insert("XDG_CONFIG_HOME", home.path("xdg-config"));
    environment.insert("XDG_DATA_HOME", home.path("xdg-data"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ARBOLITUS_EXECUTABLE), {"--batch", "--dump", "persons"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_TRUE(home.has("xdg-config/arbolitus/arbolitus.conf"));
    EXPECT_FALSE(home.has("xdg-config/Arbolitus"));
    EXPECT_EQ(readFile(home.path("xdg-data/arbolitus/recovery/copy.arbolitus")), QByteArray("copy"));
    EXPECT_FALSE(home.has("xdg-data/ARBOLITUS"));
}

// A tree file is known by its application id whatever its name, as the
// desktop's compiled database of file types says, and by its suffix.
TEST(FileType, TreeFilesAreKnownByContentAndSuffix)
{
    QTemporaryDir data;
    QDir().mkpath(data.filePath("mime/packages"));
    ASSERT_TRUE(QFile::copy(packaging + "/org.arbolitus.Arbolitus.mime.xml",
                            data.filePath("mime/packages/org.arbolitus.Arbolitus.xml")));
    QProcess compile;
    compile.start(QStringLiteral("update-mime-database"), {data.filePath("mime")});
    ASSERT_TRUE(compile.waitForFinished(30000));
    ASSERT_EQ(compile.exitCode(), 0) << compile.readAllStandardError().toStdString();
    // Every tree file starts as an SQLite database does and holds the id at 68.
    const QByteArray rule = QByteArray("[60:application/x-arbolitus]\n>0=") + QByteArray("\0\x0f", 2)
                            + "SQLite format 3\n1>68=" + QByteArray("\0\x04", 2) + "ARBL\n";
    EXPECT_TRUE(readFile(data.filePath("mime/magic")).contains(rule));
    const ProcessResult saved = runBatchProcess({"--save", data.filePath("tree.bin")});
    ASSERT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    const QByteArray tree = readFile(data.filePath("tree.bin"));
    EXPECT_TRUE(tree.startsWith(QByteArray("SQLite format 3\0", 16)));
    EXPECT_EQ(tree.mid(68, 4), QByteArray("ARBL"));

    // Read before the first look-up: the database of types is built once.
    qputenv("XDG_DATA_DIRS", (data.path() + ":/usr/local/share:/usr/share").toUtf8());
    QMimeDatabase types;
    QByteArray older = tree;
    older.replace(68, 4, QByteArray(4, '\0'));
    const struct {
        QString name;
        QByteArray content;
        QString type;
    } cases[] = {
        {"older.arbolitus", older, "application/x-arbolitus"},
        {"older.sqlite3", older, "application/vnd.sqlite3"},
        {"family.ged", pedigreeGedcom, "application/x-gedcom"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(types.mimeTypeForFile(writeFile(data.filePath(c.name), c.content)).name(), c.type)
            << c.name.toStdString();
    EXPECT_EQ(types.mimeTypeForFile("new.arbolitus", QMimeDatabase::MatchExtension).name(), "application/x-arbolitus");
    EXPECT_TRUE(types.mimeTypeForName("application/x-arbolitus").inherits("application/vnd.sqlite3"));
}
