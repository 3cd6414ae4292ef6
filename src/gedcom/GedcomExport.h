#pragma once
#include "store/GenealogyStore.h"

#include <QByteArray>
#include <QString>
#include <variant>

struct GedcomExportCounts {
    int persons = 0;
    int families = 0;
    int skippedLinks = 0;  // links naming a person the tree does not have, or of no known kind
};

// The whole tree as a lineage-linked GEDCOM 5.5.1 file in UTF-8 without a
// byte-order mark. Persons go in ascending number, the k-th as @Ik@, so that
// the import, which numbers them by their place, gives a tree numbered 1…N
// back with its numbers.
GedcomExportCounts writeGedcom(const GenealogyStore& store, QByteArray& out);

// Writes the file under a temporary name and renames it into place; on failure
// the text names the file and the reason, and nothing is left under the name.
std::variant<GedcomExportCounts, QString> exportGedcomFile(const GenealogyStore& store, const QString& path);

// What the user is told after a written file.
QString gedcomExportSummary(const GedcomExportCounts& counts, const QString& path);
// The warning about skipped links; empty when there were none.
QString gedcomSkippedLinksText(const GedcomExportCounts& counts);
