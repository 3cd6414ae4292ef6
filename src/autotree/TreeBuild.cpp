#include "autotree/TreeBuild.h"

#include "autotree/AncestorDepth.h"
#include "autotree/DiagramDraft.h"
#include "autotree/LinkGraph.h"
#include "autotree/PersonCursor.h"
#include "autotree/PlaceAncestors.h"
#include "autotree/PlaceDescendants.h"
#include "autotree/TreeMessages.h"
#include "diagram/DiagramLayout.h"
#include "diagram/DiagramRows.h"

#include <unordered_set>

namespace {

constexpr int rootX = 300;
constexpr int rootY = 200;

TreeBuildResult refusedWith(QString message)
{
    TreeBuildResult result;
    result.refused = true;
    result.refusal = std::move(message);
    return result;
}

// Refusal text when the normalised diagram would not fit 32 bits, else empty.
// The normaliser's intermediate sums are checked too, as it works in 32 bits.
QString normalisedOverflow(const DiagramDraft& draft, DiagramUnits units, TreeKind kind, int generations)
{
    const DiagramDraft::Bounds b = draft.personBounds();
    const std::int64_t h10 = 10 * std::int64_t(units.h), v10 = 10 * std::int64_t(units.v);
    const std::int64_t width = 2 * h10 + b.maxX - b.minX;
    const std::int64_t height = 2 * v10 + b.maxY - b.minY;
    const bool wide = !fits32(width) || !fits32(h10 - b.minX) || !fits32(h10 + b.maxX);
    const bool tall = !fits32(height) || !fits32(v10 - b.minY) || !fits32(v10 + b.maxY);
    if (tall || (wide && kind == TreeKind::Ascending))
        return tooManyGenerationsMessage(generations);
    return wide ? tooWideMessage(width) : QString();
}

QString placementOverflow(const PlacementOutcome& outcome, const DiagramDraft& draft, DiagramUnits units,
                          bool ascending, int depth)
{
    if (ascending || !fits32(outcome.badY))
        return tooManyGenerationsMessage(std::max(depth, outcome.generations));
    const DiagramDraft::Bounds b = draft.personBounds();
    const std::int64_t minX = b.any ? std::min(b.minX, outcome.badX) : outcome.badX;
    const std::int64_t maxX = b.any ? std::max(b.maxX, outcome.badX) : outcome.badX;
    return tooWideMessage(maxX - minX + 20 * std::int64_t(units.h));
}

struct Layout {
    DiagramDraft draft;
    std::vector<int> cycles;
    QString refusal;
};

// Everything a build computes before it may change anything.
Layout layOut(GenealogyStore& store, PersonCursor& cursor, int root, TreeKind kind, DiagramUnits units)
{
    Layout layout;
    const bool up = kind != TreeKind::Descending, down = kind != TreeKind::Ascending;
    LinkGraph parents, children;
    std::int64_t visits = 0;
    if (up) {
        parents = buildLinkGraph(store.links, root, LinkDirection::Parents);
        visits += countPlacingVisits(parents, placingVisitLimit);
    }
    if (down) {
        children = buildLinkGraph(store.links, root, LinkDirection::Children);
        visits += countPlacingVisits(children, placingVisitLimit);
    }
    if (visits > placingVisitLimit) {
        layout.refusal = tooManyVisitsMessage(placingVisitLimit);
        return layout;
    }
    int generations = 0;
    if (up) {
        const int depth = ancestorDepthOn(parents, cursor);
        PlacementOutcome placed = placeAncestorsInDraft(parents, cursor, layout.draft, 0, rootX, rootY, depth, units);
        layout.cycles = std::move(placed.cycles);
        generations = std::max(depth, placed.generations);
        if (!placed.fits) {
            layout.refusal = placementOverflow(placed, layout.draft, units, true, depth);
            return layout;
        }
        layout.draft.sortLinesFirst();
        layout.draft.compress(units.h);
    }
    if (down) {
        PlacementOutcome placed = placeDescendantsInDraft(children, cursor, layout.draft, rootX, rootY, units);
        layout.cycles.insert(layout.cycles.end(), placed.cycles.begin(), placed.cycles.end());
        generations += placed.generations;
        if (!placed.fits) {
            layout.refusal = placementOverflow(placed, layout.draft, units, false, generations);
            return layout;
        }
    }
    layout.refusal = normalisedOverflow(layout.draft, units, kind, generations);
    return layout;
}

void reportCycles(const std::vector<int>& cycles, PersonCursor& cursor, TreeBuildResult& result)
{
    std::unordered_set<int> seen;
    QList<QPair<int, QString>> named;
    for (int num : cycles)
        if (seen.insert(num).second) {
            result.cyclePersons << num;
            named << qMakePair(num, cursor.displayName(num));
        }
    if (!named.isEmpty())
        result.cycleMessage = cycleMessage(named);
}

} // namespace

TreeBuildResult BuildTree(TreeKind kind, GenealogyStore& store, DiagramUnits units, DiagramScroll& scroll)
{
    if (store.persons.isEmpty())
        return refusedWith(noRecordsMessage());
    const int root = store.persons.asInteger(PersonField::num);
    PersonCursor cursor(store.persons);
    Layout layout = layOut(store, cursor, root, kind, units);
    if (!layout.refusal.isEmpty())
        return refusedWith(layout.refusal);

    clearDiagramTables(store, scroll);
    store.persons.disableControls();
    layout.draft.commit(store.diagram, store.persons);
    cursor.applyTo(store.persons);
    leaveAtEnd(store.links);  // every walk of the links table ends past its last row
    store.persons.enableControls();
    NormaliseDiagram(store.diagram, units, scroll);
    if (kind == TreeKind::Descending)
        sortLinesFirst(store.diagram);

    TreeBuildResult result;
    result.root = root;
    reportCycles(layout.cycles, cursor, result);
    return result;
}

TreeBuildResult BuildAscendingTree(GenealogyStore& store, DiagramUnits units, DiagramScroll& scroll)
{
    return BuildTree(TreeKind::Ascending, store, units, scroll);
}

TreeBuildResult BuildDescendingTree(GenealogyStore& store, DiagramUnits units, DiagramScroll& scroll)
{
    return BuildTree(TreeKind::Descending, store, units, scroll);
}

TreeBuildResult BuildTwoWayTree(GenealogyStore& store, DiagramUnits units, DiagramScroll& scroll)
{
    return BuildTree(TreeKind::TwoWay, store, units, scroll);
}
