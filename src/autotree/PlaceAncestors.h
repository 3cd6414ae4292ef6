#pragma once
#include "autotree/Placement.h"
#include "diagram/DiagramUnits.h"
#include "store/GenealogyStore.h"

class DiagramDraft;
class PersonCursor;
struct LinkGraph;

// Adds person p's box at (x, y) and, generation by generation, every ancestor's
// box with a line row from child to parent; level counts generations up from
// the root, depth is the root's AncestorDepth. Leaves the persons table on p.
// Refuses, changing nothing, when the walk would be too long or a position
// would leave 32 bits; cycles, if any, are given in cycles.
bool PlaceAncestors(GenealogyStore& store, int p, int level, int x, int y, int depth, DiagramUnits units,
                    std::vector<int>* cycles = nullptr);

// The walk itself, from node 0 of the parent graph into a draft.
PlacementOutcome placeAncestorsInDraft(const LinkGraph& parents, PersonCursor& cursor, DiagramDraft& draft,
                                       int level, std::int64_t x, std::int64_t y, int depth, DiagramUnits units);

// H x 2^e truncated toward zero, exact, and large enough to overflow any
// position when e is large.
std::int64_t ancestorOffset(int h, int e);
