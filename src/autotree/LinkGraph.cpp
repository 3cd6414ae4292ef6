#include "autotree/LinkGraph.h"

#include "store/GenealogyStore.h"

#include <algorithm>
#include <unordered_map>

namespace {

bool hasSelfLoop(const LinkGraph& graph, int node)
{
    for (int e = graph.edgeBegin(node); e < graph.edgeEnd(node); ++e)
        if (graph.target[std::size_t(e)] == node)
            return true;
    return false;
}

// Strongly connected parts, found without recursion (Tarjan), come out after
// every part they reach, so a node's targets are classified before it.
void classifyNodes(LinkGraph& graph)
{
    const std::size_t n = std::size_t(graph.nodeCount());
    std::vector<int> index(n, -1), low(n, 0), part;
    std::vector<char> onPart(n, 0);
    std::vector<std::pair<int, int>> calls;
    graph.free.assign(n, 0);
    int counter = 0;
    auto open = [&](int v) {
        index[std::size_t(v)] = low[std::size_t(v)] = counter++;
        part.push_back(v);
        onPart[std::size_t(v)] = 1;
        calls.emplace_back(v, graph.edgeBegin(v));
    };
    open(0);
    while (!calls.empty()) {
        const int v = calls.back().first;
        if (int& edge = calls.back().second; edge < graph.edgeEnd(v)) {
            const int w = graph.target[std::size_t(edge++)];
            if (index[std::size_t(w)] < 0)
                open(w);
            else if (onPart[std::size_t(w)])
                low[std::size_t(v)] = std::min(low[std::size_t(v)], index[std::size_t(w)]);
            continue;
        }
        calls.pop_back();
        if (!calls.empty())
            low[std::size_t(calls.back().first)] = std::min(low[std::size_t(calls.back().first)], low[std::size_t(v)]);
        if (low[std::size_t(v)] != index[std::size_t(v)])
            continue;
        const bool alone = part.back() == v;
        bool free = alone && !hasSelfLoop(graph, v);
        for (int e = graph.edgeBegin(v); free && e < graph.edgeEnd(v); ++e)
            free = graph.free[std::size_t(graph.target[std::size_t(e)])];
        int w;
        do {
            w = part.back();
            part.pop_back();
            onPart[std::size_t(w)] = 0;
        } while (w != v);
        if (free) {
            graph.free[std::size_t(v)] = 1;
            graph.freeOrder.push_back(v);
        }
    }
}

std::int64_t countOnPaths(const LinkGraph& graph, const std::vector<std::int64_t>& freeCount, std::int64_t limit)
{
    if (graph.free[0])
        return freeCount[0];
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
        if (graph.free[std::size_t(next)]) {
            total += 1 + freeCount[std::size_t(next)];
        } else {
            total += 2;
            if (!line.contains(next)) {
                line.enter(next);
                stack.emplace_back(next, graph.edgeBegin(next));
            }
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
    classifyNodes(graph);
    return graph;
}

std::int64_t countPlacingVisits(const LinkGraph& graph, std::int64_t limit)
{
    const std::int64_t cap = limit + 1;
    std::vector<std::int64_t> visits(std::size_t(graph.nodeCount()), 0);
    for (int node : graph.freeOrder) {
        std::int64_t total = 1;
        for (int e = graph.edgeBegin(node); e < graph.edgeEnd(node); ++e)
            total = std::min(cap, total + 1 + visits[std::size_t(graph.target[std::size_t(e)])]);
        visits[std::size_t(node)] = total;
    }
    return std::min(cap, countOnPaths(graph, visits, limit));
}
