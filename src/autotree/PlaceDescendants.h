#pragma once
#include "autotree/Placement.h"
#include "diagram/DiagramUnits.h"
#include "store/GenealogyStore.h"

class DiagramDraft;
class PersonCursor;
struct LinkGraph;

// Adds person p's box at (x, y) unless p has one, then every descendant's box
// in pre-order columns with a line row from parent to child; returns the
// number of descendant visits below p, or -1 when refused (a walk too long or
// a position beyond 32 bits), in which case nothing changed. The persons
// table is left on the last person visited.
int PlaceDescendants(GenealogyStore& store, int p, int x, int y, DiagramUnits units,
                     std::vector<int>* cycles = nullptr);

// The walk itself, from node 0 of the child graph into a draft.
PlacementOutcome placeDescendantsInDraft(const LinkGraph& children, PersonCursor& cursor, DiagramDraft& draft,
                                         std::int64_t x, std::int64_t y, DiagramUnits units);

// 1.5 x H x count rounded half to even, in integers.
std::int64_t descendantOffset(int h, std::int64_t count);
