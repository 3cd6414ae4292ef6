#include "list/PersonList.h"

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
