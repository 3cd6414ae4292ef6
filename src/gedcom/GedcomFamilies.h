#pragma once
#include "store/RecordTable.h"

#include <functional>
#include <vector>

// Persons and families are named by their place in the file, from 1; 0 is nobody.
struct GedcomFamily {
    int husband = 0;
    int wife = 0;
    std::vector<int> children;
};

struct GedcomFamilies {
    std::vector<GedcomFamily> families;
    // Per person, the families it heads and the ones it is a child of; index 0 unused.
    std::vector<std::vector<int>> asSpouse;
    std::vector<std::vector<int>> asChild;
    int skippedLinks = 0;  // rows naming a number no person has, or of no known kind
};

// The families that carry the links table. A spouse link is one family,
// husband and wife as the link holds them, however often and whichever way
// round it is stored. A child joins the family of two of its parents when they
// are spouses, and otherwise a family of each parent alone, so that reading the
// file back links the parents as before and adds no spouses.
// ordinalOf gives a person number's place, or 0; male tells who heads a family alone as husband.
GedcomFamilies groupFamilies(const RecordTable& links, int personCount, const std::function<int(int)>& ordinalOf,
                             const std::vector<bool>& male);
