#pragma once
#include "store/GenealogyStore.h"

// Six characters each, so that the colons line up in the card lines grid.
namespace CardLabel {
inline const QString Father = QStringLiteral("ОТЕЦ: ");
inline const QString Mother = QStringLiteral("МАТЬ: ");
inline const QString Son = QStringLiteral(" СЫН: ");
inline const QString Daughter = QStringLiteral("ДОЧЬ: ");
inline const QString Husband = QStringLiteral(" МУЖ: ");
inline const QString Wife = QStringLiteral("ЖЕНА: ");
}

// Codes of the card lines' type field.
namespace CardLineKind {
constexpr int Parent = 1;
constexpr int Child = 2;
constexpr int Spouse = 3;
}

// Refills the five card tables from the store for person p. Returns false,
// touching nothing but the persons cursor, when no person has that number.
// On success the persons table stands on p and its filter is off.
bool fillCardTables(GenealogyStore& store, int p);

// Display text of a card line: its label, a blank and the relative's given name.
QString cardLineText(const RecordTable& cardLines, RowId row);
