#include "ReferenceTrees.h"

#include "diagram/DiagramLayout.h"
#include "diagram/DiagramRows.h"

#include <algorithm>
#include <cmath>

bool ReferenceTrees::enterLine(int p)
{
    if (std::find(line_.begin(), line_.end(), p) != line_.end())
        return false;
    line_.push_back(p);
    return true;
}

int ReferenceTrees::depth(int p)
{
    s.persons.locate(PersonField::num, p);
    if (!enterLine(p))
        return 0;
    int father = 0, mother = 0;
    RecordTable& links = s.links;
    for (links.first(); !links.eof(); links.next()) {
        if (links.asInteger(LinkField::id2) != p || links.asInteger(LinkField::rel) != 2)
            continue;
        const int at = links.currentPosition(), parent = links.asInteger(LinkField::id1);
        s.persons.locate(PersonField::num, parent);
        const bool male = s.persons.asBoolean(PersonField::sex);
        (male ? father : mother) = depth(parent) + 1;
        links.setCurrentPosition(at);
    }
    leaveLine();
    s.persons.locate(PersonField::num, p);
    return std::max(father, mother);
}

static void insertBox(GenealogyStore& s, int p, int x, int y)
{
    RecordTable& persons = s.persons;
    insertPersonRow(s.diagram, persons.asBoolean(PersonField::sex) ? 2 : 1, QPoint(x, y),
                    persons.asString(PersonField::fam),
                    persons.asString(PersonField::name) + " " + persons.asString(PersonField::surname), p);
}

void ReferenceTrees::placeAncestors(int p, int level, int x, int y, int d)
{
    s.persons.locate(PersonField::num, p);
    insertBox(s, p, x, y);
    if (!enterLine(p)) {
        cycles.push_back(p);
        s.persons.locate(PersonField::num, p);
        return;
    }
    RecordTable& links = s.links;
    for (links.first(); !links.eof(); links.next()) {
        if (links.asInteger(LinkField::id2) != p || links.asInteger(LinkField::rel) != 2)
            continue;
        const int at = links.currentPosition(), parent = links.asInteger(LinkField::id1);
        s.persons.locate(PersonField::num, parent);
        const int offset = int(std::trunc(units.h * std::pow(2.0, d - level - 1)));
        const bool male = s.persons.asBoolean(PersonField::sex);
        placeAncestors(parent, level + 1, male ? x - offset : x + offset, y - units.v, d);
        links.setCurrentPosition(at);
        insertLineRow(s.diagram, p, parent);
    }
    leaveLine();
    s.persons.locate(PersonField::num, p);
}

int ReferenceTrees::placeDescendants(int p, int x, int y)
{
    int count = 0;
    s.persons.locate(PersonField::num, p);
    if (!s.diagram.locate(DiagramField::owner, p))
        insertBox(s, p, x, y);
    if (!enterLine(p)) {
        cycles.push_back(p);
        return 0;
    }
    RecordTable& links = s.links;
    for (links.first(); !links.eof(); links.next()) {
        if (links.asInteger(LinkField::id1) != p || links.asInteger(LinkField::rel) != 2)
            continue;
        const int at = links.currentPosition(), child = links.asInteger(LinkField::id2);
        const int offset = int(std::nearbyint(1.5 * units.h * count));
        count += placeDescendants(child, x + offset, y + units.v) + 1;
        links.setCurrentPosition(at);
        insertLineRow(s.diagram, p, child);
    }
    leaveLine();
    return count;
}

void ReferenceTrees::compress()
{
    RecordTable& items = s.diagram;
    items.setFilterCallback([&items](RowId r) { return !isLineRow(items, r); });
    items.setFiltered(true);
    items.sortOnField(DiagramField::x, false, false);
    items.first();
    int anchor = items.asInteger(DiagramField::x);
    for (items.next(); !items.eof(); items.next()) {
        const int at = items.currentPosition(), x = items.asInteger(DiagramField::x);
        if (x - anchor <= units.h)
            continue;
        for (int p = 0; p < at; ++p)
            if (items.isVisible(items.rowAt(p))) {
                items.setCurrentPosition(p);
                items.edit();
                items.setValue(DiagramField::x, items.asInteger(DiagramField::x) + x - anchor - units.h);
                items.post();
            }
        items.setCurrentPosition(at);
        anchor = x;
    }
    items.setFiltered(false);
    sortLinesFirst(items);
}

void ReferenceTrees::build(TreeKind kind, DiagramScroll& scroll)
{
    const int root = s.persons.asInteger(PersonField::num);
    s.selection.emptyTable();
    s.diagram.emptyTable();
    scroll.setRanges(0, 0);
    if (kind != TreeKind::Descending) {
        placeAncestors(root, 0, 300, 200, depth(root));
        if (kind == TreeKind::Ascending)
            sortLinesFirst(s.diagram);
        compress();
    }
    if (kind != TreeKind::Ascending)
        placeDescendants(root, 300, 200);
    NormaliseDiagram(s.diagram, units, scroll);
    if (kind == TreeKind::Descending)
        sortLinesFirst(s.diagram);
}
