#pragma once
#include "diagram/DiagramScroll.h"
#include "diagram/DiagramSettings.h"
#include "diagram/LegendPictures.h"
#include "export/DiagramChart.h"
#include "store/GenealogyStore.h"

#include <QStringList>
#include <cstdio>
#include <optional>

struct CommandLine;

// What the batch steps share while they run in order without any window.
class BatchSession {
public:
    BatchSession(std::FILE* output, std::FILE* errors);

    void print(const QString& text) const;
    void printError(const QString& text) const;

    // The legend pictures, read from the picture folder at first use.
    const LegendPictures& pictures();
    // The whole diagram as the exports draw it, with the session's settings.
    DiagramChart chart();
    // Tells that a step which builds or draws is skipped after a --root that named nobody.
    bool skippedForMissingRoot(const char* step) const;

    GenealogyStore store;
    // The image properties dialog's settings, as at start-up until a tree file brings its own.
    DiagramSettings settings;
    QFont font;
    PlainScroll scroll;  // the diagram's scroll box, without a window
    // A --root that named nobody: later steps that build or draw would act on
    // whoever happens to be current, so they are skipped.
    bool rootMissing = false;
    std::FILE* output;
    std::FILE* errors;

private:
    std::optional<LegendPictures> pictures_;
};

// "--import FILE": imports as the menu command does.
bool runImportStep(BatchSession& session, const QStringList& values);
// "--export-gedcom FILE.ged": the whole tree as a GEDCOM file, as "Экспорт" ▸ "Gedcom" writes it.
bool runExportGedcomStep(BatchSession& session, const QStringList& values);
// "--dump TABLE": prints a table as tab-separated text.
bool runDumpStep(BatchSession& session, const QStringList& values);
// "--units H,V": the diagram units, as the image properties dialog would take them.
bool runUnitsStep(BatchSession& session, const QStringList& values);
// "--root NUM": makes this person the persons table's current record.
bool runRootStep(BatchSession& session, const QStringList& values);
// "--build KIND": the build menu's command of that kind on the current person.
bool runBuildStep(BatchSession& session, const QStringList& values);
// "--export-bitmap FILE": the clipboard's one-bit bitmap of the whole diagram, as a BMP file.
bool runExportBitmapStep(BatchSession& session, const QStringList& values);
// "--export-image FILE": the whole diagram as a PNG, SVG or PDF file, by the suffix.
bool runExportImageStep(BatchSession& session, const QStringList& values);
// "--export-register NUM FILE": the generation register of person NUM's descendants, as UTF-8 text.
bool runExportRegisterStep(BatchSession& session, const QStringList& values);

// "--open FILE.arbolitus": replaces the tree by the file's, as "Открыть…" does.
bool runOpenStep(BatchSession& session, const QStringList& values);
// "--save FILE.arbolitus": writes the tree, as "Сохранить как…" does.
bool runSaveStep(BatchSession& session, const QStringList& values);

// Runs the steps in order. Failed steps are told on errors; the others still
// run. Returns the exit status.
int runBatch(const CommandLine& line, std::FILE* output, std::FILE* errors);
