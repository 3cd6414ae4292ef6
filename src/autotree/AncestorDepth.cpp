#include "autotree/AncestorDepth.h"

#include <unordered_set>

namespace {

int depthOf(GenealogyStore& store, int p, std::unordered_set<int>& line, bool& cycle)
{
    RecordTable& persons = store.persons;
    RecordTable& links = store.links;
    persons.locate(PersonField::num, p);
    if (!line.insert(p).second) {
        cycle = true;
        return 0;
    }
    int fatherDepth = 0, motherDepth = 0;
    for (int position : links.positionsWithInteger(LinkField::id2, p)) {
        const RowId row = links.rowAt(position);
        if (links.integerAt(row, LinkField::rel) != LinkKind::ParentOf)
            continue;
        const int parent = links.integerAt(row, LinkField::id1);
        // An unknown parent leaves the cursor, and so the sex read, where it was.
        persons.locate(PersonField::num, parent);
        if (persons.asBoolean(PersonField::sex))
            fatherDepth = depthOf(store, parent, line, cycle) + 1;
        else
            motherDepth = depthOf(store, parent, line, cycle) + 1;
    }
    line.erase(p);
    persons.locate(PersonField::num, p);
    return std::max(fatherDepth, motherDepth);
}

} // namespace

int AncestorDepth(GenealogyStore& store, int p, bool* cycleFound)
{
    std::unordered_set<int> line;
    bool cycle = false;
    const int depth = depthOf(store, p, line, cycle);
    if (cycleFound)
        *cycleFound = cycle;
    return depth;
}
