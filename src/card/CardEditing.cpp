#include "card/CardEditing.h"

#include "card/CardBuilder.h"
#include "dialogs/EventEntry.h"

namespace {

// The first participation matching event and person, preferring the role shown
// (the card's copy of a role may be cut, so its start is compared).
int participationPosition(RecordTable& participants, int person, int eventId, const QString& role)
{
    int fallback = -1;
    for (int p : participants.positionsWithInteger(ParticipantField::owner, person)) {
        const RowId row = participants.rowAt(p);
        if (participants.integerAt(row, ParticipantField::id) != eventId)
            continue;
        if (participants.stringAt(row, ParticipantField::function).startsWith(role))
            return p;
        if (fallback < 0)
            fallback = p;
    }
    return fallback;
}

// Date and place of the person's first remaining event of this type, in participation order.
void takeDateAndPlace(GenealogyStore& store, int person, const QString& type, int dateField, int placeField)
{
    QString date, place;
    RecordTable& participants = store.participants;
    for (int p : participants.positionsWithInteger(ParticipantField::owner, person)) {
        const int id = participants.integerAt(participants.rowAt(p), ParticipantField::id);
        if (store.events.locate(EventField::id, id) && store.events.asString(EventField::type) == type) {
            date = store.events.asString(EventField::date);
            place = store.events.asString(EventField::place);
            break;
        }
    }
    RecordTable& persons = store.persons;
    if (!persons.locate(PersonField::num, person))
        return;
    persons.edit();
    persons.setValue(dateField, date);
    persons.setValue(placeField, place);
    persons.post();
}

} // namespace

void removeParticipation(GenealogyStore& store, int person, int eventId, const QString& role)
{
    RecordTable& participants = store.participants;
    const int position = participationPosition(participants, person, eventId, role);
    if (position >= 0) {
        participants.setCurrentPosition(position);
        participants.deleteRecord();
    }
    QString type;
    if (store.events.locate(EventField::id, eventId)) {
        type = store.events.asString(EventField::type);
        if (!participants.locate(ParticipantField::id, eventId))
            store.events.deleteRecord();
    }
    if (type == EventText::Birth)
        takeDateAndPlace(store, person, type, PersonField::birth_date, PersonField::birth_place);
    else if (type == EventText::Death)
        takeDateAndPlace(store, person, type, PersonField::death_date, PersonField::death_place);
    store.persons.locate(PersonField::num, person);
}

bool deleteLinkOfLine(GenealogyStore& store, int cardPerson, int related, int lineKind)
{
    RecordTable& diagram = store.diagram;
    const std::vector<int> lineFields{DiagramField::type, DiagramField::x, DiagramField::y};
    if (diagram.locate(lineFields, {3, cardPerson, related}) || diagram.locate(lineFields, {3, related, cardPerson}))
        diagram.deleteRecord();

    RecordTable& links = store.links;
    for (int p = 0; p < links.recordCount(); ++p) {
        const RowId row = links.rowAt(p);
        const int id1 = links.integerAt(row, LinkField::id1);
        const int id2 = links.integerAt(row, LinkField::id2);
        const int rel = links.integerAt(row, LinkField::rel);
        const bool child = rel == LinkKind::ParentOf && lineKind == CardLineKind::Child && id1 == cardPerson && id2 == related;
        const bool parent = rel == LinkKind::ParentOf && lineKind == CardLineKind::Parent && id2 == cardPerson && id1 == related;
        const bool spouse = rel == LinkKind::Spouses && lineKind == CardLineKind::Spouse
                            && ((id1 == cardPerson && id2 == related) || (id2 == cardPerson && id1 == related));
        if (child || parent || spouse) {
            links.setCurrentPosition(p);
            links.deleteRecord();
            return true;
        }
    }
    return false;
}

void linkNewRelative(GenealogyStore& store, int cardPerson, bool cardPersonMale, int n, Relative kind)
{
    bool male = true;
    switch (kind) {
    case Relative::Mother:
    case Relative::Daughter:
        male = false;
        break;
    case Relative::Spouse:
        male = !cardPersonMale;
        break;
    default:
        break;
    }
    RecordTable& persons = store.persons;
    if (persons.locate(PersonField::num, n)) {
        persons.edit();
        persons.setValue(PersonField::sex, male);
        persons.post();
    }
    const bool parent = kind == Relative::Father || kind == Relative::Mother;
    if (parent)
        store.links.insertRecord({n, cardPerson, LinkKind::ParentOf});
    else if (kind == Relative::Spouse)
        store.links.insertRecord({cardPerson, n, LinkKind::Spouses});
    else
        store.links.insertRecord({cardPerson, n, LinkKind::ParentOf});
}
