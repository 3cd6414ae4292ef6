// "Экспорт" ▸ "Gedcom": the whole tree into a GEDCOM file the user names.
#include "export/ui/ExportController.h"

#include "gedcom/GedcomExport.h"
#include "platform/Platform.h"
#include "widgets/MainFrame.h"

void ExportController::Gedcom1Click()
{
    Platform& platform = frame_.platform();
    const std::optional<QString> path = platform.saveFile(QStringLiteral("Экспорт в GEDCOM"),
                                                          QStringLiteral("Файлы GEDCOM (*.ged)"),
                                                          frame_.treeName() + QStringLiteral(".ged"), QStringLiteral("ged"));
    if (!path)
        return;
    const auto result = exportGedcomFile(store_, *path);
    if (const QString* error = std::get_if<QString>(&result))
        platform.showMessage(MainFrame::applicationTitle(), *error);
    else
        platform.showMessage(MainFrame::applicationTitle(), gedcomExportSummary(std::get<GedcomExportCounts>(result), *path));
}
