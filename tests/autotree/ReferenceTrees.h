#pragma once
#include "autotree/TreeBuild.h"

#include <vector>

// The three builds done step by step as the designed routines do them: scans
// of the links table, lookups that move the cursors, inserts before the
// current row, a compression that shifts earlier boxes one by one. Recursive;
// only for the small stores of the tests. Persons met again on their own line
// end it there.
struct ReferenceTrees {
    ReferenceTrees(GenealogyStore& store, DiagramUnits u) : s(store), units(u) {}
    GenealogyStore& s;
    DiagramUnits units;
    std::vector<int> cycles;

    void build(TreeKind kind, DiagramScroll& scroll);
    int depth(int p);
    void placeAncestors(int p, int level, int x, int y, int d);
    int placeDescendants(int p, int x, int y);
    void compress();

private:
    std::vector<int> line_;
    bool enterLine(int p);
    void leaveLine() { line_.pop_back(); }
};
