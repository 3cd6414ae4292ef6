// Prints the figures of whole processes on large trees: import, save and open
// of 100 000 persons, the start with a tree file to a filled list, import and
// open of a 262 143-person pedigree, and (with --million) the import of a
// million persons and the list's sort by family name. Each process figure is
// the best of three runs: wall time and peak resident memory, as
// /usr/bin/time -v reports them. --keep leaves the files for profiling.
#include "app/TForm1.h"
#include "list/PersonList.h"
#include "platform/LargePages.h"
#include "platform/ScriptedPlatform.h"
#include "store/GenealogyStore.h"

#include "BenchTiming.h"
#include "SyntheticTrees.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct ProcessFigures {
    double ms = 0;
    long megabytes = 0;
    int status = -1;
};

ProcessFigures runOnce(const QStringList& arguments)
{
    std::vector<QByteArray> bytes{QByteArray(ARBOLITUS_EXECUTABLE)};
    for (const QString& a : arguments)
        bytes.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    std::fflush(stdout);  // the child would write out what is buffered
    const pid_t child = fork();
    if (child == 0) {
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    return {millisecondsSince(start), usage.ru_maxrss / 1024, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

ProcessFigures bestOfThree(const QStringList& arguments)
{
    ProcessFigures best = runOnce(arguments);
    for (int i = 0; i < 2; ++i) {
        const ProcessFigures f = runOnce(arguments);
        best.ms = std::min(best.ms, f.ms);
        best.megabytes = std::min(best.megabytes, f.megabytes);
        best.status = std::max(best.status, f.status);
    }
    return best;
}

void print(const char* what, const ProcessFigures& f, const char* goal)
{
    std::printf("%-52s %8.0f ms %6ld MB%s   goal %s\n", what, f.ms, f.megabytes, f.status == 0 ? "" : " (failed!)",
                goal);
}

template <typename Write>
QString writeFile(const QTemporaryDir& dir, const char* name, Write write)
{
    const QString path = dir.filePath(QString::fromUtf8(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !write(file))
        std::printf("could not write %s\n", name);
    return path;
}

QStringList batch(std::initializer_list<QString> steps)
{
    return QStringList{QStringLiteral("--batch")} + QStringList(steps);
}

// Import, save beyond the import, and open, for one GEDCOM file.
void importSaveOpen(const QString& gedcom, const QString& treeFile, const char* title, const char* goals[3])
{
    std::printf("%s: GEDCOM %.1f MB\n", title, double(QFileInfo(gedcom).size()) / 1e6);
    const ProcessFigures import = bestOfThree(batch({"--import", gedcom}));
    print("  --import", import, goals[0]);
    if (!goals[1])
        return;
    ProcessFigures save = bestOfThree(batch({"--import", gedcom, "--save", treeFile}));
    save.ms -= import.ms;
    print("  --save, beyond the import", save, goals[1]);
    std::printf("  tree file %.1f MB\n", double(QFileInfo(treeFile).size()) / 1e6);
    print("  --open", bestOfThree(batch({"--open", treeFile})), goals[2]);
}

// The window's part of a start with a tree file: until the list is drawn.
void startToFilledList(const QString& treeFile)
{
    const ProcessFigures bare = bestOfThree({QStringLiteral("--version")});
    const auto start = std::chrono::steady_clock::now();
    ScriptedPlatform platform;
    TForm1 form(platform);
    form.createSecondaryWindows();
    form.show();
    const double windowMs = millisecondsSince(start);
    form.openStartFile(treeFile);
    QApplication::processEvents();
    form.grab();
    const double total = millisecondsSince(start);
    std::printf("%-52s %8.0f ms (process %0.f + window %0.f + file and list %0.f), %d persons   goal < 600 ms\n",
                "start with the tree file to a filled list", bare.ms + total, bare.ms, windowMs, total - windowMs,
                form.store().persons.recordCount());
}

void sortByFamilyName(const QString& gedcom)
{
    ScriptedPlatform platform;
    TForm1 form(platform);
    form.openStartFile(gedcom);
    RecordTable& persons = form.store().persons;
    const double ms = averageMs(1, [&] { applyListSort(persons, SortItem::FamilyName); });
    std::printf("%-52s %8.0f ms, %d persons   goal < 1000 ms\n", "sort of the list by family name", ms,
                persons.recordCount());
}

} // namespace

int main(int argc, char** argv)
{
    preferLargePagesForTheHeap();  // as the application's start does, for the window part timed here
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // the window's recovery lock stays out of the user's data
    const auto option = [&](const char* name) { return std::any_of(argv + 1, argv + argc, [&](const char* a) { return std::strcmp(a, name) == 0; }); };
    const bool million = option("--million");
    QTemporaryDir dir;
    if (option("--keep")) {
        dir.setAutoRemove(false);
        std::printf("files kept in %s\n", qPrintable(dir.path()));
    }

    const QString rich = writeFile(dir, "rich.ged", [](QFile& f) { return synthetic::writeRichGedcom(f, 100000, 40000); });
    const QString richTree = dir.filePath(QStringLiteral("rich.arbolitus"));
    const char* richGoals[3] = {"< 600 ms, < 150 MB", "< 400 ms", "< 500 ms, < 150 MB"};
    importSaveOpen(rich, richTree, "100 000 persons, 40 000 families", richGoals);
    startToFilledList(richTree);

    const QString pedigree = writeFile(dir, "pedigree.ged", [](QFile& f) { return synthetic::writePedigreeGedcom(f, 262143); });
    const char* pedigreeGoals[3] = {"< 1200 ms, < 350 MB", "-", "< 1000 ms"};
    importSaveOpen(pedigree, dir.filePath(QStringLiteral("pedigree.arbolitus")), "262 143-person pedigree",
                   pedigreeGoals);

    if (million) {
        const QString big = writeFile(dir, "million.ged", [](QFile& f) { return synthetic::writeRichGedcom(f, 1000000, 400000); });
        const char* bigGoals[3] = {"< 10000 ms, < 1500 MB", nullptr, nullptr};
        importSaveOpen(big, QString(), "1 000 000 persons, 400 000 families", bigGoals);
        sortByFamilyName(big);
    } else {
        std::printf("(run with --million for the import of a million persons and the sort)\n");
    }
    return 0;
}
