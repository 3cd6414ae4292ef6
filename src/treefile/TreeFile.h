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

constexpr int treeFileVersion = 1;
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

// The checksum of what a file holds, as opening computes it; empty when it cannot be read.
QString treeFileContentChecksum(const QString& path);

// Moves the opened tables into the held store, row for row.
void replaceStoreTables(GenealogyStore& held, GenealogyStore& opened);
