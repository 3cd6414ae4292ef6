// Prints how long drawing, normalising, aligning, stretching, dragging and the
// bitmap export take on a diagram of 50 000 boxes and 50 000 lines, and what
// the user waits for on a full ascending chart of 262 143 boxes: a scroll
// step, a click, a selection rectangle, a navigator step and its stretch.
#include "platform/LargePages.h"
#include "platform/ScriptedPlatform.h"
#include "app/TForm1.h"
#include "diagram/ui/DiagramController.h"
#include "diagram/DiagramLayout.h"
#include "diagram/DiagramPainter.h"
#include "diagram/DiagramRows.h"
#include "diagram/DiagramScroll.h"
#include "diagram/Stretch.h"
#include "diagram/ui/DiagramView.h"
#include "diagram/ui/TForm4.h"
#include "diagram/ui/TOKBottomDlg1.h"
#include "store/TreeHistory.h"
#include "export/DiagramBitmap.h"

#include "BenchTiming.h"
#include "SyntheticDiagrams.h"

#include <QApplication>
#include <QPainter>
#include <QStandardPaths>
#include <chrono>
#include <cstdio>

namespace {

// Each figure is one user action followed by the repaint it asks for.
void timePedigree(TForm1& form)
{
    GenealogyStore& store = form.store();
    DiagramController& diagram = form.diagram();
    DiagramView& view = *diagram.ScrollBox1;
    {
        // Built as one step, as the window builds it, so that what follows is timed
        // with the history recording as it does for the user.
        const HistoryStep step(store.history, QStringLiteral("построение"));
        store.selection.emptyTable();
        store.diagram.emptyTable();
        synthetic::fillPedigree(store.diagram, 18);
        NormaliseDiagram(store.diagram, diagram.diagramUnits(), view);
    }
    centreScroll(view);
    diagram.repaintDiagram();
    std::printf("-- full ascending chart, %d rows, %d x %d\n", store.diagram.recordCount(), view.horzRange(),
                view.vertRange());
    std::printf("first paint after a change:  %8.2f ms\n", averageMs(1, [&] {
                    NormaliseDiagram(store.diagram, diagram.diagramUnits(), view);
                    diagram.repaintDiagram();
                }));
    std::printf("scroll step repaint:         %8.2f ms\n", averageMs(50, [&](int i) {
                    view.setHorzPosition(view.horzPosition() + (i % 2 ? -8 : 8));
                    diagram.repaintDiagram();
                }));
    // What the same repaint costs when every row is walked, as before the index.
    std::printf("  the same, walking every row: %6.2f ms\n", averageMs(5, [&] {
                    QImage image(view.visibleArea().size(), QImage::Format_RGB32);
                    image.fill(Qt::white);
                    QPainter painter(&image);
                    painter.translate(-view.scrollPosition());
                    DiagramPass pass;
                    pass.visible = pass.deviceArea = view.visibleArea();
                    pass.selection = &store.selection;
                    paintDiagramRows(painter, store.diagram, form.pictures(), diagram.diagramSettings(),
                                     diagram.canvasState, pass);
                }));
    const QPoint middle = view.visibleArea().center();
    std::printf("click on empty space:        %8.2f ms\n", averageMs(50, [&] {
                    diagram.PaintBox1MouseDown(Qt::LeftButton, middle.x(), middle.y() + 7);
                    diagram.PaintBox1MouseUp(Qt::LeftButton, middle.x(), middle.y() + 7);
                }));
    const QRect area = view.visibleArea();
    std::printf("selection rectangle:         %8.2f ms\n", averageMs(20, [&] {
                    diagram.PaintBox1MouseDown(Qt::LeftButton, area.left() + 1, area.top() + 1);
                    diagram.PaintBox1MouseMove(area.right() - 1, area.bottom() - 1);
                    diagram.PaintBox1MouseUp(Qt::LeftButton, area.right() - 1, area.bottom() - 1);
                }));
    std::printf("  %d boxes selected\n", store.selection.recordCount());
    TForm4& navigator = *form.windows().navigator;
    std::printf("navigator step:              %8.2f ms\n", averageMs(20, [&](int i) {
                    if (i % 2)
                        navigator.SpeedButton1Click();
                    else
                        navigator.SpeedButton4Click();
                    diagram.repaintDiagram();
                }));
    std::printf("navigator stretch + and -:   %8.2f ms\n", averageMs(6, [&](int i) {
                    if (i % 2)
                        navigator.SpeedButton7Click();
                    else
                        navigator.SpeedButton6Click();
                }));
    form.diagram().EraseDiagram();
}

} // namespace

