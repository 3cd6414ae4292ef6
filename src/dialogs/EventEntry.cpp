#include "dialogs/EventEntry.h"

#include <algorithm>

QString participantName(RecordTable& persons, int owner)
{
    if (!persons.locate(PersonField::num, owner))
        return QStringLiteral("(удалён из базы: №%1)").arg(owner);
    const QChar blank = QLatin1Char(' ');
    return persons.asString(PersonField::fam) + blank + persons.asString(PersonField::name) + blank +
           persons.asString(PersonField::surname);
}

void loadEventParticipants(GenealogyStore& store, int eventId)
{
    RecordTable& draft = store.eventDialogParticipants;
    const RecordTable& participants = store.participants;
    const int current = store.persons.isEmpty() ? -1 : store.persons.currentPosition();
    ControlsDisabled suspended(draft);
    draft.emptyTable();
    for (int p = 0; p < participants.recordCount(); ++p) {
        const RowId row = participants.rowAt(p);
        if (participants.integerAt(row, ParticipantField::id) != eventId)
            continue;
        const int owner = participants.integerAt(row, ParticipantField::owner);
        draft.insertRecord({participantName(store.persons, owner), owner,
                            participants.stringAt(row, ParticipantField::function)});
    }
    // The persons cursor is the card person; looking names up must not move it.
    if (current >= 0)
        store.persons.setCurrentPosition(current);
}

void addDraftParticipant(GenealogyStore& store, int owner)
{
    const int current = store.persons.isEmpty() ? -1 : store.persons.currentPosition();
    store.eventDialogParticipants.insertRecord({participantName(store.persons, owner), owner, EventText::UnknownRole});
    if (current >= 0)
        store.persons.setCurrentPosition(current);
}

void keepOnlyParticipant(RecordTable& draft, int person)
{
    draft.first();
    while (!draft.eof()) {
        if (draft.asInteger(DraftParticipantField::owner) != person)
            draft.deleteRecord();  // the cursor moves on to the row that followed
        else
            draft.next();
    }
}

int nextEventId(const RecordTable& events)
{
    if (events.isEmpty())
        return 0;
    int largest = 0;
    for (int p = 0; p < events.recordCount(); ++p)
        largest = std::max(largest, events.integerAt(events.rowAt(p), EventField::id));
    return largest + 1;
}

static void replaceParticipants(GenealogyStore& store, int id)
{
    RecordTable& participants = store.participants;
    while (participants.locate(ParticipantField::id, id))
        participants.deleteRecord();
    RecordTable& draft = store.eventDialogParticipants;
    for (int p = 0; p < draft.recordCount(); ++p) {
        const RowId row = draft.rowAt(p);
        participants.insertRecord({id, draft.integerAt(row, DraftParticipantField::owner),
                                   draft.stringAt(row, DraftParticipantField::function)});
    }
}

int saveEvent(GenealogyStore& store, const EventEntry& entry)
{
    RecordTable& events = store.events;
    int id = entry.editedId;
    if (entry.editing) {
        if (events.locate(EventField::id, id))
            events.deleteRecord();
    } else {
        id = nextEventId(events);
    }
    const QString date = entry.date == EventText::NoDate ? QString() : entry.date;
    events.insertRecord({id, entry.type, date, entry.place});
    replaceParticipants(store, id);

    RecordTable& persons = store.persons;
    if (persons.locate(PersonField::num, entry.person)) {
        const int field = entry.type == EventText::Birth   ? PersonField::birth_date
                          : entry.type == EventText::Death ? PersonField::death_date
                                                           : -1;
        if (field >= 0) {
            persons.edit();
            persons.setValue(field, date);
            persons.post();
        }
    }
    return id;
}
