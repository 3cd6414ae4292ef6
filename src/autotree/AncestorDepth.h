#pragma once
#include "store/GenealogyStore.h"

struct LinkGraph;
class PersonCursor;

// Generations of known ancestors above person p (0 when no parent is known);
// only the last father and the last mother in link order count. Leaves the
// persons table on p. A person met again on their own line of ancestors ends
// that line there and sets cycleFound, instead of recursing for ever.
int AncestorDepth(GenealogyStore& store, int p, bool* cycleFound = nullptr);

// The same over the parent graph of p, following the persons cursor instead of
// moving the table.
int ancestorDepthOn(const LinkGraph& parents, PersonCursor& cursor, bool* cycleFound = nullptr);
