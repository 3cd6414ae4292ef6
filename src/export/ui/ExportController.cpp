#include "export/ui/ExportController.h"

#include "diagram/DiagramRows.h"
#include "diagram/ui/DiagramController.h"
#include "diagram/ui/DiagramView.h"
#include "export/DiagramBitmap.h"
#include "platform/Platform.h"
#include "store/GenealogyStore.h"
#include "widgets/MainFrame.h"

ExportController::ExportController(GenealogyStore& store, MainFrame& frame, DiagramController& diagram,
                                   QObject* parent)
    : QObject(parent), store_(store), frame_(frame), diagram_(diagram)
{
    setObjectName(QStringLiteral("exportController"));
}

void ExportController::ClipboardBMP1Click()
{
    const QSize ranges(diagram_.ScrollBox1->horzRange(), diagram_.ScrollBox1->vertRange());
    const auto result = renderDiagramBitmap(store_.diagram, diagram_.pictures(), diagram_.diagramSettings(),
                                            diagram_.diagramFont(), ranges);
    leaveAtEnd(store_.diagram);
    if (const QString* error = std::get_if<QString>(&result))
        frame_.platform().showMessage(MainFrame::applicationTitle(), *error);
    else
        frame_.platform().setClipboardImage(std::get<QImage>(result));
}
