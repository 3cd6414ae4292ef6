#include "gedcom/GedcomIndividual.h"

#include "dialogs/EventEntry.h"
#include "dialogs/NameEntry.h"
#include "gedcom/GedcomDate.h"
#include "gedcom/NumberIndex.h"

#include <QFileInfo>
#include <algorithm>

namespace {

bool holdsText(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return !c.isSpace(); });
}

// The import leaves the family name between slashes; it is not wrapped twice.
QString bareFamilyName(const QString& fam)
{
    qsizetype start = 0, end = fam.size();
    while (start < end && fam[start] == QLatin1Char('/'))
        ++start;
    while (end > start && fam[end - 1] == QLatin1Char('/'))
        --end;
    return fam.mid(start, end - start);
}

// Given name and patronymic, then the family name between slashes, for SURN as much as for NAME.
void writeName(GedcomWriter& out, const NameParts& stored, const QString& type)
{
    const NameParts parts = withFamilyNameInPlace(stored);
    QString givenNames = holdsText(parts.name) ? parts.name : QString();
    if (holdsText(parts.surname))
        givenNames += (givenNames.isEmpty() ? QString() : QStringLiteral(" ")) + parts.surname;
    const QString family = bareFamilyName(parts.fam);
    QString value = givenNames;
    if (holdsText(family))
        value += (value.isEmpty() ? QStringLiteral("/") : QStringLiteral(" /")) + family + QLatin1Char('/');
    if (value.isEmpty())
        return;
    out.single(1, "NAME", value);
    if (holdsText(type))
        out.single(2, "TYPE", type.trimmed());
    if (!givenNames.isEmpty())
        out.single(2, "GIVN", givenNames);
    if (holdsText(family))
        out.single(2, "SURN", family);
}

// The role the import gives the one person of the birth or the death it makes.
QString impliedRole(const QString& type)
{
    if (type == EventText::Birth)
        return QStringLiteral("Новорожденный");
    if (type == EventText::Death)
        return QStringLiteral("Умерший");
    return QString();
}

// GEDCOM names formats by the usual suffix; others go as their suffix is.
QString mediaFormat(const QString& path)
{
    const QString suffix = gedcomSingleLine(QFileInfo(path).suffix().toLower()).trimmed();
    if (suffix == QStringLiteral("jpeg"))
        return QStringLiteral("jpg");
    if (suffix == QStringLiteral("tiff"))
        return QStringLiteral("tif");
    return suffix;
}

} // namespace

void GedcomIndividual::write(GedcomWriter& out, int ordinal, RowId person, const GedcomPersonRows& rows) const
{
    const RecordTable& persons = store.persons;
    out.record('I', ordinal, "INDI");
    writeNames(out, person, rows);
    writeSex(out, person);
    writeVital(out, "BIRT", persons.stringAt(person, PersonField::birth_date),
               persons.stringAt(person, PersonField::birth_place));
    writeVital(out, "DEAT", persons.stringAt(person, PersonField::death_date),
               persons.stringAt(person, PersonField::death_place));
    writeEvents(out, person, rows);
    writeNotes(out, rows);
    for (int family : rows.spouseFamilies)
        out.pointer(1, "FAMS", 'F', family);
    for (int family : rows.childFamilies)
        out.pointer(1, "FAMC", 'F', family);
}

void GedcomIndividual::writeNames(GedcomWriter& out, RowId person, const GedcomPersonRows& rows) const
{
    const RecordTable& persons = store.persons;
    writeName(out,
              {persons.stringAt(person, PersonField::fam), persons.stringAt(person, PersonField::name),
               persons.stringAt(person, PersonField::surname)},
              QString());
    for (RowId row : rows.names)
        writeName(out, splitName(store.names.stringAt(row, NameField::name)),
                  store.names.stringAt(row, NameField::NameType));
}

void GedcomIndividual::writeSex(GedcomWriter& out, RowId person) const
{
    const RecordTable& persons = store.persons;
    const char* sex = persons.booleanAt(person, PersonField::sexnotset) ? "U"
                      : persons.booleanAt(person, PersonField::sex)     ? "M"
                                                                        : "F";
    out.single(1, "SEX", QString::fromLatin1(sex));
}

void GedcomIndividual::writeVital(GedcomWriter& out, const char* tag, const QString& date, const QString& place) const
{
    if (!holdsText(date) && !holdsText(place))
        return;
    out.tag(1, tag);
    if (holdsText(date))
        out.single(2, "DATE", gedcomDate(date));
    if (holdsText(place))
        out.single(2, "PLAC", place);
}

void GedcomIndividual::writeEvents(GedcomWriter& out, RowId person, const GedcomPersonRows& rows) const
{
    const RecordTable& events = store.events;
    const RecordTable& participants = store.participants;
    const RecordTable& persons = store.persons;
    for (RowId participation : rows.participations) {
        const std::uint32_t found = eventRows.value(participants.integerAt(participation, ParticipantField::id));
        if (!found)
            continue;
        const RowId event = found - 1;
        const QString type = events.stringAt(event, EventField::type);
        const QString date = events.stringAt(event, EventField::date);
        const QString place = events.stringAt(event, EventField::place);
        const QString role = participants.stringAt(participation, ParticipantField::function);
        const bool implied = !impliedRole(type).isEmpty() && role == impliedRole(type);
        // Only a copy of the person's own birth or death is left out: one that says more would be lost.
        const bool birthCopy = type == EventText::Birth && date == persons.stringAt(person, PersonField::birth_date)
                               && place == persons.stringAt(person, PersonField::birth_place);
        const bool deathCopy = type == EventText::Death && date == persons.stringAt(person, PersonField::death_date)
                               && place == persons.stringAt(person, PersonField::death_place);
        if (implied && (birthCopy || deathCopy))
            continue;
        out.tag(1, "EVEN");
        if (holdsText(type))
            out.single(2, "TYPE", type);
        if (holdsText(date))
            out.single(2, "DATE", gedcomDate(date));
        if (holdsText(place))
            out.single(2, "PLAC", place);
        if (holdsText(role) && !implied)
            out.text(2, "NOTE", QStringLiteral("Роль: ") + role);
    }
}

void GedcomIndividual::writeNotes(GedcomWriter& out, const GedcomPersonRows& rows) const
{
    const RecordTable& notes = store.notes;
    for (RowId row : rows.notes) {
        const QString header = notes.stringAt(row, NoteField::header);
        const QString data = notes.stringAt(row, NoteField::data);
        if (notes.booleanAt(row, NoteField::OwnerType)) {
            if (holdsText(header) || holdsText(data))
                out.text(1, "NOTE", holdsText(header) ? header + QLatin1Char('\n') + data : data);
            continue;
        }
        if (!holdsText(data))
            continue;
        out.tag(1, "OBJE");
        out.single(2, "FILE", data);
        const QString format = mediaFormat(data);
        if (!format.isEmpty())
            out.single(3, "FORM", format);
        if (holdsText(header))
            out.single(3, "TITL", header);
    }
}
