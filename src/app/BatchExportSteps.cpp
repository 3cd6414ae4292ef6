// The batch steps that write the chart and the register to files, through the
// same writers as the "Экспорт" menu.
#include "app/BatchRun.h"

#include "diagram/DiagramRows.h"
#include "export/ChartFile.h"
#include "export/GenerationRegister.h"

bool runExportImageStep(BatchSession& session, const QStringList& values)
{
    if (session.skippedForMissingRoot("--export-image"))
        return false;
    const ChartFileResult result = writeChartFile(session.chart(), values.value(0));
    leaveAtEnd(session.store.diagram);
    if (!result.written)
        session.printError(result.text);
    return result.written;
}

bool runExportRegisterStep(BatchSession& session, const QStringList& values)
{
    bool isNumber = false;
    const int root = values.value(0).trimmed().toInt(&isNumber);
    if (!isNumber) {
        session.printError(QStringLiteral("Номер персонажа для --export-register не число: %1").arg(values.value(0)));
        return false;
    }
    const RegisterFileResult result = writeGenerationRegister(session.store, root, values.value(1));
    if (!result.written)
        session.printError(result.text);
    return result.written;
}
