#pragma once
#include "store/GenealogyStore.h"

#include <optional>

// The descendants of one person generation by generation ("Колено I", "Колено II", …),
// every descendant numbered once where the order first reaches them; nothing
// when no person has that number.
struct RegisterText {
    QString text;
    int persons = 0;
};
std::optional<RegisterText> generationRegister(GenealogyStore& store, int root);

struct RegisterFileResult {
    bool written = false;
    QString text;  // the reason when not written; how many persons when written
};

// Writes the register as UTF-8 text under a temporary name and renames it into place.
RegisterFileResult writeGenerationRegister(GenealogyStore& store, int root, const QString& path);
