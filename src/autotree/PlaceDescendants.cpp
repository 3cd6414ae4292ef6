#include "autotree/PlaceDescendants.h"

#include "autotree/DiagramDraft.h"
#include "autotree/LinkGraph.h"
#include "autotree/PersonCursor.h"
#include "diagram/DiagramRows.h"

#include <algorithm>

std::int64_t descendantOffset(int h, std::int64_t count)
{
    const std::int64_t twice = 3 * std::int64_t(h) * count;
    std::int64_t half = twice / 2;
    if (twice % 2 != 0 && half % 2 != 0)
        ++half;  // a half goes to the even neighbour
    return half;
}

namespace {

struct Frame {
    int node;
    int edge;
    int level;
    std::int64_t x, y;
    std::int64_t count = 0;
};

class DescendantWalk {
public:
    DescendantWalk(const LinkGraph& children, PersonCursor& cursor, DiagramDraft& draft, DiagramUnits units)
        : g_(children), cursor_(cursor), draft_(draft), units_(units), line_(children.nodeCount())
    {
    }

    PlacementOutcome run(std::int64_t x, std::int64_t y)
    {
        enter(0, 0, x, y);
        while (!stack_.empty() && out_.fits)
            step();
        return std::move(out_);
    }

private:
    int num(int node) const { return g_.num[std::size_t(node)]; }

    // Finds or adds the visit's box; true when its children are to be walked.
    bool enter(int node, int level, std::int64_t x, std::int64_t y)
    {
        cursor_.locate(num(node));
        out_.generations = std::max(out_.generations, level);
        if (!draft_.locateOwner(num(node))) {
            if (!fits32(x) || !fits32(y)) {
                out_.fits = false;
                out_.badX = x;
                out_.badY = y;
                return false;
            }
            draft_.insertPerson(cursor_.boxType(), x, y, cursor_, num(node));
        }
        if (line_.contains(node)) {
            out_.cycles.push_back(num(node));
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
            const int child = g_.target[std::size_t(top.edge++)];
            const int parent = num(top.node);
            const std::int64_t x = top.x + descendantOffset(units_.h, top.count);
            if (!enter(child, top.level + 1, x, top.y + units_.v) && out_.fits) {
                stack_.back().count += 1;  // a visit that ends at once has no visits below it
                draft_.insertLine(parent, num(child));
            }
            return;
        }
        const int done = num(top.node);
        const std::int64_t below = top.count;
        line_.leave(top.node);
        stack_.pop_back();
        if (stack_.empty()) {
            out_.count = below;
            return;
        }
        stack_.back().count += below + 1;
        draft_.insertLine(num(stack_.back().node), done);
    }

    const LinkGraph& g_;
    PersonCursor& cursor_;
    DiagramDraft& draft_;
    DiagramUnits units_;
    WalkLine line_;
    std::vector<Frame> stack_;
    PlacementOutcome out_;
};

} // namespace

PlacementOutcome placeDescendantsInDraft(const LinkGraph& children, PersonCursor& cursor, DiagramDraft& draft,
                                         std::int64_t x, std::int64_t y, DiagramUnits units)
{
    return DescendantWalk(children, cursor, draft, units).run(x, y);
}

int PlaceDescendants(GenealogyStore& store, int p, int x, int y, DiagramUnits units, std::vector<int>* cycles)
{
    const LinkGraph children = buildLinkGraph(store.links, p, LinkDirection::Children);
    if (countPlacingVisits(children, placingVisitLimit) > placingVisitLimit)
        return -1;
    PersonCursor cursor(store.persons);
    DiagramDraft draft(store.diagram);
    PlacementOutcome outcome = placeDescendantsInDraft(children, cursor, draft, x, y, units);
    if (!outcome.fits)
        return -1;
    draft.commit(store.diagram, store.persons);
    cursor.applyTo(store.persons);
    leaveAtEnd(store.links);
    if (cycles)
        *cycles = std::move(outcome.cycles);
    return int(outcome.count);
}
