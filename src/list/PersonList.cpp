#include "list/PersonList.h"

#include "diagram/DiagramRows.h"

#include <algorithm>

QString personDisplayName(const RecordTable& persons, RowId row, SortItem item)
{
    const QString fam = persons.stringAt(row, PersonField::fam);
    const QString name = persons.stringAt(row, PersonField::name);
    const QString surname = persons.stringAt(row, PersonField::surname);
    const QChar blank = QLatin1Char(' ');
    switch (item) {
    case SortItem::FamilyName:
        return fam + blank + name + blank + surname;
    case SortItem::Patronymic:
        return surname + blank + name + blank + fam;
    default:
        return name + blank + surname + blank + fam;
    }
}

int sortFieldOf(SortItem item)
{
    switch (item) {
    case SortItem::FamilyName:
        return PersonField::fam;
    case SortItem::GivenName:
        return PersonField::name;
    case SortItem::Patronymic:
        return PersonField::surname;
    case SortItem::BirthDate:
        return PersonField::birth_date;
    case SortItem::DeathDate:
        return PersonField::death_date;
    default:
        return PersonField::num;
    }
}

void applyListSort(RecordTable& persons, SortItem item)
{
    // The filter lets every row through, so it needs no callback; switching it
    // on still moves the cursor to the first row, as any filter switch does.
    persons.setFiltered(true);
    persons.sortOnField(sortFieldOf(item), true, false);
}

int insertNewPerson(RecordTable& persons)
{
    persons.sortOnField(PersonField::num, false, false);
    persons.last();
    const int n = persons.isEmpty() ? 1 : persons.asInteger(PersonField::num) + 1;
    std::vector<FieldValue> row(std::size_t(persons.fieldCount()));
    row[PersonField::num] = n;
    row[PersonField::fam] = QString();
    row[PersonField::name] = QStringLiteral("№") + QString::number(n);
    row[PersonField::surname] = QString();
    row[PersonField::sex] = true;
    for (int f : {PersonField::birth_date, PersonField::birth_place, PersonField::death_date, PersonField::death_place})
        row[std::size_t(f)] = QString();
    persons.insertRecord(row);
    return n;
}

namespace {

// Deletes the rows at these positions, from the back so the others stay put.
void deletePositions(RecordTable& table, std::vector<int> positions)
{
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    for (auto p = positions.rbegin(); p != positions.rend(); ++p) {
        table.setCurrentPosition(*p);
        table.deleteRecord();
    }
}

void deleteParticipations(GenealogyStore& store, int num)
{
    RecordTable& participants = store.participants;
    std::vector<int> events;
    for (int p : participants.positionsWithInteger(ParticipantField::owner, num))
        events.push_back(participants.integerAt(participants.rowAt(p), ParticipantField::id));
    deletePositions(participants, participants.positionsWithInteger(ParticipantField::owner, num));
    // An event goes with its last participant.
    for (int id : events)
        if (!participants.locate(ParticipantField::id, id) && store.events.locate(EventField::id, id))
            store.events.deleteRecord();
}

} // namespace

void deletePersonAndLinks(GenealogyStore& store, int num)
{
    if (store.persons.locate(PersonField::num, num))
        store.persons.deleteRecord();
    RecordTable& links = store.links;
    for (;;) {
        if (links.locate(LinkField::id1, num) || links.locate(LinkField::id2, num))
            links.deleteRecord();
        else
            break;
    }
}

void deletePersonEverywhere(GenealogyStore& store, int num)
{
    deletePersonAndLinks(store, num);
    // Left behind, these would pass to the next person who gets the number.
    deletePositions(store.names, store.names.positionsWithInteger(NameField::owner, num));
    deletePositions(store.notes, store.notes.positionsWithInteger(NoteField::Owner, num));
    deleteParticipations(store, num);
    RecordTable& diagram = store.diagram;
    while (personRowPosition(diagram, num) >= 0)
        RemoveFromDiagram(diagram, num);
    std::vector<int> lines;
    for (int field : {int(DiagramField::x), int(DiagramField::y)})
        for (int p : diagram.positionsWithInteger(field, num))
            if (isLineRow(diagram, diagram.rowAt(p)))
                lines.push_back(p);
    deletePositions(diagram, lines);
}

QString personDeletionStepName(RecordTable& persons, int num)
{
    QStringList parts;
    for (int position : persons.positionsWithInteger(PersonField::num, num)) {
        const RowId row = persons.rowAt(position);
        for (int field : {PersonField::fam, PersonField::name, PersonField::surname})
            if (const QString* text = persons.textAt(row, field); text && !text->trimmed().isEmpty())
                parts << text->trimmed();
        break;
    }
    return QStringLiteral("удаление персонажа ") + (parts.isEmpty() ? QString::number(num) : parts.join(QLatin1Char(' ')));
}
