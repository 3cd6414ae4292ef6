#include "gedcom/GedcomIndividual.h"

#include "gedcom/GedcomDate.h"
#include "gedcom/GedcomName.h"
#include "genealogy/Vocabulary.h"

#include <QFileInfo>
#include <algorithm>

namespace {

const QString noteTitle = QStringLiteral("Примечание");

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

void exactField(GedcomWriter& out, const char* tag, const QString& read, const QString& stored)
{
    if (read != stored)
        out.single(2, tag, stored);
}

// The main name: the standard lines, and the fields exactly where they cannot say them.
// An empty main name is still written when other names follow, or the first of them would take its place.
void writeMainName(GedcomWriter& out, const NameParts& stored, bool othersFollow)
{
    if (stored.fam.isEmpty() && stored.name.isEmpty() && stored.surname.isEmpty() && !othersFollow)
        return;
    const GedcomNameLines lines = gedcomNameOf(stored);
    out.single(1, "NAME", lines.value);
    if (!lines.givn.isEmpty())
        out.single(2, "GIVN", lines.givn);
    if (!lines.surn.isEmpty())
        out.single(2, "SURN", lines.surn);
    const GedcomNameRead read = readGedcomName(lines);
    NameParts as = read.parts;
    if (read.lossy && as == stored)
        as.name += QLatin1Char(' ');  // an exact line keeps the name from being kept whole as well
    exactField(out, "_GIVEN", as.name, stored.name);
    exactField(out, "_PATR", as.surname, stored.surname);
    exactField(out, "_FAMILY", as.fam, stored.fam);
}

char sexLetter(bool male, bool unknown)
{
    return unknown ? 'U' : male ? 'M' : 'F';
}

// A plain date needs no phrase to say it; a qualified one or a phrase is not plain.
bool isPlainDate(const QString& date)
{
    static const char* const prefixes[] = {"(", "BEF ", "AFT ", "ABT ", "EST ", "CAL ", "BET ", "FROM ", "TO ", "INT "};
    return std::none_of(std::begin(prefixes), std::end(prefixes),
                        [&](const char* p) { return date.startsWith(QLatin1String(p)); });
}

void writeDate(GedcomWriter& out, int level, const QString& date)
{
    const QString standard = gedcomDate(date);
    const QString value =
        standard != date && isPlainDate(standard) ? QStringLiteral("INT %1 (%2)").arg(standard, date) : standard;
    out.date(level, value);
    if (gedcomValueAsRead(value) != date)
        out.single(level + 1, "_DATE", date);
}

} // namespace

QString gedcomValueAsRead(const QString& value)
{
    const QString line = gedcomSingleLine(value);
    qsizetype start = 0;
    while (start < line.size() && line[start] == QLatin1Char(' '))
        ++start;
    return line.mid(start);
}

void GedcomIndividual::write(GedcomWriter& out, int ordinal, RowId person, const GedcomPersonRows& rows) const
{
    out.record('I', ordinal, "INDI");
    writeNames(out, person, rows);
    writeSex(out, person);
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
    const RecordTable& names = store.names;
    writeMainName(out, {persons.stringAt(person, PersonField::fam), persons.stringAt(person, PersonField::name),
                        persons.stringAt(person, PersonField::surname)},
                  !rows.names.empty());
    const bool unknown = persons.booleanAt(person, PersonField::sexnotset);
    const char personSex = sexLetter(persons.booleanAt(person, PersonField::sex), unknown);
    for (RowId row : rows.names) {
        const QString whole = names.stringAt(row, NameField::name);
        const QString type = names.stringAt(row, NameField::NameType);
        const GedcomNameLines lines = gedcomNameOf(splitName(whole));
        out.single(1, "NAME", lines.value);
        const QString gedcomType = gedcomValueAsRead(gedcomOfNameType(type)).trimmed();
        if (!gedcomType.isEmpty())
            out.single(2, "TYPE", gedcomType);
        if (!lines.givn.isEmpty())
            out.single(2, "GIVN", lines.givn);
        if (!lines.surn.isEmpty())
            out.single(2, "SURN", lines.surn);
        if (gedcomNameText(lines, readGedcomName(lines)) != whole)
            out.single(2, "_TEXT", whole);
        if ((gedcomType.isEmpty() ? DefaultNameType : nameTypeOfGedcom(gedcomType)) != type)
            out.single(2, "_TYPE", type);
        const char sex = sexLetter(names.booleanAt(row, NameField::sex), names.booleanAt(row, NameField::sexnotset));
        if (sex != personSex)
            out.single(2, "_SEX", QString(QLatin1Char(sex)));
    }
}

void GedcomIndividual::writeSex(GedcomWriter& out, RowId person) const
{
    const RecordTable& persons = store.persons;
    const char sex = sexLetter(persons.booleanAt(person, PersonField::sex), persons.booleanAt(person, PersonField::sexnotset));
    out.single(1, "SEX", QString(QLatin1Char(sex)));
}

