#include "gedcom/GedcomExport.h"

#include "gedcom/GedcomFamilies.h"
#include "gedcom/GedcomIndividual.h"
#include "gedcom/NumberIndex.h"
#include "treefile/AtomicFile.h"

#include <QFileInfo>
#include <QHash>
#include <algorithm>

namespace {

std::vector<RowId> rowsByNumber(const RecordTable& persons)
{
    std::vector<RowId> rows;
    rows.reserve(std::size_t(persons.recordCount()));
    for (int p = 0; p < persons.recordCount(); ++p)
        rows.push_back(persons.rowAt(p));
    std::stable_sort(rows.begin(), rows.end(), [&](RowId a, RowId b) {
        return persons.integerAt(a, PersonField::num) < persons.integerAt(b, PersonField::num);
    });
    return rows;
}

// Each number's place among the persons, from 1; a repeated number keeps the last.
std::vector<std::pair<int, std::uint32_t>> placesOf(const RecordTable& persons, const std::vector<RowId>& rows)
{
    std::vector<std::pair<int, std::uint32_t>> places;
    places.reserve(rows.size());
    for (std::size_t k = 0; k < rows.size(); ++k)
        places.emplace_back(persons.integerAt(rows[k], PersonField::num), std::uint32_t(k + 1));
    return places;
}

// The persons rows in ascending number, and each number's place among them.
struct PersonOrder {
    std::vector<RowId> rows;  // rows[k - 1] is the k-th person
    NumberIndex ordinals;

    explicit PersonOrder(const RecordTable& persons)
        : rows(rowsByNumber(persons)), ordinals(placesOf(persons, rows))
    {
    }

    int ordinalOf(int number) const { return int(ordinals.value(number)); }
};

// Appends the rows of a table to the person each names in ownerField.
void collectByOwner(const RecordTable& table, int ownerField, const PersonOrder& order,
                    std::vector<GedcomPersonRows>& rows, std::vector<RowId> GedcomPersonRows::*member)
{
    for (int p = 0; p < table.recordCount(); ++p) {
        const RowId row = table.rowAt(p);
        if (const int k = order.ordinalOf(table.integerAt(row, ownerField)))
            (rows[std::size_t(k)].*member).push_back(row);
    }
}

// Row + 1 of each event id.
NumberIndex eventRowsById(const RecordTable& events)
{
    std::vector<std::pair<int, std::uint32_t>> rows;
    rows.reserve(std::size_t(events.recordCount()));
    for (int p = 0; p < events.recordCount(); ++p) {
        const RowId row = events.rowAt(p);
        rows.emplace_back(events.integerAt(row, EventField::id), row + 1);
    }
    return NumberIndex(rows);
}

// Each event with its participants that are persons of the file, in the
// participants table's order; the first of them writes it.
std::vector<GedcomEventRows> eventRows(const GenealogyStore& store, const PersonOrder& order,
                                       std::vector<GedcomPersonRows>& rows)
{
    const NumberIndex byId = eventRowsById(store.events);
    const RecordTable& participants = store.participants;
    std::vector<GedcomEventRows> events;
    QHash<RowId, int> indexOf;
    for (int p = 0; p < participants.recordCount(); ++p) {
        const RowId row = participants.rowAt(p);
        const std::uint32_t found = byId.value(participants.integerAt(row, ParticipantField::id));
        const int k = order.ordinalOf(participants.integerAt(row, ParticipantField::owner));
        if (!found || !k)
            continue;
        auto at = indexOf.constFind(found - 1);
        if (at == indexOf.cend()) {
            at = indexOf.insert(found - 1, int(events.size()));
            events.push_back({found - 1, {}});
            rows[std::size_t(k)].events.push_back(*at);
        }
        events[std::size_t(*at)].participations.push_back(row);
    }
    return events;
}

std::vector<GedcomPersonRows> personRows(const GenealogyStore& store, const PersonOrder& order,
                                         GedcomFamilies& families)
{
    std::vector<GedcomPersonRows> rows(order.rows.size() + 1);
    collectByOwner(store.names, NameField::owner, order, rows, &GedcomPersonRows::names);
    collectByOwner(store.notes, NoteField::Owner, order, rows, &GedcomPersonRows::notes);
    for (std::size_t k = 1; k < rows.size(); ++k) {
        rows[k].spouseFamilies = std::move(families.asSpouse[k]);
        rows[k].childFamilies = std::move(families.asChild[k]);
    }
    return rows;
}

void writeHeader(GedcomWriter& out)
{
    out.tag(0, "HEAD");
    out.single(1, "SOUR", QStringLiteral("Arbolitus"));
    out.single(2, "VERS", QString::fromUtf8(ARBOLITUS_VERSION));
    out.single(2, "NAME", QStringLiteral("Arbolitus"));
    out.pointer(1, "SUBM", 'U', 1);
    out.tag(1, "GEDC");
    out.single(2, "VERS", QStringLiteral("5.5.1"));
    out.single(2, "FORM", QStringLiteral("LINEAGE-LINKED"));
    out.single(1, "CHAR", QStringLiteral("UTF-8"));
    out.record('U', 1, "SUBM");
    out.single(1, "NAME", QStringLiteral("Arbolitus"));
}

void writeFamily(GedcomWriter& out, int ordinal, const GedcomFamily& family)
{
    out.record('F', ordinal, "FAM");
    if (family.husband)
        out.pointer(1, "HUSB", 'I', family.husband);
    if (family.wife)
        out.pointer(1, "WIFE", 'I', family.wife);
    for (int child : family.children)
        out.pointer(1, "CHIL", 'I', child);
}

} // namespace

