#pragma once
#include "genealogy/NameParts.h"

#include <optional>

// What one NAME structure of a file says, its pieces as written.
struct GedcomNameLines {
    QString value;
    QString givn, surn, npfx, nsfx, nick, type;
    // Written by GEDCOM out where the standard lines cannot say a field exactly.
    std::optional<QString> given, patronymic, family, text, ownType, sex;

    bool hasExactFields() const { return given || patronymic || family; }
};

// A NAME read into the three fields. Slashes mark the family name; the given
// part stands before them, or after them when nothing does; its first word is
// the given name and the rest the patronymic. Without slashes the words go as
// they always did, unless GIVN and SURN say more.
struct GedcomNameRead {
    NameParts parts;
    QString suffix;
    // The fields cannot give the name back: a suffix, a prefix, a nickname,
    // more words than fields, a part longer than its field.
    bool lossy = false;
};

constexpr int personNameFieldSize = 20;

GedcomNameRead readGedcomName(const GedcomNameLines& lines);
// The name as a names-table row holds it: three fields joined by blanks, and a suffix.
QString gedcomNameText(const GedcomNameLines& lines, const GedcomNameRead& read);
// The first NAME kept whole, when its fields lose part of it.
QString gedcomWholeName(const GedcomNameLines& lines);

// The standard lines GEDCOM out writes for three fields: NAME, GIVN, SURN.
GedcomNameLines gedcomNameOf(const NameParts& stored);
