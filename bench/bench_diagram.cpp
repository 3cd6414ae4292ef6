// Prints how long drawing, normalising, aligning, stretching, dragging and the
// bitmap export take on a diagram of 50 000 boxes and 50 000 lines.
#include "platform/ScriptedPlatform.h"
#include "app/TForm1.h"
#include "diagram/ui/DiagramController.h"
#include "diagram/DiagramLayout.h"
#include "diagram/DiagramRows.h"
#include "diagram/Stretch.h"
#include "diagram/ui/DiagramView.h"
#include "diagram/ui/TOKBottomDlg1.h"
#include "export/DiagramBitmap.h"

#include "BenchTiming.h"
#include "SyntheticDiagrams.h"

#include <QApplication>
#include <QStandardPaths>
#include <chrono>
#include <cstdio>

int main(int argc, char** argv)
{
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
    synthetic::fillBoxGrid(store.diagram, 50000, 250);
    DiagramView& view = *form.diagram().ScrollBox1;
    NormaliseDiagram(store.diagram, form.diagram().diagramUnits(), view);
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
                    stretchDiagram(store.diagram, units, 1.1, 1.1);
                    stretchDiagram(store.diagram, units, 0.9, 0.9);
                }) / 2);

    // 500 selected boxes dragged by the pointer.
    for (int n = 1; n <= 500; ++n)
        store.selection.insertRecord({n, 0, 0, 2});
    form.diagram().dragging = true;
    int x = 0;
    std::printf("drag step, 500 boxes:     %8.3f ms\n", averageMs(200, [&] { form.diagram().PaintBox1MouseMove(++x % 50, 0); }));
    form.diagram().dragging = false;

    store.diagram.emptyTable();
    synthetic::fillBoxGrid(store.diagram, 5000, 100);
    NormaliseDiagram(store.diagram, form.diagram().diagramUnits(), view);
    const auto start = std::chrono::steady_clock::now();
    const auto bitmap = renderDiagramBitmap(store.diagram, form.pictures(), form.diagram().diagramSettings(),
                                            form.windows().imageProperties->diagramFont(),
                                            QSize(view.horzRange(), view.vertRange()));
    const double exportMs = millisecondsSince(start);
    const QSize size = std::holds_alternative<QImage>(bitmap) ? std::get<QImage>(bitmap).size() : QSize();
    std::printf("bitmap export, 5000 boxes: %7.1f ms (%d x %d)\n", exportMs, size.width(), size.height());
    return 0;
}
