// Saving and exporting onto hostile disks: full, linked, with odd modes, and
// with what killed saves left behind.
#include "diagram/DiagramRows.h"
#include "diagram/LegendPictures.h"
#include "export/ChartFile.h"
#include "export/DiagramBitmap.h"
#include "export/GenerationRegister.h"
#include "gedcom/GedcomExport.h"
#include "support/TestHelpers.h"
#include "treefile/AtomicFile.h"
#include "treefile/TreeFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// An 8 KiB disk of its own, where mounting is allowed.
class TinyDisk {
public:
    TinyDisk() { mounted_ = ::mount("tmpfs", path().toUtf8().constData(), "tmpfs", 0, "size=8k,mode=0777") == 0; }
    ~TinyDisk()
    {
        if (mounted_)
            ::umount(path().toUtf8().constData());
    }
    bool mounted() const { return mounted_; }
    QString path() const { return dir_.path(); }
    QString file(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
    QStringList files() const { return QDir(path()).entryList(QDir::Files | QDir::Hidden | QDir::System); }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

// A family whose every export is larger than the tiny disk.
void fillLargeFamily(GenealogyStore& s)
{
    for (int n = 1; n <= 300; ++n) {
        s.persons.insertRecord({n, QStringLiteral("Фамилия%1").arg(n), "Имя", "Отчество", "", n % 2 == 0});
        if (n > 1)
            s.links.insertRecord({1, n, LinkKind::ParentOf});
        insertPersonRow(s.diagram, DiagramRowType::Male, QPoint(850 + 85 * (n % 20), 750 + 75 * (n / 20)),
                        QStringLiteral("Фамилия%1").arg(n), "Имя Отчество", n);
    }
}

using Writer = std::function<std::optional<QString>(const QString& path)>;

std::optional<QString> chartWriter(const GenealogyStore& s, const QString& path)
{
    static const LegendPictures pictures = LegendPictures::builtIn();
    const ChartFileResult result = writeChartFile({s.diagram, pictures, {}, QFont(), QSize(3400, 3200)}, path);
    return result.written ? std::nullopt : std::optional(result.text);
}

} // namespace

TEST(Saving, EveryKindOnAFullDiskSaysSoAndKeepsTheOldFile)
{
    TinyDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << "mounting a tmpfs is not allowed here";
    GenealogyStore s;
    fillLargeFamily(s);
    const struct {
        const char* file;
        Writer write;
    } kinds[] = {
        {"древо.arbolitus", [&](const QString& p) { return saveTreeFile(s, {}, p); }},
        {"семья.ged",
         [&](const QString& p) {
             auto result = exportGedcomFile(s, p);
             return std::holds_alternative<QString>(result) ? std::optional(std::get<QString>(result)) : std::nullopt;
         }},
        {"схема.svg", [&](const QString& p) { return chartWriter(s, p); }},
        {"схема.pdf", [&](const QString& p) { return chartWriter(s, p); }},
        {"схема.png", [&](const QString& p) { return chartWriter(s, p); }},
        {"схема.bmp", [&](const QString& p) { return saveBitmapFile(QImage(400, 400, QImage::Format_Mono), p); }},
        {"роспись.txt",
         [&](const QString& p) {
             const RegisterFileResult result = writeGenerationRegister(s, 1, p);
             return result.written ? std::nullopt : std::optional(result.text);
         }},
    };
    for (const auto& k : kinds) {
        const QString path = disk.file(k.file);
        writeFile(path, "прежнее");
        const std::optional<QString> error = k.write(path);
        ASSERT_TRUE(error) << k.file;
        EXPECT_EQ(*error, QStringLiteral("Не удалось сохранить файл «%1»: недостаточно места на диске.").arg(k.file));
        EXPECT_EQ(readFile(path), QByteArray("прежнее")) << k.file;
        EXPECT_EQ(disk.files(), QStringList{QString::fromUtf8(k.file)}) << k.file;
        QFile::remove(path);
    }
    // A disk that cannot be written at all.
    ASSERT_EQ(::mount("tmpfs", disk.path().toUtf8().constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=8k"), 0);
    const std::optional<QString> error = saveTreeFile(s, {}, disk.file("древо.arbolitus"));
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->endsWith(QStringLiteral("диск доступен только для чтения."))) << error->toStdString();
}

TEST(Saving, WritesThroughLinksKeepsModesAndGroupsAndTakesLongNames)
{
    QTemporaryDir dir;
    const auto file = [&](const QString& name) { return dir.filePath(name); };
    GenealogyStore s;
    s.persons.insertRecord({1, "Иванов"});
    const auto opens = [](const QString& path) { return std::holds_alternative<OpenedTree>(openTreeFile(path)); };
    const auto modeOf = [](const QString& path) {
        struct stat st {};
        ::stat(QFile::encodeName(path).constData(), &st);
        return std::pair(st.st_mode & 07777, st.st_gid);
    };

    // A link, even one whose target does not exist yet, stays a link to the saved file.
    for (const QString& real : {file("настоящее.arbolitus"), file("новое.arbolitus")}) {
        if (real.contains(QStringLiteral("настоящее"))) {
            writeFile(real, "прежнее");
            ASSERT_EQ(::chmod(QFile::encodeName(real).constData(), 0640), 0);
            ASSERT_EQ(::chown(QFile::encodeName(real).constData(), uid_t(-1), 1), 0);
        }
        const QString link = file("ссылка.arbolitus");
        QFile::remove(link);
        ASSERT_TRUE(QFile::link(QFileInfo(real).fileName(), link));
        ASSERT_FALSE(saveTreeFile(s, {}, link));
        EXPECT_TRUE(QFileInfo(link).isSymLink());
        EXPECT_TRUE(opens(real));
        const bool existed = real.contains(QStringLiteral("настоящее"));
        EXPECT_EQ(modeOf(real).first, existed ? 0640u : 0600u);
        if (existed) {
            EXPECT_EQ(modeOf(real).second, 1u);
        }
    }

    // New files: family data for the owner only, pictures and registers as the umask says.
    const mode_t umaskBefore = ::umask(022);
    EXPECT_FALSE(std::holds_alternative<QString>(exportGedcomFile(s, file("семья.ged"))));
    EXPECT_EQ(modeOf(file("семья.ged")).first, 0600u);
    EXPECT_FALSE(saveBitmapFile(QImage(8, 8, QImage::Format_Mono), file("схема.bmp")));
    EXPECT_EQ(modeOf(file("схема.bmp")).first, 0644u);
    ::umask(umaskBefore);

    // A name at the limit of what the folder allows.
    const QString longName = QString(117, QChar(u'д')) + QStringLiteral(".arbolitus");
    ASSERT_EQ(QFile::encodeName(longName).size(), 244);
    ASSERT_FALSE(saveTreeFile(s, {}, file(longName)));
    EXPECT_TRUE(opens(file(longName)));

    // Nothing but the targets and the link is left: no temporaries and no journals.
    QStringList expected{longName, "настоящее.arbolitus", "новое.arbolitus", "семья.ged", "схема.bmp", "ссылка.arbolitus"};
    expected.sort();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name), expected);
}

// What a killed save left goes at the next opening or saving of that file;
// a temporary that a save under way holds, or another file's, stays.
TEST(Saving, LeftoversOfKilledSavesAreSweptButNotThoseOfSavesUnderWay)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("древо.arbolitus");
    GenealogyStore s;
    ASSERT_FALSE(saveTreeFile(s, {}, target));
    const auto leave = [&](const char* name) { return writeFile(dir.filePath(name), "обрывок"); };
    for (const auto& open : std::vector<std::function<void()>>{[&] { openTreeFile(target); },
                                                              [&] { saveTreeFile(s, {}, target); }}) {
        leave(".древо.arbolitus.tmp-killed");
        leave(".древо.arbolitus.tmp-killed-journal");
        leave(".чужое.arbolitus.tmp-killed");
        const QString held = leave(".древо.arbolitus.tmp-saving");
        const int fd = ::open(QFile::encodeName(held).constData(), O_RDONLY);
        ASSERT_EQ(::flock(fd, LOCK_EX), 0);
        open();
        ::close(fd);
        QStringList expected{".древо.arbolitus.tmp-saving", ".чужое.arbolitus.tmp-killed", "древо.arbolitus"};
        expected.sort();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
        QFile::remove(held);
    }
}
