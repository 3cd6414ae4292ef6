#pragma once
#include "diagram/DiagramSettings.h"
#include "store/GenealogyStore.h"

#include <QImage>
#include <QString>
#include <memory>
#include <optional>

// What a tree file holds besides the tables: the diagram's settings as the
// image properties dialog shows them, its legend pictures, and the scroll box.
struct TreeFileDiagram {
    DiagramSettings settings;  // captions, style, grid, line width, units
    QString font;              // QFont::toString of the chosen diagram font
    QImage malePicture, femalePicture;
    int horzRange = 0, vertRange = 0, horzPosition = 0, vertPosition = 0;
};

// The kept tables of a tree (not the card's and the dialogs' working tables).
struct TreeFileTable {
    const char* name;               // the SQL table's name
    RecordTable GenealogyStore::*table;
};
const std::vector<TreeFileTable>& treeFileTables();

// Version 2 sums its contents faster; version 1 files still open.
constexpr int treeFileVersion = 2;
// "ARBL" at offset 68 of the file, where file-type databases look for it. Files
// written before it was set hold 0 there and still open.
constexpr int treeFileApplicationId = 0x4152424C;
// Opening reads a file whole; a larger one is no tree this program wrote.
constexpr qint64 maxTreeFileBytes = qint64(1) << 30;
// Creation counters leave room for all the inserts a tree will ever see.
constexpr std::uint64_t maxCreationCounter = std::uint64_t(1) << 62;
// Box positions and the scroll box stay this far from the 32-bit edge, so
// that drawing adds picture sizes, shifts and spans without overflow.
constexpr int maxDiagramCoordinate = 1 << 29;
inline const QString treeFileSuffix = QStringLiteral("arbolitus");

// Writes a complete new file beside the target and renames it over the
// target only when it is whole and on disk. Returns an error text naming the
// file and the reason, or nothing on success.
std::optional<QString> saveTreeFile(const GenealogyStore& store, const TreeFileDiagram& diagram, const QString& path);

// A tree read whole and checked; the held tree is not touched.
struct OpenedTree {
    std::unique_ptr<GenealogyStore> store;
    TreeFileDiagram diagram;
};
// Reads a tree file into a fresh store, or says in Russian why it cannot.
std::variant<OpenedTree, QString> openTreeFile(const QString& path);

// The same checks over the bytes of a file; the reason alone on refusal.
std::variant<OpenedTree, QString> openTreeFileBytes(QByteArray bytes);

// The checksum of what a file holds, as opening computes it; empty when it cannot be read.
QString treeFileContentChecksum(const QString& path);

// Moves the opened tables into the held store, row for row.
void replaceStoreTables(GenealogyStore& held, GenealogyStore& opened);
