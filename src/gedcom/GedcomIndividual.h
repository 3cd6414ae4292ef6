#pragma once
#include "gedcom/GedcomWriter.h"
#include "store/GenealogyStore.h"

#include <functional>
#include <vector>

// One event of the tree with the participants that are persons of the file;
// it is written once, in the record of the first of them.
struct GedcomEventRows {
    RowId event = 0;
    std::vector<RowId> participations;
};

// What one INDI record holds besides the persons row, gathered in one pass
// over each table so that a large tree is written in linear time.
struct GedcomPersonRows {
    std::vector<int> events;  // indices of the events written in this record
    std::vector<RowId> names;
    std::vector<RowId> notes;
    std::vector<int> spouseFamilies;
    std::vector<int> childFamilies;
};

// Writes the INDI record of one person: names, sex, birth, death, events, notes, media, families.
struct GedcomIndividual {
    const GenealogyStore& store;
    const std::vector<GedcomEventRows>& events;
    std::function<int(int)> ordinalOf;  // a person number's place in the file, or 0

    void write(GedcomWriter& out, int ordinal, RowId person, const GedcomPersonRows& rows) const;

private:
    void writeNames(GedcomWriter& out, RowId person, const GedcomPersonRows& rows) const;
    void writeSex(GedcomWriter& out, RowId person) const;
    void writeEvents(GedcomWriter& out, RowId person, const GedcomPersonRows& rows) const;
    void writeEvent(GedcomWriter& out, const GedcomEventRows& event, const char* tag, bool typed) const;
    void writeNotes(GedcomWriter& out, const GedcomPersonRows& rows) const;
};

// What the import reads back from a one-line value as GEDCOM out writes it.
QString gedcomValueAsRead(const QString& value);
