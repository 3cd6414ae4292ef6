// Prints how long the automatic trees take on a synthetic store of 100 000
// persons: 40 generations of 2 500, parents known about four times in five,
// fathers drawn from a few men of each generation (large families). A build
// is timed from the root to the finished diagram table, with the person
// list's model catching up once the list is unfrozen; no drawing.
#include "autotree/CompressDiagram.h"
#include "autotree/LinkGraph.h"
#include "autotree/PlaceAncestors.h"
#include "autotree/AncestorDepth.h"
#include "autotree/TreeBuild.h"
#include "store/RecordTableModel.h"

#include "BenchTiming.h"
#include "SyntheticTrees.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

using namespace synthetic;

std::int64_t visitsOf(GenealogyStore& store, TreeKind kind, int num, std::int64_t limit)
{
    std::int64_t n = 0;
    if (kind != TreeKind::Descending)
        n += countPlacingVisits(buildLinkGraph(store.links, num, LinkDirection::Parents), limit);
    if (kind != TreeKind::Ascending)
        n += countPlacingVisits(buildLinkGraph(store.links, num, LinkDirection::Children), limit);
    return n;
}

// A person, from the given generation on, whose build visits about this many times.
int rootNear(GenealogyStore& store, TreeKind kind, int fromGeneration, std::int64_t visits)
{
    for (int g = fromGeneration; g < generations; g += 2)
        for (int i = 0; i < perGeneration; i += 7) {
            const int num = numberOf(g, i);
            const std::int64_t n = visitsOf(store, kind, num, 2 * visits);
            if (n > visits * 9 / 10 && n <= visits * 11 / 10)
                return num;
        }
    return 0;
}

void timeBuild(GenealogyStore& store, TreeKind kind, const char* name, int root)
{
    if (root == 0) {
        std::printf("%-12s no root found\n", name);
        return;
    }
    PlainScroll scroll(1600, 1000);
    const DiagramUnits units;
    store.persons.locate(PersonField::num, root);
    TreeBuildResult result;
    const double ms = averageMs(10, [&] {
        store.persons.locate(PersonField::num, root);
        result = BuildTree(kind, store, units, scroll);
    });
    int boxes = 0;
    for (int p = 0; p < store.diagram.recordCount(); ++p)
        boxes += store.diagram.integerAt(store.diagram.rowAt(p), DiagramField::type) != 3;
    std::printf("%-12s root %6d: %6d boxes %6d rows %s %8.2f ms\n", name, root, boxes, store.diagram.recordCount(),
                result.refused ? "refused" : "       ", ms);
}

void timeCompression(GenealogyStore& store, int root)
{
    const DiagramUnits units;
    double total = 0;
    int boxes = 0;
    for (int run = 0; run < 10; ++run) {
        store.diagram.emptyTable();
        PlaceAncestors(store, root, 0, 300, 200, AncestorDepth(store, root), units);
        boxes = (store.diagram.recordCount() + 1) / 2;
        total += averageMs(1, [&] { CompressDiagram(store.diagram, units.h); });
    }
    std::printf("CompressDiagram, %d boxes: %8.2f ms\n", boxes, total / 10);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    GenealogyStore store;
    std::printf("store of %d persons: %8.0f ms\n", generations * perGeneration, averageMs(1, [&] { fillStore(store); }));
    RecordTableModel list(store.persons);  // the person list follows the cursor after each build
    std::printf("%d links\n", store.links.recordCount());

    for (std::int64_t visits : {2000, 10000, 20000, 40000}) {
        std::printf("-- about %lld visits (boxes and lines)\n", static_cast<long long>(visits));
        timeBuild(store, TreeKind::Ascending, "ascending", rootNear(store, TreeKind::Ascending, 16, visits));
        timeBuild(store, TreeKind::Descending, "descending", rootNear(store, TreeKind::Descending, 1, visits));
        timeBuild(store, TreeKind::TwoWay, "two-way", rootNear(store, TreeKind::TwoWay, 10, visits));
    }
    std::printf("-- refusals\n");
    timeBuild(store, TreeKind::Ascending, "too deep", numberOf(0, 0));
    timeBuild(store, TreeKind::Descending, "too many", numberOf(39, 0));
    timeCompression(store, rootNear(store, TreeKind::Ascending, 16, 20000));
    return 0;
}
