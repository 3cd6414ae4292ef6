// Prints how long the build menu's commands take in the window, from the
// click to the drawn diagram (the list catching up, the mode switch, the
// centring, the paint), and how long a whole batch process takes that imports
// a 10 000-person file, builds a 2 047-box tree and writes its bitmap.
#include "app/TForm1.h"
#include "autotree/LinkGraph.h"
#include "autotree/ui/TreeBuildController.h"
#include "platform/ScriptedPlatform.h"

#include "BenchTiming.h"
#include "SyntheticTrees.h"

#include <QApplication>
#include <QStandardPaths>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

using namespace synthetic;

// The first person, from this generation on, whose build walks about this many visits.
int rootNear(GenealogyStore& store, LinkDirection direction, int fromGeneration, std::int64_t visits)
{
    for (int g = fromGeneration; g < generations; ++g)
        for (int i = 0; i < perGeneration; i += 7) {
            const int num = numberOf(g, i);
            const std::int64_t n = countPlacingVisits(buildLinkGraph(store.links, num, direction), 2 * visits);
            if (n > visits * 9 / 10 && n <= visits * 11 / 10)
                return num;
        }
    return 0;
}

void timeMenuCommands()
{
    ScriptedPlatform platform;
    TForm1 form(platform);
    form.createSecondaryWindows();
    form.resize(1000, 700);
    form.show();
    GenealogyStore& store = form.store();
    fillStore(store);
    const struct {
        const char* name;
        void (TreeBuildController::*command)();
        LinkDirection direction;
        int fromGeneration;
    } commands[] = {{"ascending", &TreeBuildController::MenuItem2Click, LinkDirection::Parents, 16},
                    {"descending", &TreeBuildController::MenuItem3Click, LinkDirection::Children, 1},
                    {"two-way", &TreeBuildController::N35Click, LinkDirection::Parents, 10}};
    for (const auto& c : commands) {
        const int root = rootNear(store, c.direction, c.fromGeneration, 20000);
        const double ms = averageMs(10, [&] {
            store.persons.locate(PersonField::num, root);
            (form.trees().*c.command)();
        });
        std::printf("menu command %-10s root %6d, %6d rows: %8.2f ms\n", c.name, root, store.diagram.recordCount(),
                    ms);
    }
}

void timeBatchProcess()
{
    QTemporaryDir dir;
    const QString gedcom = dir.filePath(QStringLiteral("heap.ged"));
    QFile file(gedcom);
    if (!file.open(QIODevice::WriteOnly) || file.write(heapGedcom(10000)) < 0)
        return;
    file.close();
    // Person 5's descendants are a full tree of 11 generations; narrow units keep its bitmap inside the limits.
    const QStringList arguments = {"--batch", "--import", gedcom, "--units", "10,40", "--root", "5", "--build",
                                   "descending", "--export-bitmap", dir.filePath(QStringLiteral("tree.bmp"))};
    int status = -1;
    const double ms = averageMs(5, [&] { status = QProcess::execute(QStringLiteral(ARBOLITUS_EXECUTABLE), arguments); });
    std::printf("batch process, 10 000 persons, 2 047 boxes, bitmap %lld bytes: %8.2f ms (exit %d)\n",
                QFile(dir.filePath(QStringLiteral("tree.bmp"))).size(), ms, status);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // the window's recovery lock stays out of the user's data
    timeMenuCommands();
    timeBatchProcess();
    return 0;
}
