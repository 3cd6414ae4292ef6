#pragma once
#include "genealogy/NameParts.h"
#include "store/GenealogyStore.h"

#include <optional>

namespace NameText {
inline const QString MainType = QStringLiteral(" Основное");  // the blank sorts it first
inline const QString Alternative = QStringLiteral("Альтернативное");
}

// The items of the name dialog's sex choice.
enum class SexChoice { Unknown = 0, Male = 1, Female = 2 };

// What the name dialog's OK stores.
struct NameEntry {
    QString type;
    NameParts parts;
    SexChoice sex = SexChoice::Male;
};

// The card name that an edit replaces: the main name, or a names-table row.
struct ReplacedName {
    bool isMain = false;
    int nameRow = -1;  // nameRowNumber of the names-table row
};

// The card name row under the cursor, as the name dialog replaces it.
ReplacedName cardNameAt(const RecordTable& cardNames);
SexChoice sexChoiceOf(const RecordTable& cardNames);

// The boxes of the person's main name: straight from the persons row.
NameParts mainNameParts(const RecordTable& persons);

// Stores a name of the person. The main name goes into the persons row, and a
// new main name keeps the former one as an alternative name; any other name
// goes into the names table, replacing the row it was edited from.
void storeName(GenealogyStore& store, int person, const NameEntry& entry, std::optional<ReplacedName> replaced);

// Removes a names-table row; the main name is not there and cannot go.
void removeStoredName(GenealogyStore& store, int person, int nameRow);
