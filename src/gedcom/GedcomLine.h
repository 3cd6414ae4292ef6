#pragma once
#include <QString>
#include <QStringView>

// One line of a GEDCOM file, split into its parts.
struct GedcomLine {
    int level = 0;
    QString xref;   // digits of the line's cross-reference or pointer
    QString tag;
    QString value;  // the rest of the line after the tag, blanks kept
    bool levelOnly = false;
};

enum class GedcomParse {
    Ok,
    Blank,     // empty, or blanks only
    BadLevel,  // the first word is not a whole number
};

GedcomParse ParseGedcomLine(QStringView line, GedcomLine& out);

// Word n (from 1) of a text, words being the runs of characters other than the blank.
QStringView gedcomWord(QStringView text, int n);

// The first run of characters in a word that are not blanks, "-", "/", "@" or Latin letters.
QString gedcomNumberText(QStringView word);