void GedcomIndividual::writeEvents(GedcomWriter& out, RowId person, const GedcomPersonRows& rows) const
{
    const RecordTable& persons = store.persons;
    const RecordTable& table = store.events;
    const RecordTable& participants = store.participants;
    std::vector<bool> written(rows.events.size(), false);
    // The first BIRT and DEAT give the person's own fields: the event that says
    // the same goes there, or else a BIRT that is no event.
    const struct {
        const char* tag;
        int dateField, placeField;
    } vitals[] = {{"BIRT", PersonField::birth_date, PersonField::birth_place},
                  {"DEAT", PersonField::death_date, PersonField::death_place}};
    for (const auto& vital : vitals) {
        const EventKind* kind = individualEvent(QString::fromLatin1(vital.tag));
        const QString date = persons.stringAt(person, vital.dateField);
        const QString place = persons.stringAt(person, vital.placeField);
        bool done = false;
        for (std::size_t i = 0; i < rows.events.size() && !done; ++i) {
            const GedcomEventRows& e = events[std::size_t(rows.events[i])];
            if (written[i] || table.stringAt(e.event, EventField::type) != kind->type
                || participants.stringAt(e.participations.front(), ParticipantField::function) != kind->role
                || table.stringAt(e.event, EventField::date) != date || table.stringAt(e.event, EventField::place) != place)
                continue;
            writeEvent(out, e, vital.tag, false);
            written[i] = done = true;
        }
        if (done || (date.isEmpty() && place.isEmpty()))
            continue;
        out.tag(1, vital.tag);
        if (!date.isEmpty())
            writeDate(out, 2, date);
        if (!place.isEmpty())
            out.single(2, "PLAC", place);
        out.single(2, "_NOEVENT", QStringLiteral("Y"));
    }
    for (std::size_t i = 0; i < rows.events.size(); ++i) {
        if (written[i])
            continue;
        const GedcomEventRows& e = events[std::size_t(rows.events[i])];
        const EventKind* kind = eventKindOfType(table.stringAt(e.event, EventField::type));
        // A birth or death beside the person's own goes as EVEN, so that it does not give the fields.
        const bool own = kind && !kind->family && kind->type != individualEvent(u"BIRT")->type
                         && kind->type != individualEvent(u"DEAT")->type;
        writeEvent(out, e, own ? kind->tag : "EVEN", !own);
    }
}

void GedcomIndividual::writeEvent(GedcomWriter& out, const GedcomEventRows& e, const char* tag, bool typed) const
{
    const RecordTable& table = store.events;
    const RecordTable& participants = store.participants;
    out.tag(1, tag);
    const QString type = table.stringAt(e.event, EventField::type);
    if (typed && !type.isEmpty())
        out.single(2, "TYPE", type);
    const QString date = table.stringAt(e.event, EventField::date);
    if (!date.isEmpty())
        writeDate(out, 2, date);
    const QString place = table.stringAt(e.event, EventField::place);
    if (!place.isEmpty())
        out.single(2, "PLAC", place);
    const QString defaultRole = individualEvent(QString::fromLatin1(tag))->role;
    const QString role = participants.stringAt(e.participations.front(), ParticipantField::function);
    if (role != defaultRole)
        out.single(2, "_ROLE", role);
    for (std::size_t i = 1; i < e.participations.size(); ++i) {
        const RowId other = e.participations[i];
        out.pointer(2, "_PART", 'I', ordinalOf(participants.integerAt(other, ParticipantField::owner)));
        const QString otherRole = participants.stringAt(other, ParticipantField::function);
        if (otherRole != Role::Unknown)
            out.single(3, "_ROLE", otherRole);
    }
}

void GedcomIndividual::writeNotes(GedcomWriter& out, const GedcomPersonRows& rows) const
{
    const RecordTable& notes = store.notes;
    for (RowId row : rows.notes) {
        const QString header = notes.stringAt(row, NoteField::header);
        const QString data = notes.stringAt(row, NoteField::data);
        if (!notes.booleanAt(row, NoteField::OwnerType)) {
            out.tag(1, "OBJE");
            out.single(2, "FILE", data);
            const QString format = mediaFormat(data);
            if (!format.isEmpty())
                out.single(3, "FORM", format);
            if (!header.isEmpty())
                out.single(3, "TITL", header);
            continue;
        }
        const AttributeKind* attribute = attributeOfTitle(header);
        if (attribute && !data.isEmpty() && gedcomValueAsRead(data) == data) {
            out.single(1, attribute->tag, data);
            continue;
        }
        out.text(1, "NOTE", data);
        if (header != noteTitle)
            out.single(2, "_TITL", header);
    }
}
