// Prints what the undo history costs on large trees: the memory of 100
// ordinary edits on a 100 000-person tree, the time of undoing and redoing
// them, of a 100 000-person import and of a build of more than 10 000 boxes.
#include "autotree/TreeBuild.h"
#include "diagram/DiagramScroll.h"
#include "dialogs/EventEntry.h"
#include "dialogs/NameEntry.h"
#include "card/Notes.h"
#include "gedcom/GedcomImport.h"
#include "gedcom/WindowlessImportHost.h"
#include "list/PersonList.h"
#include "store/GenealogyStore.h"

#include "BenchTiming.h"
#include "SyntheticTrees.h"

#include <QBuffer>
#include <QCoreApplication>
#include <cstdio>
#include <sys/resource.h>

namespace {

long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

QByteArray gedcomOf(bool pedigree, int persons)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (pedigree)
        synthetic::writePedigreeGedcom(buffer, persons);
    else
        synthetic::writeRichGedcom(buffer, persons, persons * 2 / 5);
    return buffer.data();
}

void import(GenealogyStore& store, const QByteArray& file)
{
    const HistoryStep step(store.history, QStringLiteral("импорт"));
    WindowlessImportHost host(store);
    GedcomImport gedcom(store, host);
    gedcom.begin();
    gedcom.readData(file, QStringLiteral("bench.ged"));
    gedcom.finish();
}

// One of five everyday edits of the person at the list's cursor.
void ordinaryEdit(GenealogyStore& store, int i)
{
    const int person = store.persons.asInteger(PersonField::num);
    const HistoryStep step(store.history, QStringLiteral("правка"));
    switch (i % 5) {
    case 0:
        insertNewPerson(store.persons);
        applyListSort(store.persons, SortItem::FamilyName);
        break;
    case 1:
        storeName(store, person, {NameText::Alternative, {QStringLiteral("Новиков"), QStringLiteral("Иван"), {}}, SexChoice::Male},
                  std::nullopt);
        break;
    case 2:
        saveEvent(store, {false, 0, person, EventText::Birth, QStringLiteral("1901"), QStringLiteral("Казань")});
        break;
    case 3:
        storeComment(store, person, QStringLiteral("Заметка"), QStringLiteral("Со слов бабушки"));
        break;
    default:
        deletePersonEverywhere(store, person);
        break;
    }
}

void undoAll(GenealogyStore& store, int steps)
{
    for (int i = 0; i < steps; ++i)
        store.history.undo();
}

void redoAll(GenealogyStore& store, int steps)
{
    for (int i = 0; i < steps; ++i)
        store.history.redo();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    {
        GenealogyStore store;
        store.history.setEnabled(true);
        const QByteArray file = gedcomOf(false, 100000);
        auto start = std::chrono::steady_clock::now();
        import(store, file);
        std::printf("import of 100 000 persons, recorded        %8.0f ms, history %6.1f MB, peak %ld MB\n",
                    millisecondsSince(start), store.history.bytes() / 1048576.0, peakMegabytes());
        start = std::chrono::steady_clock::now();
        store.history.undo();
        std::printf("undo of that import                        %8.0f ms   goal < 200 ms (persons left: %d)\n",
                    millisecondsSince(start), store.persons.recordCount());
        start = std::chrono::steady_clock::now();
        store.history.redo();
        std::printf("redo of that import                        %8.0f ms   goal < 200 ms (persons: %d)\n",
                    millisecondsSince(start), store.persons.recordCount());

        const std::size_t before = store.history.bytes();
        const long peakBefore = peakMegabytes();
        start = std::chrono::steady_clock::now();
        double byKind[5] = {};
        for (int i = 0; i < 100; ++i) {
            store.persons.setCurrentPosition((i * 7919) % store.persons.recordCount());
            const std::size_t was = store.history.bytes();
            ordinaryEdit(store, i);
            byKind[i % 5] += double(store.history.bytes() - was) / 20 / 1024;
        }
        std::printf("  an edit's step: add %.1f KB, name %.1f KB, event %.1f KB, comment %.1f KB, delete %.1f KB\n",
                    byKind[0], byKind[1], byKind[2], byKind[3], byKind[4]);
        const double editMs = millisecondsSince(start) / 100;
        std::printf("100 ordinary edits add to the history      %8.2f MB   goal < 10 MB (%.2f ms an edit, peak +%ld MB)\n",
                    (store.history.bytes() - before) / 1048576.0, editMs, peakMegabytes() - peakBefore);
        const double undoMs = averageMs(1, [&] { undoAll(store, 100); }) / 100;
        const double redoMs = averageMs(1, [&] { redoAll(store, 100); }) / 100;
        std::printf("undo / redo of an ordinary edit            %8.2f / %.2f ms   goal < 16 ms\n", undoMs, redoMs);
    }
    {
        GenealogyStore store;
        store.history.setEnabled(true);
        import(store, gedcomOf(true, 16383));
        PlainScroll scroll(800, 600);
        store.persons.locate(PersonField::num, 1);
        auto start = std::chrono::steady_clock::now();
        {
            const HistoryStep step(store.history, QStringLiteral("построение"));
            BuildTree(TreeKind::Ascending, store, DiagramUnits{}, scroll);
        }
        std::printf("ascending build of %d diagram rows, recorded %6.0f ms\n", store.diagram.recordCount(),
                    millisecondsSince(start));
        start = std::chrono::steady_clock::now();
        store.history.undo();
        std::printf("undo of that build                         %8.0f ms   goal < 200 ms (rows left: %d)\n",
                    millisecondsSince(start), store.diagram.recordCount());
        start = std::chrono::steady_clock::now();
        store.history.redo();
        std::printf("redo of that build                         %8.0f ms   goal < 200 ms (rows: %d)\n",
                    millisecondsSince(start), store.diagram.recordCount());
    }
    std::printf("peak resident memory                       %8ld MB\n", peakMegabytes());
    return 0;
}
