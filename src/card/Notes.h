#pragma once
#include "store/GenealogyStore.h"

// One comment or media file as the notes table holds it.
struct Note {
    int owner = 0;
    QString header;
    QString data;  // a comment's text, or a media file's full path
    int num = 0;
};

// The number the next note gets: 0 while the notes table is empty, otherwise
// one more than the largest of 0 and every number in it.
int NextNoteNumber(const RecordTable& notes);

// Stores a comment under NextNoteNumber, in the card comments and in the notes
// table; returns its number. Titles are cut to the field's 20 characters.
int storeComment(GenealogyStore& store, int owner, const QString& header, const QString& text);
// Puts a comment back under the number it had, in both tables.
void restoreComment(GenealogyStore& store, const Note& note);
// Stores a media file's path under NextNoteNumber, in the card media and in the notes table.
int storeMedia(GenealogyStore& store, int owner, const QString& header, const QString& path);

// Removes the note that the current row of the card comments or card media
// stands for, and that row, and returns what the note held. A card row whose
// note is missing from the notes table goes alone.
Note takeCardNote(GenealogyStore& store, RecordTable& cardTable);

// The full path of the current card media row's file: the card's copy of a
// path is cut at 256 characters, the notes table keeps it whole.
QString currentMediaPath(GenealogyStore& store);
