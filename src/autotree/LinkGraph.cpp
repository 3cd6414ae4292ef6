#include "autotree/LinkGraph.h"

#include "store/GenealogyStore.h"

#include <algorithm>
#include <unordered_map>

namespace {

// Marks cycles and, when there are none, records a post-order; no recursion.
void orderNodes(LinkGraph& graph)
{
    const int n = graph.nodeCount();
    std::vector<char> state(std::size_t(n), 0);  // 0 new, 1 on the stack, 2 done
    std::vector<std::pair<int, int>> stack{{0, graph.edgeBegin(0)}};
    state[0] = 1;
    while (!stack.empty()) {
        auto& [node, edge] = stack.back();
        if (edge < graph.edgeEnd(node)) {
            const int next = graph.target[std::size_t(edge++)];
            if (state[std::size_t(next)] == 1)
                graph.cyclic = true;
            else if (state[std::size_t(next)] == 0) {
                state[std::size_t(next)] = 1;
                stack.emplace_back(next, graph.edgeBegin(next));
            }
            continue;
        }
        state[std::size_t(node)] = 2;
        graph.postOrder.push_back(node);
        stack.pop_back();
    }
    if (graph.cyclic)
        graph.postOrder.clear();
}

std::int64_t countOnPaths(const LinkGraph& graph, std::int64_t limit)
{
    WalkLine line(graph.nodeCount());
    std::vector<std::pair<int, int>> stack{{0, graph.edgeBegin(0)}};
    line.enter(0);
    std::int64_t total = 1;
    while (!stack.empty() && total <= limit) {
        auto& [node, edge] = stack.back();
        if (edge == graph.edgeEnd(node)) {
            line.leave(node);
            stack.pop_back();
            continue;
        }
        const int next = graph.target[std::size_t(edge++)];
        total += 2;
        if (!line.contains(next)) {
            line.enter(next);
            stack.emplace_back(next, graph.edgeBegin(next));
        }
    }
    return total;
}

} // namespace

LinkGraph buildLinkGraph(RecordTable& links, int start, LinkDirection direction)
{
    const int from = direction == LinkDirection::Parents ? LinkField::id2 : LinkField::id1;
    const int to = direction == LinkDirection::Parents ? LinkField::id1 : LinkField::id2;
    LinkGraph graph;
    std::unordered_map<int, int> nodeOf{{start, 0}};
    graph.num.push_back(start);
    for (int node = 0; node < graph.nodeCount(); ++node) {
        graph.firstEdge.push_back(int(graph.target.size()));
        for (int position : links.positionsWithInteger(from, graph.num[std::size_t(node)])) {
            const RowId row = links.rowAt(position);
            if (links.integerAt(row, LinkField::rel) != LinkKind::ParentOf)
                continue;
            const int other = links.integerAt(row, to);
            auto [it, added] = nodeOf.try_emplace(other, graph.nodeCount());
            if (added)
                graph.num.push_back(other);
            graph.target.push_back(it->second);
        }
    }
    graph.firstEdge.push_back(int(graph.target.size()));
    orderNodes(graph);
    return graph;
}

std::int64_t countPlacingVisits(const LinkGraph& graph, std::int64_t limit)
{
    if (graph.cyclic)
        return countOnPaths(graph, limit);
    // Without cycles a person's count does not depend on the line that reached them.
    const std::int64_t cap = limit + 1;
    std::vector<std::int64_t> visits(std::size_t(graph.nodeCount()), 0);
    for (int node : graph.postOrder) {
        std::int64_t total = 1;
        for (int e = graph.edgeBegin(node); e < graph.edgeEnd(node); ++e)
            total = std::min(cap, total + 1 + visits[std::size_t(graph.target[std::size_t(e)])]);
        visits[std::size_t(node)] = total;
    }
    return visits[0];
}
