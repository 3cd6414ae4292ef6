#include "autotree/PlaceAncestors.h"

#include "autotree/DiagramDraft.h"
#include "autotree/LinkGraph.h"
#include "autotree/PersonCursor.h"
#include "diagram/DiagramRows.h"

#include <algorithm>

std::int64_t ancestorOffset(int h, int e)
{
    if (e >= 0)
        return std::int64_t(h) << std::min(e, 40);
    return e <= -31 ? 0 : std::int64_t(h) >> -e;
}

namespace {

struct Frame {
    int node;
    int edge;
    int level;
    std::int64_t x, y;
};

class AncestorWalk {
public:
    AncestorWalk(const LinkGraph& parents, PersonCursor& cursor, DiagramDraft& draft, int depth, DiagramUnits units)
        : g_(parents), cursor_(cursor), draft_(draft), depth_(depth), units_(units), line_(parents.nodeCount())
    {
    }

    PlacementOutcome run(int level, std::int64_t x, std::int64_t y)
    {
        enter(0, level, x, y);
        while (!stack_.empty() && out_.fits)
            step();
        return std::move(out_);
    }

private:
    int num(int node) const { return g_.num[std::size_t(node)]; }

    // Adds the visit's box; true when its parents are to be walked.
    bool enter(int node, int level, std::int64_t x, std::int64_t y)
    {
        cursor_.locate(num(node));
        draft_.insertPerson(cursor_.boxType(), x, y, cursor_, num(node));
        out_.generations = std::max(out_.generations, level);
        if (!fits32(x) || !fits32(y)) {
            out_.fits = false;
            out_.badX = x;
            out_.badY = y;
            return false;
        }
        if (line_.contains(node)) {
            out_.cycles.push_back(num(node));
            cursor_.locate(num(node));
            return false;
        }
        line_.enter(node);
        stack_.push_back(Frame{node, g_.edgeBegin(node), level, x, y});
        return true;
    }

    void step()
    {
        Frame& top = stack_.back();
        if (top.edge < g_.edgeEnd(top.node)) {
            const int parent = g_.target[std::size_t(top.edge++)];
            const int child = num(top.node);
            cursor_.locate(num(parent));
            const std::int64_t offset = ancestorOffset(units_.h, depth_ - top.level - 1);
            const std::int64_t x = cursor_.male() ? top.x - offset : top.x + offset;
            if (!enter(parent, top.level + 1, x, top.y - units_.v) && out_.fits)
                draft_.insertLine(child, num(parent));
            return;
        }
        const int done = num(top.node);
        cursor_.locate(done);
        line_.leave(top.node);
        stack_.pop_back();
        if (!stack_.empty())
            draft_.insertLine(num(stack_.back().node), done);
    }

    const LinkGraph& g_;
    PersonCursor& cursor_;
    DiagramDraft& draft_;
    int depth_;
    DiagramUnits units_;
    WalkLine line_;
    std::vector<Frame> stack_;
    PlacementOutcome out_;
};

} // namespace

PlacementOutcome placeAncestorsInDraft(const LinkGraph& parents, PersonCursor& cursor, DiagramDraft& draft,
                                       int level, std::int64_t x, std::int64_t y, int depth, DiagramUnits units)
{
    return AncestorWalk(parents, cursor, draft, depth, units).run(level, x, y);
}

bool PlaceAncestors(GenealogyStore& store, int p, int level, int x, int y, int depth, DiagramUnits units,
                    std::vector<int>* cycles)
{
    const LinkGraph parents = buildLinkGraph(store.links, p, LinkDirection::Parents);
    if (countPlacingVisits(parents, placingVisitLimit) > placingVisitLimit)
        return false;
    PersonCursor cursor(store.persons);
    DiagramDraft draft(store.diagram);
    PlacementOutcome outcome = placeAncestorsInDraft(parents, cursor, draft, level, x, y, depth, units);
    if (!outcome.fits)
        return false;
    draft.commit(store.diagram, store.persons);
    cursor.applyTo(store.persons);
    leaveAtEnd(store.links);
    if (cycles)
        *cycles = std::move(outcome.cycles);
    return true;
}
