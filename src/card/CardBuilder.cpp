#include "card/CardBuilder.h"

#include <algorithm>
#include <array>

namespace {

// Visits, in table order, the visible rows where one of the fields holds p, and
// leaves the cursor where a walk over the whole table with Next leaves it: on
// the last row, past the end. Rows naming someone else would yield nothing, so
// skipping them changes no result.
template <typename Visit>
void walkRowsNaming(RecordTable& table, std::initializer_list<int> fields, int p, Visit&& visit)
{
    std::vector<int> positions;
    for (int field : fields) {
        const std::vector<int> found = table.positionsWithInteger(field, p);
        positions.insert(positions.end(), found.begin(), found.end());
    }
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    for (int position : positions)
        visit(table.rowAt(position));
    table.last();
    table.next();
}

void insertMainName(GenealogyStore& store)
{
    const RecordTable& persons = store.persons;
    const QChar blank = QLatin1Char(' ');
    const QString whole = persons.asString(PersonField::fam) + blank + persons.asString(PersonField::name) + blank +
                          persons.asString(PersonField::surname);
    auto value = [&persons](int field) {
        return persons.isNull(field) ? FieldValue() : FieldValue(persons.asBoolean(field));
    };
    store.cardNames.insertRecord({QStringLiteral(" Основное"), value(PersonField::sex), whole,
                                  persons.asInteger(PersonField::num), value(PersonField::sexnotset)});
}

// Copies a cell as it is, keeping an empty field empty.
FieldValue copyOf(const RecordTable& table, RowId row, int field)
{
    const Cell& cell = table.cellAt(row, field);
    if (auto i = std::get_if<std::int32_t>(&cell))
        return FieldValue(int(*i));
    if (auto b = std::get_if<bool>(&cell))
        return FieldValue(*b);
    if (auto s = std::get_if<QString>(&cell))
        return FieldValue(*s);
    return FieldValue();
}

void copyFurtherNames(GenealogyStore& store, int p)
{
    RecordTable& names = store.names;
    walkRowsNaming(names, {NameField::owner}, p, [&](RowId row) {
        if (names.integerAt(row, NameField::owner) != p)
            return;
        std::vector<FieldValue> copy;
        for (int f : {NameField::NameType, NameField::sex, NameField::name, NameField::owner, NameField::sexnotset})
            copy.push_back(copyOf(names, row, f));
        copy.push_back(nameRowNumber(names, row));
        store.cardNames.insertRecord(copy);
    });
}

void insertLine(GenealogyStore& store, int relative, int kind, const QString& maleLabel, const QString& otherLabel)
{
    RecordTable& persons = store.persons;
    if (!persons.locate(PersonField::num, relative))
        return;
    const QString& label = persons.asBoolean(PersonField::sex) ? maleLabel : otherLabel;
    store.cardLines.insertRecord({label, persons.asString(PersonField::name), relative, kind});
}

void collectLines(GenealogyStore& store, int p)
{
    RecordTable& links = store.links;
    store.persons.setFiltered(false);
    walkRowsNaming(links, {LinkField::id1, LinkField::id2}, p, [&](RowId row) {
        const int id1 = links.integerAt(row, LinkField::id1);
        const int id2 = links.integerAt(row, LinkField::id2);
        const int rel = links.integerAt(row, LinkField::rel);
        // The three tests are independent: a self-link yields two lines.
        if (id2 == p && rel == LinkKind::ParentOf)
            insertLine(store, id1, CardLineKind::Parent, CardLabel::Father, CardLabel::Mother);
        if (id1 == p && rel == LinkKind::ParentOf)
            insertLine(store, id2, CardLineKind::Child, CardLabel::Son, CardLabel::Daughter);
        if (rel == LinkKind::Spouses && (id1 == p || id2 == p))
            insertLine(store, id1 == p ? id2 : id1, CardLineKind::Spouse, CardLabel::Husband, CardLabel::Wife);
    });
}

void collectEvents(GenealogyStore& store, int p)
{
    RecordTable& participants = store.participants;
    RecordTable& events = store.events;
    walkRowsNaming(participants, {ParticipantField::owner}, p, [&](RowId row) {
        if (participants.integerAt(row, ParticipantField::owner) != p)
            return;
        // A participation whose event is gone shows nothing rather than another event's data.
        if (!events.locate(EventField::id, participants.integerAt(row, ParticipantField::id)))
            return;
        store.cardEvents.insertRecord({events.asInteger(EventField::id), events.asString(EventField::type),
                                       events.asString(EventField::date),
                                       participants.stringAt(row, ParticipantField::function),
                                       events.asString(EventField::place)});
    });
}

void collectNotes(GenealogyStore& store, int p)
{
    RecordTable& notes = store.notes;
    walkRowsNaming(notes, {NoteField::Owner}, p, [&](RowId row) {
        if (notes.integerAt(row, NoteField::Owner) != p)
            return;
        const QString header = notes.stringAt(row, NoteField::header);
        const QString data = notes.stringAt(row, NoteField::data);
        const int num = notes.integerAt(row, NoteField::num);
        if (notes.booleanAt(row, NoteField::OwnerType))
            store.cardComments.insertRecord({p, FieldValue(), header, data, num});
        else
            store.cardMedia.insertRecord({p, false, header, data, num});
    });
}

} // namespace

bool fillCardTables(GenealogyStore& store, int p)
{
    if (!store.persons.locate(PersonField::num, p))
        return false;
    const std::array<RecordTable*, 6> suspended = {&store.persons,      &store.cardNames, &store.cardEvents,
                                                   &store.cardComments, &store.cardMedia, &store.cardLines};
    for (RecordTable* table : suspended)
        table->disableControls();
    for (RecordTable* table : {&store.cardNames, &store.cardEvents, &store.cardComments, &store.cardMedia, &store.cardLines})
        table->emptyTable();

    insertMainName(store);
    copyFurtherNames(store, p);
    store.cardNames.sortOnField(NameField::NameType, true, false);
    collectLines(store, p);
    store.persons.locate(PersonField::num, p);
    collectEvents(store, p);
    collectNotes(store, p);
    store.cardLines.sortOnField(CardLineField::type, false, false);

    for (RecordTable* table : suspended)
        table->enableControls();
    return true;
}

QString cardLineText(const RecordTable& cardLines, RowId row)
{
    return cardLines.stringAt(row, CardLineField::typeName) + QLatin1Char(' ') +
           cardLines.stringAt(row, CardLineField::stroka);
}
