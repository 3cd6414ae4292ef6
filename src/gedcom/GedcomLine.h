#pragma once
#include <QString>
#include <QStringView>

// One line of a GEDCOM file, split into its parts.
struct GedcomLine {
    int level = 0;
    QString xref;     // the record's own name: the text between the at-signs before the tag
    QString pointer;  // a value that names a record: the text between its at-signs
    QString tag;
    QString value;    // the rest of the line after the tag, blanks kept, "@@" read as "@"
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
