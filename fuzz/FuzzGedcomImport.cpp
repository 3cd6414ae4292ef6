// libFuzzer target: any bytes, imported as "Импорт" and "--batch --import" do,
// then every table dumped, so that whatever the import stored is read back.
#include "card/CardBuilder.h"
#include "gedcom/GedcomImport.h"
#include "list/PersonList.h"
#include "store/TableDump.h"

#include <cstddef>
#include <cstdint>

namespace {

// The batch run's host: no window, the list sorted as at start-up, the card filled.
class FuzzHost : public GedcomImportHost {
public:
    explicit FuzzHost(GenealogyStore& store) : store_(store) {}
    void setStatusText(const QString&) override {}
    void progress(qint64, qint64) override {}
    void applyListSort() override { ::applyListSort(store_.persons, SortItem::None); }
    void buildCard(int num) override { fillCardTables(store_, num); }

private:
    GenealogyStore& store_;
};

const char* const allTables[] = {"persons", "links",   "events",    "participants", "names",
                                 "notes",   "diagram", "selection", "cardlines",    "cardnames",
                                 "cardevents", "cardcomments", "cardmedia"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    GenealogyStore store;
    FuzzHost host(store);
    GedcomImport import(store, host);
    import.begin();
    import.readData(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), QStringLiteral("fuzz.ged"));
    import.finish();
    for (const char* role : allTables) {
        if (RecordTable* table = store.tableByRole(QString::fromLatin1(role)))
            dumpTable(*table, QString::fromLatin1(role));
    }
    return 0;
}
