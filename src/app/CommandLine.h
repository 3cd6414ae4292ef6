#pragma once
#include <QString>
#include <QStringList>
#include <vector>

class BatchSession;
using BatchStepRun = bool (*)(BatchSession& session, const QStringList& values);

// One row of the command line: every option is parsed and explained from here,
// so a new batch step is one more row.
struct CommandLineOption {
    enum Kind { Help, Version, Batch, Step, Manual };
    const char* name;
    const char* alias;        // a short twin, or empty
    int valueCount;           // values that follow a step
    const char* valueNames;   // as the help shows them
    const char* help;         // may hold several lines
    Kind kind;
    BatchStepRun run = nullptr;
    // A step that writes a file is skipped once a step that reads the tree has
    // failed: it would write a tree the user did not ask for.
    enum Effect { Other, ReadsTree, WritesFile };
    Effect effect = Other;
};

const std::vector<CommandLineOption>& commandLineOptions();
// The text of --help, made from the table.
QString commandLineHelp();
// The manual page arbolitus.1 (roff), made from the same table; --man prints it.
QString commandLineManual();

// What the arguments ask for. Batch steps keep the order given; a step that
// cannot be read stays in that order as an error, told when it is reached.
struct CommandLine {
    enum Action { ShowHelp, ShowVersion, ShowManual, StartWindow, RunBatch, BadOption };
    struct Step {
        const CommandLineOption* option = nullptr;  // null for an error
        QStringList values;
        QString error;
    };
    Action action = StartWindow;
    QString startFile;  // the tree file or GEDCOM file to open at start-up
    QString badOption;
    std::vector<Step> steps;
};

CommandLine parseCommandLine(const QStringList& arguments);
