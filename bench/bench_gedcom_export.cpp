// Times GEDCOM out of 100 000 persons with their links, births, deaths and
// weddings, into memory and into a file.
#include "gedcom/GedcomExport.h"

#include "BenchTiming.h"
#include "SyntheticTrees.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// Dates and places on every person, each birth and death also as the event the import would make,
// and a wedding of every fourth person with a neighbour.
void addEvents(GenealogyStore& store)
{
    RecordTable& persons = store.persons;
    int id = 0;
    for (int p = 0; p < persons.recordCount(); ++p) {
        const RowId row = persons.rowAt(p);
        const int n = persons.integerAt(row, PersonField::num);
        const QString birth = QStringLiteral("В %1.%2.%3 ").arg(n % 28 + 1).arg(n % 12 + 1).arg(1700 + n % 300);
        const QString place = QStringLiteral("Село %1").arg(n % 900);
        const QString death = QStringLiteral("ОКОЛО %1 ").arg(1760 + n % 300);
        persons.setCurrentPosition(p);
        persons.edit();
        persons.setValue(PersonField::birth_date, birth);
        persons.setValue(PersonField::birth_place, place);
        persons.setValue(PersonField::death_date, death);
        persons.post();
        store.events.insertRecord({++id, QStringLiteral("Рождение"), birth, place});
        store.participants.insertRecord({id, n, QStringLiteral("Новорожденный")});
        store.events.insertRecord({++id, QStringLiteral("Смерть"), death, QString()});
        store.participants.insertRecord({id, n, QStringLiteral("Умерший")});
        if (n % 4 == 0 && n > 1) {
            store.events.insertRecord({++id, QStringLiteral("Свадьба"), QStringLiteral("1800"), place});
            store.participants.insertRecord({id, n, QStringLiteral("Жених")});
            store.participants.insertRecord({id, n - 1, QStringLiteral("Невеста")});
            store.links.insertRecord({n, n - 1, LinkKind::Spouses});
        }
    }
}

} // namespace

int main()
{
    GenealogyStore store;
    synthetic::fillStore(store);
    addEvents(store);
    std::printf("persons %d, links %d, events %d, participants %d\n", store.persons.recordCount(),
                store.links.recordCount(), store.events.recordCount(), store.participants.recordCount());

    QByteArray bytes;
    GedcomExportCounts counts;
    const double inMemory = averageMs(3, [&] {
        bytes.clear();
        counts = writeGedcom(store, bytes);
    });
    std::printf("GEDCOM out of %d persons and %d families into memory: %.0f ms (%lld bytes)\n", counts.persons,
                counts.families, inMemory, static_cast<long long>(bytes.size()));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tree.ged"));
    const auto start = std::chrono::steady_clock::now();
    const auto result = exportGedcomFile(store, path);
    const double toFile = millisecondsSince(start);
    if (const QString* error = std::get_if<QString>(&result)) {
        std::printf("%s\n", qPrintable(*error));
        return 1;
    }
    std::printf("GEDCOM out of 100 000 persons into a file: %.0f ms (target under 1000 ms), %lld bytes\n", toFile,
                static_cast<long long>(QFileInfo(path).size()));
    return 0;
}
