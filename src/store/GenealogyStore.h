#pragma once
#include "store/RecordTable.h"
#include "store/TreeHistory.h"

// Every record table of one family tree, with the designed fields in their
// designed order. Members are named by role; tableName() gives the designed name.
struct GenealogyStore {
    GenealogyStore();

    RecordTable persons;          // RxMemoryData1
    RecordTable links;            // RxMemoryData2: rel 1 spouses, 2 id1 is a parent of id2
    RecordTable events;           // RxMemoryData4
    RecordTable participants;     // RxMemoryData10
    RecordTable names;            // RxMemoryData11: additional names
    RecordTable notes;            // RxMemoryData12: comments and media files
    RecordTable cardLines;        // RxMemoryData3: relatives on the card
    RecordTable cardNames;        // RxMemoryData6: see CardNameField
    RecordTable cardComments;     // RxMemoryData7
    RecordTable cardMedia;        // RxMemoryData8
    RecordTable cardEvents;       // RxMemoryData9
    RecordTable diagram;          // RxMemoryData5: person rows (type 1, 2) and line rows (type 3)
    RecordTable selection;        // RxMemoryData13
    RecordTable eventDialogParticipants; // RxMemoryData1 of the event dialog

    // The tables a tree file keeps, which the history records; the rest are
    // views rebuilt from them.
    std::vector<RecordTable*> keptTables();
    // Off until the window turns it on.
    TreeHistory history;

    // What "Новый" empties.
    void emptyForNewTree();

    // Tables addressed by their short role names ("persons", "links", ...); null when unknown.
    RecordTable* tableByRole(QStringView role);
};

// The number that names one row of the names table for as long as it exists
// (its creation number; a deleted row's number is never given again).
int nameRowNumber(const RecordTable& names, RowId row);
// Position of the names row with that number; -1 when it is gone. Owner narrows the search.
int namePosition(RecordTable& names, int owner, int number);

// Resolved field indices, so hot loops never look a field up by name.
namespace PersonField {
enum : int { num, fam, name, surname, fullname, sex, birth_date, birth_place, death_date, death_place, sexnotset };
}
namespace LinkField {
enum : int { id1, id2, rel };
}
namespace EventField {
enum : int { id, type, date, place };
}
namespace ParticipantField {
enum : int { id, owner, function };
}
namespace NameField {
enum : int { NameType, sex, name, owner, sexnotset };
}
// The card names view: the names fields, then the creation number of the
// names-table row shown (empty for the main name, which is the persons row).
namespace CardNameField {
enum : int { NameType, sex, name, owner, sexnotset, nameRow };
}
namespace NoteField {
enum : int { Owner, OwnerType, header, data, num };
}
namespace CardLineField {
enum : int { typeName, stroka, link, type, visio };
}
namespace CardCommentField {
enum : int { owner, OwnerType, header, text, num };
}
namespace CardMediaField {
enum : int { owner, OwnerType, header, path, num };
}
namespace CardEventField {
enum : int { id, type, date, function, place };
}
namespace DiagramField {
enum : int { type, x, y, name, fam, owner, ischecked };
}
namespace SelectionField {
enum : int { owner, x, y, type };
}
namespace DraftParticipantField {
enum : int { name, owner, function };
}

// Codes of the links table's rel field.
namespace LinkKind {
constexpr int Spouses = 1;
constexpr int ParentOf = 2;
}
