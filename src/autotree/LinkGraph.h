#pragma once
#include "store/RecordTable.h"

#include <cstdint>
#include <vector>

enum class LinkDirection { Parents, Children };

// The parent links (or child links) reachable from one person, read once so
// that the walks need no table scans. Each node's targets keep link-table order,
// one target per link row, repeats included. Node 0 is the start.
struct LinkGraph {
    std::vector<int> num;        // node -> person number
    std::vector<int> firstEdge;  // node -> its first target; size is nodes + 1
    std::vector<int> target;     // node ids
    // A node is free when no node it reaches, itself included, lies on a cycle:
    // its walk then does not depend on the line that reached it.
    std::vector<char> free;
    std::vector<int> freeOrder;  // free nodes, each after all its targets

    int nodeCount() const { return int(num.size()); }
    int edgeBegin(int node) const { return firstEdge[std::size_t(node)]; }
    int edgeEnd(int node) const { return firstEdge[std::size_t(node) + 1]; }
};

LinkGraph buildLinkGraph(RecordTable& links, int start, LinkDirection direction);

// The visits a placing walk from the start makes: one per person visit and one
// per link followed, a person met again on their own line ending that line.
// Counting stops as soon as the figure passes limit.
std::int64_t countPlacingVisits(const LinkGraph& graph, std::int64_t limit);

// Which nodes lie on the walk's current line; a node met again there is a cycle.
class WalkLine {
public:
    explicit WalkLine(int nodes) : on_(std::size_t(nodes), 0) {}
    bool contains(int node) const { return on_[std::size_t(node)] != 0; }
    void enter(int node) { on_[std::size_t(node)] = 1; }
    void leave(int node) { on_[std::size_t(node)] = 0; }

private:
    std::vector<char> on_;
};

// Walks that would visit more than this are refused before anything changes.
constexpr std::int64_t placingVisitLimit = 1'000'000;
