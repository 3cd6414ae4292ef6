#pragma once
#include "gedcom/GedcomWriter.h"
#include "store/GenealogyStore.h"

#include <vector>

class NumberIndex;

// What one INDI record holds besides the persons row, gathered in one pass
// over each table so that a large tree is written in linear time.
struct GedcomPersonRows {
    std::vector<RowId> participations;
    std::vector<RowId> names;
    std::vector<RowId> notes;
    std::vector<int> spouseFamilies;
    std::vector<int> childFamilies;
};

// Writes the INDI record of one person: names, sex, birth, death, events, notes, media, families.
struct GedcomIndividual {
    const GenealogyStore& store;
    // Row + 1 of the events table by event id.
    const NumberIndex& eventRows;

    void write(GedcomWriter& out, int ordinal, RowId person, const GedcomPersonRows& rows) const;

private:
    void writeNames(GedcomWriter& out, RowId person, const GedcomPersonRows& rows) const;
    void writeSex(GedcomWriter& out, RowId person) const;
    void writeVital(GedcomWriter& out, const char* tag, const QString& date, const QString& place) const;
    void writeEvents(GedcomWriter& out, RowId person, const GedcomPersonRows& rows) const;
    void writeNotes(GedcomWriter& out, const GedcomPersonRows& rows) const;
};
