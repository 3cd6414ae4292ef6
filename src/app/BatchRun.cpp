#include "app/BatchRun.h"

#include "app/CommandLine.h"
#include "gedcom/GedcomExport.h"
#include "gedcom/GedcomImport.h"
#include "gedcom/WindowlessImportHost.h"
#include "store/TableDump.h"

namespace {

const QStringList dumpableTables = {"persons", "links", "events", "participants",
                                    "names",   "notes", "diagram", "selection"};

void write(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
}

} // namespace

BatchSession::BatchSession(std::FILE* output, std::FILE* errors)
    : font(initialDiagramFont()), output(output), errors(errors)
{
}

const LegendPictures& BatchSession::pictures()
{
    if (!pictures_) {
        pictures_.emplace();
        const QStringList missing = pictures_->loadFrom(pictureFolder());
        if (!missing.isEmpty())
            printError(QStringLiteral("Не удалось прочитать файлы рисунков, вместо них взяты встроенные: %1")
                           .arg(missing.join(QStringLiteral(", "))));
    }
    return *pictures_;
}

DiagramChart BatchSession::chart()
{
    return {store.diagram, pictures(), settings, font, QSize(scroll.horzRange(), scroll.vertRange())};
}

bool BatchSession::skippedForMissingRoot(const char* step) const
{
    if (rootMissing)
        printError(QStringLiteral("Шаг %1 пропущен: персонаж из --root не найден").arg(QLatin1String(step)));
    return rootMissing;
}

void BatchSession::print(const QString& text) const
{
    write(output, text);
}

void BatchSession::printError(const QString& text) const
{
    write(errors, text + QLatin1Char('\n'));
}

bool runImportStep(BatchSession& session, const QStringList& values)
{
    WindowlessImportHost host(session.store);
    GedcomImport import(session.store, host);
    import.begin();
    const bool ok = import.readFile(values.value(0));
    import.finish();
    if (!ok)
        session.printError(import.errorText());
    const QString summary = import.summaryText();
    if (!summary.isEmpty())
        session.printError(summary);
    return ok;
}

bool runExportGedcomStep(BatchSession& session, const QStringList& values)
{
    const auto result = exportGedcomFile(session.store, values.value(0));
    if (const QString* error = std::get_if<QString>(&result)) {
        session.printError(*error);
        return false;
    }
    // The file is written; links it could not hold are worth a warning, not a failure.
    const QString skipped = gedcomSkippedLinksText(std::get<GedcomExportCounts>(result));
    if (!skipped.isEmpty())
        session.printError(skipped);
    return true;
}

bool runDumpStep(BatchSession& session, const QStringList& values)
{
    const QString name = values.value(0);
    RecordTable* table = dumpableTables.contains(name) ? session.store.tableByRole(name) : nullptr;
    if (!table) {
        session.printError(
            QStringLiteral("Неизвестная таблица: %1 (допустимы: %2)").arg(name, dumpableTables.join(", ")));
        return false;
    }
    session.print(dumpTable(*table, name));
    return true;
}

int runBatch(const CommandLine& line, std::FILE* output, std::FILE* errors)
{
    BatchSession session(output, errors);
    bool failed = false;
    bool readFailed = false;
    for (const CommandLine::Step& step : line.steps) {
        if (!step.option) {
            session.printError(step.error);
            failed = true;
            continue;
        }
        if (readFailed && step.option->effect == CommandLineOption::WritesFile) {
            session.printError(QStringLiteral("Шаг %1 пропущен: древо не было прочитано целиком")
                                   .arg(QLatin1String(step.option->name)));
            failed = true;
            continue;
        }
        const bool ok = step.option->run(session, step.values);
        readFailed = readFailed || (!ok && step.option->effect == CommandLineOption::ReadsTree);
        failed = !ok || failed;
    }
    std::fflush(output);
    return failed ? 1 : 0;
}
