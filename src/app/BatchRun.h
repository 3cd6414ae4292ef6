#pragma once
#include <QStringList>
#include <cstdio>

// Runs "--batch" steps in order without any window: "--import FILE" imports
// as the menu command does, "--dump TABLE" prints a table. Failed steps are
// reported on errors; the others still run. Returns the exit status.
int runBatch(const QStringList& arguments, std::FILE* output, std::FILE* errors);