GedcomExportCounts writeGedcom(const GenealogyStore& store, QByteArray& out)
{
    const PersonOrder order(store.persons);
    const int count = int(order.rows.size());
    std::vector<bool> male(std::size_t(count) + 1, false);
    for (int k = 1; k <= count; ++k)
        male[std::size_t(k)] = store.persons.booleanAt(order.rows[std::size_t(k - 1)], PersonField::sex);
    GedcomFamilies families =
        groupFamilies(store.links, count, [&](int number) { return order.ordinalOf(number); }, male);
    std::vector<GedcomPersonRows> rows = personRows(store, order, families);
    const std::vector<GedcomEventRows> events = eventRows(store, order, rows);

    GedcomWriter writer(out);
    writeHeader(writer);
    const GedcomIndividual individual{store, events, [&](int number) { return order.ordinalOf(number); }};
    for (int k = 1; k <= count; ++k)
        individual.write(writer, k, order.rows[std::size_t(k - 1)], rows[std::size_t(k)]);
    for (std::size_t f = 0; f < families.families.size(); ++f)
        writeFamily(writer, int(f) + 1, families.families[f]);
    writer.tag(0, "TRLR");
    return {count, int(families.families.size()), families.skippedLinks};
}

std::variant<GedcomExportCounts, QString> exportGedcomFile(const GenealogyStore& store, const QString& path)
{
    QByteArray bytes;
    const GedcomExportCounts counts = writeGedcom(store, bytes);
    if (const std::optional<QString> error = saveBytesAtomically(path, bytes))
        return *error;
    return counts;
}

QString gedcomExportSummary(const GedcomExportCounts& counts, const QString& path)
{
    QString text = QStringLiteral("Древо записано в файл «%1»: персонажей %2, семей %3.")
                       .arg(QFileInfo(path).fileName())
                       .arg(counts.persons)
                       .arg(counts.families);
    const QString skipped = gedcomSkippedLinksText(counts);
    return skipped.isEmpty() ? text : text + QLatin1Char('\n') + skipped;
}

QString gedcomSkippedLinksText(const GedcomExportCounts& counts)
{
    if (counts.skippedLinks == 0)
        return QString();
    return QStringLiteral("Не записано связей: %1 (с персонажами, которых нет в древе, или неизвестного вида).")
        .arg(counts.skippedLinks);
}