int main(int argc, char** argv)
{
    preferLargePagesForTheHeap();  // as the application's start does
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // the window's recovery lock stays out of the user's data
    ScriptedPlatform platform;
    TForm1 form(platform);
    form.createSecondaryWindows();
    form.resize(1900, 1200);
    form.show();
    form.selectTab(TForm1::DiagramMode);
    GenealogyStore& store = form.store();
    DiagramView& view = *form.diagram().ScrollBox1;
    {
        const HistoryStep step(store.history, QStringLiteral("построение"));
        synthetic::fillBoxGrid(store.diagram, 50000, 250);
        NormaliseDiagram(store.diagram, form.diagram().diagramUnits(), view);
    }
    view.setHorzPosition(5000);
    view.setVertPosition(5000);
    std::printf("view %d x %d, %d rows\n", view.clientWidth(), view.clientHeight(), store.diagram.recordCount());

    std::printf("paint of the view:        %8.2f ms\n", averageMs(20, [&] {
                    form.diagram().EraseDiagram();
                    form.diagram().DrawDiagram();
                }));
    std::printf("NormaliseDiagram:         %8.2f ms\n", averageMs(10, [&] {
                    NormaliseDiagram(store.diagram, form.diagram().diagramUnits(), view);
                }));
    std::printf("AlignToGrid:              %8.2f ms\n", averageMs(10, [&] {
                    AlignToGrid(store.diagram, 85, 75);
                }));
    DiagramUnits units = form.diagram().diagramUnits();
    std::printf("one stretch:              %8.2f ms\n", averageMs(4, [&] {
                    const HistoryStep step(store.history, QStringLiteral("растяжение"));
                    stretchDiagram(store.diagram, units, 1.1, 1.1);
                    stretchDiagram(store.diagram, units, 0.9, 0.9);
                }) / 2);

    // 500 selected boxes dragged by the pointer.
    for (int n = 1; n <= 500; ++n)
        store.selection.insertRecord({n, 0, 0, 2});  // the selection is not kept
    {
        const HistoryStep step(store.history, QStringLiteral("перемещение"));  // a drag is one step
        form.diagram().dragging = true;
        int x = 0;
        std::printf("drag step, 500 boxes:     %8.3f ms\n",
                    averageMs(200, [&] { form.diagram().PaintBox1MouseMove(++x % 50, 0); }));
        form.diagram().dragging = false;
    }
    {
        const HistoryStep step(store.history, QStringLiteral("построение"));
        store.selection.emptyTable();
        store.diagram.emptyTable();
        synthetic::fillBoxGrid(store.diagram, 5000, 100);
        NormaliseDiagram(store.diagram, form.diagram().diagramUnits(), view);
    }
    const auto start = std::chrono::steady_clock::now();
    const auto bitmap = renderDiagramBitmap(store.diagram, form.pictures(), form.diagram().diagramSettings(),
                                            form.windows().imageProperties->diagramFont(),
                                            QSize(view.horzRange(), view.vertRange()));
    const double exportMs = millisecondsSince(start);
    const QSize size = std::holds_alternative<QImage>(bitmap) ? std::get<QImage>(bitmap).size() : QSize();
    std::printf("bitmap export, 5000 boxes: %7.1f ms (%d x %d)\n", exportMs, size.width(), size.height());

    timePedigree(form);
    return 0;
}
