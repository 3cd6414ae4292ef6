#include "card/Notes.h"

#include <algorithm>

int NextNoteNumber(const RecordTable& notes)
{
    if (notes.isEmpty())
        return 0;
    int highest = 0;
    for (int p = 0; p < notes.recordCount(); ++p)
        highest = std::max(highest, notes.integerAt(notes.rowAt(p), NoteField::num));
    return highest + 1;
}

namespace {

void writeComment(GenealogyStore& store, const Note& note)
{
    store.cardComments.insertRecord({note.owner, FieldValue(), note.header, note.data, note.num});
    store.notes.insertRecord({note.owner, true, note.header, note.data, note.num});
}

} // namespace

int storeComment(GenealogyStore& store, int owner, const QString& header, const QString& text)
{
    const int k = NextNoteNumber(store.notes);
    writeComment(store, {owner, header, text, k});
    return k;
}

void restoreComment(GenealogyStore& store, const Note& note)
{
    writeComment(store, note);
}

int storeMedia(GenealogyStore& store, int owner, const QString& header, const QString& path)
{
    const int k = NextNoteNumber(store.notes);
    store.cardMedia.insertRecord({owner, false, header, path, k});
    store.notes.insertRecord({owner, false, header, path, k});
    return k;
}

Note takeCardNote(GenealogyStore& store, RecordTable& cardTable)
{
    Note note;
    if (cardTable.isEmpty())
        return note;
    // Card comments and card media share the positions of these fields.
    static_assert(int(CardCommentField::text) == int(CardMediaField::path));
    note.owner = cardTable.asInteger(CardCommentField::owner);
    note.header = cardTable.asString(CardCommentField::header);
    note.data = cardTable.asString(CardCommentField::text);
    note.num = cardTable.asInteger(CardCommentField::num);
    if (store.notes.locate(NoteField::num, note.num)) {
        note.data = store.notes.asString(NoteField::data);
        store.notes.deleteRecord();
    }
    cardTable.deleteRecord();
    return note;
}

QString currentMediaPath(GenealogyStore& store)
{
    RecordTable& media = store.cardMedia;
    if (media.isEmpty())
        return QString();
    if (store.notes.locate(NoteField::num, media.asInteger(CardMediaField::num)))
        return store.notes.asString(NoteField::data);
    return media.asString(CardMediaField::path);
}
