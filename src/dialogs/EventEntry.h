#pragma once
#include "store/GenealogyStore.h"

namespace EventText {
inline const QString Birth = QStringLiteral("Рождение");
inline const QString Death = QStringLiteral("Смерть");
inline const QString UnknownRole = QStringLiteral("Неизвестна");
inline const QString NoDate = QStringLiteral("указать");  // the date button before a date is chosen
}

// What the event dialog's OK writes: the event of the dialog person, and the
// participants of the draft table (the dialog's own participants table).
struct EventEntry {
    bool editing = false;  // replaces the event editedId
    int editedId = 0;
    int person = 0;        // the dialog person
    QString type;
    QString date;          // a date phrase, or empty
    QString place;
};

// The participant's display name: family name, given name and patronymic.
// A participant whose person is gone says so, with the number it had.
QString participantName(RecordTable& persons, int owner);

// Fills the draft with the participants of an event, in the store's order.
void loadEventParticipants(GenealogyStore& store, int eventId);

// Appends a participant with the default role to the draft.
void addDraftParticipant(GenealogyStore& store, int owner);

// Drops every participant of the draft but this person (births and deaths have one).
void keepOnlyParticipant(RecordTable& draft, int person);

// The id a new event takes: 0 in an empty table, else one above the largest and 0.
int nextEventId(const RecordTable& events);

// Writes the event, replaces its participants by the draft, and for a birth or a
// death sets the person's date. Returns the event's id. Leaves the persons
// table on the dialog person.
int saveEvent(GenealogyStore& store, const EventEntry& entry);
