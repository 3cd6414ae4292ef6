#include "gedcom/GedcomStoreWriter.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int personText = 20;
constexpr int personDate = 40;
constexpr int eventType = 50;
constexpr int eventDate = 29;
constexpr int eventPlace = 100;
constexpr int roleSize = 100;
constexpr int nameType = 20;
constexpr int nameText = 250;
constexpr int noteHeader = 20;
constexpr qint64 largest = std::numeric_limits<int>::max();

int highest(const RecordTable& table, int field, int none)
{
    int high = none;
    for (int p = 0; p < table.recordCount(); ++p)
        high = std::max(high, table.integerAt(table.rowAt(p), field));
    return high;
}

QString numbersRunOut(const char* what, qint64 highestNow)
{
    return QStringLiteral("Импорт не выполнен: %1 в древе доходят до %2, и записям файла не хватит номеров "
                          "(наибольший возможный номер %3)")
        .arg(QString::fromUtf8(what))
        .arg(highestNow)
        .arg(largest);
}

} // namespace

QString cutToField(const QString& text, int size)
{
    if (text.size() <= size)
        return text;
    qsizetype cut = size;
    if (cut > 0 && text[cut - 1].isHighSurrogate())
        --cut;
    return text.left(cut);
}

GedcomStoreWriter::GedcomStoreWriter(GenealogyStore& store, GedcomSummary& summary)
    : store_(store), summary_(summary)
{
}

void GedcomStoreWriter::start()
{
    lastEvent_ = highest(store_.events, EventField::id, 0);
    lastNote_ = store_.notes.isEmpty() ? -1 : highest(store_.notes, NoteField::num, 0);
}

QString GedcomStoreWriter::overflow(int importBase, qint64 persons, qint64 recordsAtMost) const
{
    if (importBase + persons > largest)
        return numbersRunOut("номера персонажей", importBase);
    if (lastEvent_ + recordsAtMost > largest)
        return numbersRunOut("номера событий", lastEvent_);
    if (lastNote_ + recordsAtMost > largest)
        return numbersRunOut("номера комментариев и медиафайлов", lastNote_);
    return QString();
}

QString GedcomStoreWriter::fit(const QString& text, int size)
{
    if (text.size() <= size)
        return text;
    ++summary_.cutValues;
    return cutToField(text, size);
}

void GedcomStoreWriter::person(const GedcomPersonRow& r)
{
    const bool male = r.sex == GedcomSex::Male;
    const FieldValue unknown = r.sex == GedcomSex::Unknown ? FieldValue(true) : FieldValue();
    store_.persons.insertRecord({r.number, fit(r.parts.fam, personText), fit(r.parts.name, personText),
                                 fit(r.parts.surname, personText), QString(), male, fit(r.birthDate, personDate),
                                 fit(r.birthPlace, personDate), fit(r.deathDate, personDate),
                                 fit(r.deathPlace, personDate), unknown});
    ++summary_.persons;
}

int GedcomStoreWriter::event(const QString& type, const QString& date, const QString& place)
{
    const int id = ++lastEvent_;
    store_.events.insertRecord({id, fit(type, eventType), fit(date, eventDate), fit(place, eventPlace)});
    ++summary_.events;
    return id;
}

void GedcomStoreWriter::participant(int event, int person, const QString& role)
{
    store_.participants.insertRecord({event, person, fit(role, roleSize)});
}

void GedcomStoreWriter::link(int id1, int id2, int kind)
{
    store_.links.insertRecord({id1, id2, kind});
    ++summary_.links;
}

void GedcomStoreWriter::name(int person, const QString& type, const QString& text, GedcomSex sex)
{
    const bool unknown = sex == GedcomSex::Unknown;
    const FieldValue male = unknown ? FieldValue() : FieldValue(sex == GedcomSex::Male);
    store_.names.insertRecord({fit(type, nameType), male, fit(text, nameText), person, unknown});
    ++summary_.names;
}

void GedcomStoreWriter::comment(int person, const QString& title, const QString& text)
{
    store_.notes.insertRecord({person, true, fit(title, noteHeader), text, ++lastNote_});
    ++summary_.comments;
}

void GedcomStoreWriter::media(int person, const QString& title, const QString& path)
{
    store_.notes.insertRecord({person, false, fit(title, noteHeader), path, ++lastNote_});
    ++summary_.media;
}
