#include "dialogs/NameEntry.h"

namespace {

constexpr int personNameSize = 20;

FieldValue booleanOrEmpty(const RecordTable& table, int field)
{
    return table.isNull(field) ? FieldValue() : FieldValue(table.asBoolean(field));
}

void demoteMainName(GenealogyStore& store, int person)
{
    const RecordTable& persons = store.persons;
    store.names.insertRecord({NameText::Alternative, booleanOrEmpty(persons, PersonField::sex),
                              joinName(mainNameParts(persons)), person,
                              booleanOrEmpty(persons, PersonField::sexnotset)});
}

// Writes only what differs, so that an unchanged name leaves the row as it was.
void setTextIfChanged(RecordTable& persons, int field, const QString& text)
{
    const QString cut = text.left(personNameSize);
    if (persons.asString(field) != cut)
        persons.setValue(field, cut);
}

void writeMainName(RecordTable& persons, const NameEntry& entry)
{
    persons.edit();
    setTextIfChanged(persons, PersonField::fam, entry.parts.fam);
    setTextIfChanged(persons, PersonField::name, entry.parts.name);
    setTextIfChanged(persons, PersonField::surname, entry.parts.surname);
    if (entry.sex == SexChoice::Unknown) {
        if (!persons.asBoolean(PersonField::sexnotset))
            persons.setValue(PersonField::sexnotset, true);
    } else {
        const bool male = entry.sex == SexChoice::Male;
        if (persons.asBoolean(PersonField::sex) != male)
            persons.setValue(PersonField::sex, male);
        if (persons.asBoolean(PersonField::sexnotset))
            persons.setValue(PersonField::sexnotset, false);
    }
    persons.post();
}

std::vector<FieldValue> nameRowValues(const NameEntry& entry, int person)
{
    const bool unknown = entry.sex == SexChoice::Unknown;
    const FieldValue sex = unknown ? FieldValue() : FieldValue(entry.sex == SexChoice::Male);
    return {entry.type, sex, joinName(entry.parts), person, unknown};
}

} // namespace

ReplacedName cardNameAt(const RecordTable& cardNames)
{
    ReplacedName replaced;
    if (cardNames.isEmpty())
        return replaced;
    replaced.isMain = cardNames.isNull(CardNameField::nameRow);
    if (!replaced.isMain)
        replaced.nameRow = cardNames.asInteger(CardNameField::nameRow);
    return replaced;
}

SexChoice sexChoiceOf(const RecordTable& cardNames)
{
    if (cardNames.asBoolean(CardNameField::sexnotset))
        return SexChoice::Unknown;
    return cardNames.asBoolean(CardNameField::sex) ? SexChoice::Male : SexChoice::Female;
}

NameParts mainNameParts(const RecordTable& persons)
{
    return {persons.asString(PersonField::fam), persons.asString(PersonField::name),
            persons.asString(PersonField::surname)};
}

void storeName(GenealogyStore& store, int person, const NameEntry& entry, std::optional<ReplacedName> replaced)
{
    const bool replacesMain = replaced && replaced->isMain;
    const int replacedRow = replaced && !replaced->isMain ? replaced->nameRow : -1;
    RecordTable& names = store.names;
    if (entry.type == NameText::MainType) {
        if (!store.persons.locate(PersonField::num, person))
            return;
        if (!replacesMain)
            demoteMainName(store, person);
        if (replacedRow >= 0)
            removeStoredName(store, person, replacedRow);
        writeMainName(store.persons, entry);
        return;
    }
    // An edit of the main name into another type adds that name: the main name stays.
    const int position = replacedRow >= 0 ? namePosition(names, person, replacedRow) : -1;
    if (position < 0) {
        names.insertRecord(nameRowValues(entry, person));
        return;
    }
    names.setCurrentPosition(position);
    names.edit();
    const std::vector<FieldValue> values = nameRowValues(entry, person);
    for (int f = 0; f < int(values.size()); ++f)
        names.setValue(f, values[std::size_t(f)]);
    names.post();
}

void removeStoredName(GenealogyStore& store, int person, int nameRow)
{
    const int position = namePosition(store.names, person, nameRow);
    if (position < 0)
        return;
    store.names.setCurrentPosition(position);
    store.names.deleteRecord();
}
