#pragma once
#include "store/GenealogyStore.h"

#include <QStringList>
#include <cstdio>

struct CommandLine;

// What the batch steps share while they run in order without any window.
class BatchSession {
public:
    BatchSession(std::FILE* output, std::FILE* errors) : output(output), errors(errors) {}

    void print(const QString& text) const;
    void printError(const QString& text) const;

    GenealogyStore store;
    std::FILE* output;
    std::FILE* errors;
};

// "--import FILE": imports as the menu command does.
bool runImportStep(BatchSession& session, const QStringList& values);
// "--dump TABLE": prints a table as tab-separated text.
bool runDumpStep(BatchSession& session, const QStringList& values);

// Runs the steps in order. Failed steps are told on errors; the others still
// run. Returns the exit status.
int runBatch(const CommandLine& line, std::FILE* output, std::FILE* errors);
