#include "export/ui/ExportController.h"

#include "diagram/DiagramRows.h"
#include "diagram/ui/DiagramController.h"
#include "diagram/ui/DiagramView.h"
#include "export/ChartFile.h"
#include "export/DiagramBitmap.h"
#include "export/GenerationRegister.h"
#include "export/ui/ChartPrint.h"
#include "platform/Platform.h"
#include "store/GenealogyStore.h"
#include "widgets/MainFrame.h"

#include <QActionGroup>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QToolBar>

ExportController::ExportController(GenealogyStore& store, MainFrame& frame, DiagramController& diagram,
                                   QObject* parent)
    : QObject(parent), store_(store), frame_(frame), diagram_(diagram)
{
    setObjectName(QStringLiteral("exportController"));
}

DiagramChart ExportController::chart() const
{
    return {store_.diagram, diagram_.pictures(), diagram_.diagramSettings(), diagram_.diagramFont(),
            QSize(diagram_.ScrollBox1->horzRange(), diagram_.ScrollBox1->vertRange())};
}

void ExportController::tell(const QString& text)
{
    frame_.platform().showMessage(MainFrame::applicationTitle(), text);
}

void ExportController::ClipboardBMP1Click()
{
    const auto result = renderDiagramBitmap(chart());
    leaveAtEnd(store_.diagram);
    if (const QString* error = std::get_if<QString>(&result))
        tell(*error);
    else
        frame_.platform().setClipboardImage(std::get<QImage>(result));
}

void ExportController::Image1Click()
{
    const DiagramChart whole = chart();
    if (auto refusal = whole.emptyRefusal(QStringLiteral("записывать в файл"))) {
        tell(*refusal);
        return;
    }
    const auto path = frame_.platform().saveFile(
        QStringLiteral("Сохранить изображение"),
        QStringLiteral("Рисунок PNG (*.png);;Рисунок SVG (*.svg);;Документ PDF (*.pdf)"),
        frame_.treeName() + QStringLiteral(".png"), QStringLiteral("png"));
    if (!path)
        return;
    const ChartFileResult result = writeChartFile(whole, *path);
    leaveAtEnd(store_.diagram);
    tell(result.text);
}

int ExportController::registerRoot() const
{
    if (frame_.mode() == MainFrame::DiagramMode && store_.selection.recordCount() == 1)
        return store_.selection.integerAt(store_.selection.rowAt(0), SelectionField::owner);
    return store_.persons.asInteger(PersonField::num);
}

void ExportController::txt1Click()
{
    if (store_.persons.isEmpty()) {
        tell(QStringLiteral("Список пуст: не от кого строить роспись"));
        return;
    }
    const int root = registerRoot();
    const auto path = frame_.platform().saveFile(QStringLiteral("Сохранить поколенную роспись"),
                                                 QStringLiteral("Текст (*.txt)"),
                                                 frame_.treeName() + QStringLiteral(".txt"), QStringLiteral("txt"));
    if (!path)
        return;
    tell(writeGenerationRegister(store_, root, *path).text);
}

bool ExportController::canPrint() const
{
    return frame_.mode() == MainFrame::DiagramMode && !store_.diagram.isEmpty();
}

void ExportController::N6Click()
{
    const DiagramChart whole = chart();
    if (!canPrint() || whole.emptyRefusal(QString()))
        return;
    QPrintPreviewDialog dialog(&frame_.platform().printer(), frame_.frameWindow());
    dialog.setWindowTitle(QStringLiteral("Печать"));
    auto* fits = new QActionGroup(&dialog);
    QToolBar* toolbar = dialog.findChild<QToolBar*>();
    toolbar->addSeparator();
    QAction* onePage = toolbar->addAction(QStringLiteral("На одну страницу"));
    QAction* naturalSize = toolbar->addAction(QStringLiteral("В натуральную величину"));
    onePage->setObjectName(QStringLiteral("OnePage"));
    naturalSize->setObjectName(QStringLiteral("NaturalSize"));
    for (QAction* fit : {onePage, naturalSize}) {
        fit->setCheckable(true);
        fits->addAction(fit);
    }
    onePage->setChecked(true);
    connect(fits, &QActionGroup::triggered, dialog.findChild<QPrintPreviewWidget*>(),
            &QPrintPreviewWidget::updatePreview);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* printer) {
        printChart(*printer, whole, naturalSize->isChecked() ? PrintFit::NaturalSize : PrintFit::OnePage);
        leaveAtEnd(store_.diagram);
    });
    frame_.platform().showPrintPreview(dialog);
}
