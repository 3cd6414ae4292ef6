// libFuzzer target: any bytes, imported as "Импорт" and "--batch --import" do,
// then every table dumped, so that whatever the import stored is read back;
// then the tree written by GEDCOM out and imported again.
#include "gedcom/GedcomExport.h"
#include "gedcom/GedcomImport.h"
#include "gedcom/WindowlessImportHost.h"
#include "store/TableDump.h"

#include <cstddef>
#include <cstdint>

namespace {

const char* const allTables[] = {"persons", "links",   "events",    "participants", "names",
                                 "notes",   "diagram", "selection", "cardlines",    "cardnames",
                                 "cardevents", "cardcomments", "cardmedia"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    GenealogyStore store;
    WindowlessImportHost host(store);
    GedcomImport import(store, host);
    import.begin();
    import.readData(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), QStringLiteral("fuzz.ged"));
    import.finish();
    for (const char* role : allTables) {
        if (RecordTable* table = store.tableByRole(QString::fromLatin1(role)))
            dumpTable(*table, QString::fromLatin1(role));
    }
    QByteArray written;
    writeGedcom(store, written);
    GenealogyStore again;
    WindowlessImportHost againHost(again);
    GedcomImport reread(again, againHost);
    reread.begin();
    reread.readData(written, QStringLiteral("out.ged"));
    reread.finish();
    return 0;
}
