// The diagram view of the main window: drawing, settings, export.
#include "app/TForm1.h"

#include "platform/Platform.h"
#include "diagram/DiagramLayout.h"
#include "diagram/DiagramPainter.h"
#include "diagram/DiagramRows.h"
#include "diagram/ui/DiagramView.h"
#include "diagram/ui/TForm4.h"
#include "diagram/ui/TOKBottomDlg1.h"
#include "export/DiagramBitmap.h"

#include <QPainter>

void TForm1::buildDiagramView()
{
    ScrollBox1 = new DiagramView(clientArea);
    PaintBox1 = ScrollBox1->viewport();
    ScrollBox1->onPaintRequest = [this] { PaintBox1Paint(); };
    ScrollBox1->onMouseDown = [this](Qt::MouseButton button, QPoint at) { PaintBox1MouseDown(button, at.x(), at.y()); };
    ScrollBox1->onMouseMove = [this](QPoint at) { PaintBox1MouseMove(at.x(), at.y()); };
    ScrollBox1->onMouseUp = [this](Qt::MouseButton button, QPoint at, QPoint global) {
        PaintBox1MouseUp(button, at.x(), at.y(), global);
    };
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(8);
    canvasState.font = font;
    buildDiagramMenus();
}

DiagramSettings TForm1::diagramSettings() const
{
    return windows_.imageProperties ? windows_.imageProperties->settings() : DiagramSettings();
}

DiagramUnits TForm1::diagramUnits() const
{
    return diagramSettings().units;
}

void TForm1::DrawDiagram()
{
    const DiagramSettings settings = diagramSettings();
    QPainter painter(&ScrollBox1->canvas());
    painter.translate(-ScrollBox1->scrollPosition());
    applyCanvas(painter, canvasState);
    if (settings.grid)
        paintGrid(painter, settings.units, ScrollBox1->scrollPosition(), ScrollBox1->size());
    DiagramPass pass;
    pass.visible = ScrollBox1->visibleArea();
    pass.deviceArea = pass.visible;
    pass.selection = &store_.selection;
    paintDiagramRows(painter, store_.diagram, pictures_, settings, canvasState, pass);
    painter.end();
    leaveAtEnd(store_.diagram);
    ScrollBox1->showCanvas();
}

void TForm1::EraseDiagram()
{
    ScrollBox1->canvas().fill(Qt::white);
    ScrollBox1->showCanvas();
}

void TForm1::PaintBox1Paint()
{
    if (paintEnabled)
        DrawDiagram();
}

void TForm1::repaintDiagram()
{
    EraseDiagram();
    PaintBox1Paint();
}

void TForm1::imagePropertiesConfirmed()
{
    if (windows_.navigator && N39->isChecked() && mode_ == DiagramMode)
        windows_.navigator->show();
    const DiagramSettings settings = diagramSettings();
    canvasState.penWidth = settings.lineWidth;
    canvasState.font = windows_.imageProperties->diagramFont();
    if (windows_.imageProperties->CheckBox4->isChecked()) {
        AlignToGrid(store_.diagram, settings.units.h, settings.units.v);
        NormaliseDiagram(store_.diagram, settings.units, *ScrollBox1);
    }
    pictures_.rebuildInverted();
    EraseDiagram();
    DrawDiagram();
}

void TForm1::ClipboardBMP1Click()
{
    const QFont font = windows_.imageProperties ? windows_.imageProperties->diagramFont() : canvasState.font;
    const auto result = renderDiagramBitmap(store_.diagram, pictures_, diagramSettings(), font,
                                            QSize(ScrollBox1->horzRange(), ScrollBox1->vertRange()));
    leaveAtEnd(store_.diagram);
    if (const QString* error = std::get_if<QString>(&result))
        platform_.showMessage(applicationTitle(), *error);
    else
        platform_.setClipboardImage(std::get<QImage>(result));
}
