// Prints how long saving and opening a tree file take, and how large the file
// is, for 100 000 persons with their links, events, participants, names and a
// diagram of 10 000 boxes.
#include "treefile/RecoveryCopy.h"
#include "treefile/TreeFile.h"

#include "BenchTiming.h"
#include "SyntheticTrees.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>

namespace {

void addEventsNamesAndDiagram(GenealogyStore& store)
{
    for (int n = 1; n <= 100000; ++n) {
        store.events.insertRecord({n, QStringLiteral("Рождение"), QStringLiteral("ОКОЛО %1 ").arg(1700 + n % 300),
                                   QStringLiteral("Город %1").arg(n % 977)});
        store.participants.insertRecord({n, n, QStringLiteral("Новорожденный")});
        if (n % 4 == 0)
            store.names.insertRecord({QStringLiteral("Альтернативное"), true, QStringLiteral("Имя Отчество /Фамилия/"), n, false});
    }
    for (int b = 0; b < 10000; ++b) {
        store.diagram.insertRecord({2 - b % 2, 850 + 85 * (b % 400), 750 + 75 * (b / 400), QStringLiteral("Фамилия%1").arg(b),
                                    QStringLiteral("Имя Отчество"), b + 1, false});
        store.diagram.insertRecord({3, b + 1, b + 2, QString(), QString(), -1, false});
    }
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    GenealogyStore store;
    synthetic::fillStore(store);
    addEventsNamesAndDiagram(store);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("большое.arbolitus"));
    TreeFileDiagram diagram;
    diagram.malePicture = QImage(18, 18, QImage::Format_RGB32);
    diagram.femalePicture = diagram.malePicture;
    std::optional<QString> error;
    const double saveMs = averageMs(3, [&] { error = saveTreeFile(store, diagram, path); });
    if (error) {
        std::printf("save failed: %s\n", error->toUtf8().constData());
        return 1;
    }
    std::printf("save of %d persons, %d links, %d events, %d diagram rows: %8.1f ms\n", store.persons.recordCount(),
                store.links.recordCount(), store.events.recordCount(), store.diagram.recordCount(), saveMs);
    std::printf("file size: %.1f MB\n", double(QFileInfo(path).size()) / 1e6);
    bool opened = false;
    const double openMs = averageMs(3, [&] { opened = std::holds_alternative<OpenedTree>(openTreeFile(path)); });
    std::printf("open: %8.1f ms%s\n", openMs, opened ? "" : " (refused!)");
    GenealogyStore held;
    auto tree = openTreeFile(path);
    const double replaceMs = averageMs(1, [&] { replaceStoreTables(held, *std::get<OpenedTree>(tree).store); });
    std::printf("replacing the held tables: %8.1f ms\n", replaceMs);
    for (const TreeFileTable& t : treeFileTables()) {
        GenealogyStore copy;
        const double copyMs = averageMs(1, [&] { (copy.*t.table).copyContentsOf(held.*t.table); });
        std::printf("  snapshot of %-12s %7d rows: %6.1f ms\n", t.name, (held.*t.table).recordCount(), copyMs);
    }
    QStandardPaths::setTestModeEnabled(true);
    RecoveryCopy recovery;
    const double freezeMs = averageMs(1, [&] { recovery.write(held, diagram, path); });
    const double writeMs = averageMs(1, [&] { recovery.finishWriting(); });
    std::printf("recovery copy: window waits %8.1f ms, the writer thread then %8.1f ms more\n", freezeMs, writeMs);
    recovery.remove();
    return 0;
}
