#include "treefile/TreeFile.h"

const std::vector<TreeFileTable>& treeFileTables()
{
    static const std::vector<TreeFileTable> tables = {
        {"persons", &GenealogyStore::persons},           {"links", &GenealogyStore::links},
        {"events", &GenealogyStore::events},             {"participants", &GenealogyStore::participants},
        {"names", &GenealogyStore::names},               {"notes", &GenealogyStore::notes},
        {"diagram", &GenealogyStore::diagram},
    };
    return tables;
}

void replaceStoreTables(GenealogyStore& held, GenealogyStore& opened)
{
    for (const TreeFileTable& t : treeFileTables()) {
        (held.*t.table).takeContentsOf(opened.*t.table);
    }
}
