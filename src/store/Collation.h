#pragma once
#include <QString>
#include <vector>

// Russian alphabetical order, with or without regard to letter case.
int compareRussian(const QString& a, const QString& b, bool caseInsensitive);

// For each text, its rank in Russian alphabetical order: equal texts (under the
// chosen case rule) share a rank, and a < b exactly when rank(a) < rank(b).
// Precomputed keys make sorting many rows cheap.
std::vector<int> rankRussian(const std::vector<const QString*>& texts, bool caseInsensitive);
