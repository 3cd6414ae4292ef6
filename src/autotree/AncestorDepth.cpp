#include "autotree/AncestorDepth.h"

#include "autotree/LinkGraph.h"
#include "autotree/PersonCursor.h"

#include <algorithm>

namespace {

struct Frame {
    int node;
    int edge;
    int fatherDepth = 0;
    int motherDepth = 0;
    bool parentIsMale = false;  // read when the parent was looked up, before its walk
};

void record(Frame& child, int depth)
{
    (child.parentIsMale ? child.fatherDepth : child.motherDepth) = depth + 1;
}

} // namespace

int ancestorDepthOn(const LinkGraph& parents, PersonCursor& cursor, bool* cycleFound)
{
    // A known person's depth is the same along every line when nothing above
    // them lies on a cycle, so shared ancestries are walked once.
    std::vector<int> known(std::size_t(parents.nodeCount()), -1);
    WalkLine line(parents.nodeCount());
    bool cycle = false;
    std::vector<Frame> stack;
    int result = 0;
    // Returns the depth when the visit ends at once, -1 when it was pushed.
    auto enter = [&](int node) {
        const int num = parents.num[std::size_t(node)];
        cursor.locate(num);
        if (line.contains(node)) {
            cycle = true;
            return 0;
        }
        if (known[std::size_t(node)] >= 0)
            return known[std::size_t(node)];
        line.enter(node);
        stack.push_back(Frame{node, parents.edgeBegin(node)});
        return -1;
    };
    result = enter(0);
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.edge < parents.edgeEnd(top.node)) {
            const int parent = parents.target[std::size_t(top.edge++)];
            cursor.locate(parents.num[std::size_t(parent)]);
            top.parentIsMale = cursor.male();
            if (const int depth = enter(parent); depth >= 0)
                record(stack.back(), depth);
            continue;
        }
        const int num = parents.num[std::size_t(top.node)];
        const int depth = std::max(top.fatherDepth, top.motherDepth);
        cursor.locate(num);
        if (parents.free[std::size_t(top.node)] && cursor.isKnown(num))
            known[std::size_t(top.node)] = depth;
        line.leave(top.node);
        stack.pop_back();
        if (stack.empty())
            result = depth;
        else
            record(stack.back(), depth);
    }
    if (cycleFound)
        *cycleFound = cycle;
    return result;
}

int AncestorDepth(GenealogyStore& store, int p, bool* cycleFound)
{
    const LinkGraph parents = buildLinkGraph(store.links, p, LinkDirection::Parents);
    PersonCursor cursor(store.persons);
    const int depth = ancestorDepthOn(parents, cursor, cycleFound);
    cursor.applyTo(store.persons);
    return depth;
}
