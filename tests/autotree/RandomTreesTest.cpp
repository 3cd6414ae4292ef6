// The fast builds against the step-by-step reference on generated stores with
// pedigree collapse, repeated links, unknown persons and cycles.
#include "ReferenceTrees.h"

#include "autotree/AncestorDepth.h"
#include "autotree/CompressDiagram.h"
#include "autotree/LinkGraph.h"
#include "autotree/PlaceAncestors.h"
#include "autotree/PlaceDescendants.h"
#include "diagram/DiagramLayout.h"
#include "diagram/DiagramRows.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <random>
#include <unordered_set>

namespace {

// The same store for the same seed.
void generate(GenealogyStore& s, unsigned seed, bool cycles)
{
    std::mt19937 rng(seed);
    auto chance = [&](int percent) { return int(rng() % 100) < percent; };
    const int n = 8 + int(rng() % 30);
    for (int num = 1; num <= n; ++num) {
        if (chance(30) && !s.persons.isEmpty())
            s.persons.setCurrentPosition(int(rng() % unsigned(s.persons.recordCount())));
        const QString tag = QString::number(num);
        if (chance(10))  // sex never set
            s.persons.insertRecord({num, "Ф" + tag, "И" + tag, "О" + tag});
        else
            s.persons.insertRecord({num, "Ф" + tag, "И" + tag, "О" + tag, QString(), chance(50)});
    }
    auto link = [&](int a, int b, int rel) {
        if (chance(40) && !s.links.isEmpty())
            s.links.setCurrentPosition(int(rng() % unsigned(s.links.recordCount())));
        s.links.insertRecord({a, b, rel});
    };
    for (int child = 1; child <= n + 2; ++child) {
        const int parents = int(rng() % 4);
        for (int k = 0; k < parents; ++k) {
            // Close parents make shared ancestries; some numbers have no person.
            const int parent = chance(8) ? n + 1 + int(rng() % 3) : child + 1 + int(rng() % 5);
            link(parent, child, 2);
            if (chance(10))
                link(parent, child, 2);
        }
        if (chance(20))
            link(child, child + 1, 1);
        if (cycles && chance(6))
            link(std::max(1, child - 1 - int(rng() % 4)), child, 2);
    }
    s.persons.setCurrentPosition(int(rng() % unsigned(n)));
}

QStringList rowsOf(const RecordTable& t)
{
    std::vector<std::uint64_t> creations;
    for (int p = 0; p < t.recordCount(); ++p)
        creations.push_back(t.creationNumber(t.rowAt(p)));
    std::vector<std::uint64_t> sorted = creations;
    std::sort(sorted.begin(), sorted.end());
    QStringList out;
    for (int p = 0; p < t.recordCount(); ++p) {
        QStringList cells;
        for (int f = 0; f < t.fieldCount(); ++f)
            cells << (t.isNullAt(t.rowAt(p), f) ? QStringLiteral("<null>") : t.displayTextAt(t.rowAt(p), f));
        const auto rank = std::lower_bound(sorted.begin(), sorted.end(), creations[std::size_t(p)]) - sorted.begin();
        out << cells.join('|') + " #" + QString::number(rank);
    }
    return out;
}

QList<int> onceEach(const std::vector<int>& numbers)
{
    std::unordered_set<int> seen;
    QList<int> out;
    for (int n : numbers)
        if (seen.insert(n).second)
            out << n;
    return out;
}

// The build from the designed routines one by one, each changing the table.
void buildWithRoutines(GenealogyStore& s, TreeKind kind, DiagramUnits units, DiagramScroll& scroll)
{
    const int root = s.persons.asInteger(PersonField::num);
    clearDiagramTables(s, scroll);
    if (kind != TreeKind::Descending) {
        ASSERT_TRUE(PlaceAncestors(s, root, 0, 300, 200, AncestorDepth(s, root), units));
        if (kind == TreeKind::Ascending)
            sortLinesFirst(s.diagram);
        CompressDiagram(s.diagram, units.h);
    }
    if (kind != TreeKind::Ascending) {
        ASSERT_GE(PlaceDescendants(s, root, 300, 200, units), 0);
    }
    NormaliseDiagram(s.diagram, units, scroll);
    if (kind == TreeKind::Descending)
        sortLinesFirst(s.diagram);
}

void expectSame(GenealogyStore& a, GenealogyStore& b, const PlainScroll& sa, const PlainScroll& sb)
{
    EXPECT_EQ(rowsOf(a.diagram), rowsOf(b.diagram));
    EXPECT_EQ(a.diagram.currentPosition(), b.diagram.currentPosition());
    EXPECT_EQ(a.persons.currentPosition(), b.persons.currentPosition());
    EXPECT_EQ(a.links.currentPosition(), b.links.currentPosition());
    EXPECT_EQ(a.links.eof(), b.links.eof());
    EXPECT_EQ(QList<int>({sa.horzRange(), sa.vertRange(), sa.horzPosition()}),
              QList<int>({sb.horzRange(), sb.vertRange(), sb.horzPosition()}));
}

void compareOne(unsigned seed, TreeKind kind, bool cycles, DiagramUnits units)
{
    GenealogyStore fast, slow, routines;
    generate(fast, seed, cycles);
    generate(slow, seed, cycles);
    generate(routines, seed, cycles);
    const int root = slow.persons.asInteger(PersonField::num);
    const std::int64_t visits = countPlacingVisits(buildLinkGraph(slow.links, root, LinkDirection::Parents), 20000)
        + countPlacingVisits(buildLinkGraph(slow.links, root, LinkDirection::Children), 20000);
    if (visits > 20000)
        return;  // too slow for the reference
    PlainScroll fastScroll(300, 200), slowScroll(300, 200), routinesScroll(300, 200);
    ReferenceTrees reference(slow, units);
    reference.build(kind, slowScroll);
    const TreeBuildResult result = BuildTree(kind, fast, units, fastScroll);

    SCOPED_TRACE(testing::Message() << "seed " << seed << " kind " << int(kind) << " h " << units.h);
    ASSERT_FALSE(result.refused);
    expectSame(fast, slow, fastScroll, slowScroll);
    buildWithRoutines(routines, kind, units, routinesScroll);
    expectSame(routines, slow, routinesScroll, slowScroll);
    EXPECT_EQ(result.cyclePersons, onceEach(reference.cycles));
}

} // namespace

TEST(RandomTrees, FastBuildsMatchTheStepByStepOnes)
{
    const DiagramUnits unitChoices[] = {{85, 75}, {1, 1}, {7, 30}, {100, 9}};
    for (unsigned seed = 1; seed <= 400; ++seed)
        for (TreeKind kind : {TreeKind::Ascending, TreeKind::Descending, TreeKind::TwoWay})
            compareOne(seed, kind, seed % 3 == 0, unitChoices[seed % 4]);
}
