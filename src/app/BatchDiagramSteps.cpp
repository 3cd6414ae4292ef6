// The batch steps that build and draw the diagram, through the same routines
// as the build menu and "Clipboard (BMP-1bit)".
#include "app/BatchRun.h"

#include "autotree/TreeBuild.h"
#include "diagram/DiagramRows.h"
#include "diagram/DiagramSettings.h"
#include "diagram/LegendPictures.h"
#include "export/DiagramBitmap.h"

namespace {

constexpr int maxUnit = 100000;  // the image properties dialog's spin edits go no further

std::optional<TreeKind> treeKindNamed(const QString& name)
{
    if (name == QLatin1String("ascending"))
        return TreeKind::Ascending;
    if (name == QLatin1String("descending"))
        return TreeKind::Descending;
    if (name == QLatin1String("twoway"))
        return TreeKind::TwoWay;
    return std::nullopt;
}

} // namespace

bool runUnitsStep(BatchSession& session, const QStringList& values)
{
    const QString text = values.value(0);
    const QStringList parts = text.split(QLatin1Char(','));
    bool hOk = false, vOk = false;
    const int h = parts.value(0).trimmed().toInt(&hOk);
    const int v = parts.value(1).trimmed().toInt(&vOk);
    if (parts.size() != 2 || !hOk || !vOk || h < 1 || v < 1 || h > maxUnit || v > maxUnit) {
        session.printError(QStringLiteral("Неверные единицы диаграммы '%1': нужны два целых числа H,V от 1 до %2, "
                                          "например 85,75")
                               .arg(text)
                               .arg(maxUnit));
        return false;
    }
    session.settings.units = {h, v};
    return true;
}

bool runRootStep(BatchSession& session, const QStringList& values)
{
    const QString text = values.value(0);
    bool isNumber = false;
    const int num = text.trimmed().toInt(&isNumber);
    session.rootMissing = !isNumber || !session.store.persons.locate(PersonField::num, num);
    if (!isNumber)
        session.printError(QStringLiteral("'%1' не является целым числом").arg(text));
    else if (session.rootMissing)
        session.printError(QStringLiteral("Персонаж с номером %1 не найден").arg(num));
    return !session.rootMissing;
}

bool runBuildStep(BatchSession& session, const QStringList& values)
{
    if (session.skippedForMissingRoot("--build"))
        return false;
    const std::optional<TreeKind> kind = treeKindNamed(values.value(0));
    if (!kind) {
        session.printError(QStringLiteral("Неизвестный вид древа: %1 (допустимы: ascending, descending, twoway)")
                               .arg(values.value(0)));
        return false;
    }
    const TreeBuildResult result = BuildTree(*kind, session.store, session.settings.units, session.scroll);
    if (result.refused) {
        session.printError(result.refusal);
        return false;
    }
    if (!result.cycleMessage.isEmpty())
        session.printError(result.cycleMessage);
    return true;
}

bool runExportBitmapStep(BatchSession& session, const QStringList& values)
{
    if (session.skippedForMissingRoot("--export-bitmap"))
        return false;
    const QString path = values.value(0);
    const auto result = renderDiagramBitmap(session.chart());
    leaveAtEnd(session.store.diagram);
    if (const QString* error = std::get_if<QString>(&result)) {
        session.printError(*error);
        return false;
    }
    const auto error = saveBitmapFile(std::get<QImage>(result), path);
    if (error)
        session.printError(*error);
    return !error;
}
