#include "app/BatchRun.h"

#include "card/CardBuilder.h"
#include "gedcom/GedcomImport.h"
#include "list/PersonList.h"
#include "store/TableDump.h"

namespace {

const QStringList dumpableTables = {"persons", "links", "events", "participants",
                                    "names",   "notes", "diagram", "selection"};

// The window's part of an import, as it stands at start-up: no sort item chosen.
class BatchImportHost : public GedcomImportHost {
public:
    explicit BatchImportHost(GenealogyStore& store) : store_(store) {}
    void setStatusText(const QString&) override {}
    void progress(qint64, qint64) override {}
    void applyListSort() override { ::applyListSort(store_.persons, SortItem::None); }
    void buildCard(int num) override { fillCardTables(store_, num); }

private:
    GenealogyStore& store_;
};

void print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
}

bool importStep(GenealogyStore& store, const QString& path, std::FILE* errors)
{
    BatchImportHost host(store);
    GedcomImport import(store, host);
    import.begin();
    const bool ok = import.readFile(path);
    import.finish();
    if (!ok)
        print(errors, import.errorText() + QLatin1Char('\n'));
    return ok;
}

bool dumpStep(GenealogyStore& store, const QString& name, std::FILE* output, std::FILE* errors)
{
    RecordTable* table = dumpableTables.contains(name) ? store.tableByRole(name) : nullptr;
    if (!table) {
        print(errors, QStringLiteral("Неизвестная таблица: %1 (допустимы: %2)\n").arg(name, dumpableTables.join(", ")));
        return false;
    }
    print(output, dumpTable(*table, name));
    return true;
}

} // namespace

int runBatch(const QStringList& arguments, std::FILE* output, std::FILE* errors)
{
    GenealogyStore store;
    bool failed = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        if (option == QLatin1String("--batch"))
            continue;
        const bool takesValue = option == QLatin1String("--import") || option == QLatin1String("--dump");
        if (!takesValue) {
            print(errors, QStringLiteral("Неизвестный параметр: %1\n").arg(option));
            failed = true;
            continue;
        }
        if (i + 1 >= arguments.size()) {
            print(errors, QStringLiteral("После %1 не указано значение\n").arg(option));
            failed = true;
            break;
        }
        const QString value = arguments[++i];
        const bool ok = option == QLatin1String("--import") ? importStep(store, value, errors)
                                                            : dumpStep(store, value, output, errors);
        failed = failed || !ok;
    }
    std::fflush(output);
    return failed ? 1 : 0;
}
