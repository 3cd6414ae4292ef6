#include "autotree/ui/TreeBuildController.h"
#include "store/TreeHistory.h"

#include "autotree/CompressDiagram.h"
#include "diagram/ui/DiagramController.h"
#include "diagram/ui/DiagramView.h"
#include "platform/Platform.h"
#include "widgets/MainFrame.h"
#include "widgets/NamedAction.h"

#include <QMenu>

TreeBuildController::TreeBuildController(GenealogyStore& store, MainFrame& frame, DiagramController& diagram,
                                         QWidget* parent)
    : QObject(parent), store_(store), frame_(frame), diagram_(diagram)
{
    setObjectName(QStringLiteral("treeBuildController"));
    buildMenu(parent);
}

void TreeBuildController::buildMenu(QWidget* parent)
{
    RxPopupMenu7 = new QMenu(parent);
    RxPopupMenu7->setObjectName(QStringLiteral("RxPopupMenu7"));
    MenuItem1 = addNamedAction(RxPopupMenu7, "MenuItem1", "Восходящее мужское");
    MenuItem2 = addNamedAction(RxPopupMenu7, "MenuItem2", "Восходящее");
    MenuItem3 = addNamedAction(RxPopupMenu7, "MenuItem3", "Нисходящее");
    MenuItem4 = addNamedAction(RxPopupMenu7, "MenuItem4", "Нисходящее смешанное");
    MenuItem5 = addNamedAction(RxPopupMenu7, "MenuItem5", "Вся мужская ветвь");
    MenuItem6 = addNamedAction(RxPopupMenu7, "MenuItem6", "Все возможные родственники");
    N35 = addNamedAction(RxPopupMenu7, "N35", "Двунаправленное");
    for (QAction* shownDisabled : {MenuItem1, MenuItem4, MenuItem5, MenuItem6})
        shownDisabled->setEnabled(false);
    connect(MenuItem2, &QAction::triggered, this, &TreeBuildController::MenuItem2Click);
    connect(MenuItem3, &QAction::triggered, this, &TreeBuildController::MenuItem3Click);
    connect(N35, &QAction::triggered, this, &TreeBuildController::N35Click);
}

void TreeBuildController::MenuItem2Click()
{
    build(TreeKind::Ascending);
}

void TreeBuildController::MenuItem3Click()
{
    build(TreeKind::Descending);
}

void TreeBuildController::N35Click()
{
    build(TreeKind::TwoWay);
}

// Every build ends the same way: the diagram mode, centred as the navigator
// centres, drawn at once since no later paint would come by itself.
void TreeBuildController::build(TreeKind kind)
{
    DiagramView& view = *diagram_.ScrollBox1;
    static const QString stepNames[] = {QStringLiteral("построение восходящего древа"),
                                        QStringLiteral("построение нисходящего древа"),
                                        QStringLiteral("построение двустороннего древа")};
    const QString& stepName = kind == TreeKind::Ascending ? stepNames[0]
                              : kind == TreeKind::Descending ? stepNames[1] : stepNames[2];
    const HistoryStep step(store_.history, stepName);
    const TreeBuildResult result = BuildTree(kind, store_, diagram_.diagramUnits(), view);
    Platform& platform = frame_.platform();
    if (result.refused) {
        platform.showMessage(MainFrame::applicationTitle(), result.refusal);
        return;
    }
    diagram_.EraseDiagram();
    frame_.selectTab(MainFrame::DiagramMode);
    centreScroll(view);
    diagram_.repaintDiagram();
    if (!result.cycleMessage.isEmpty())
        platform.showMessage(MainFrame::applicationTitle(), result.cycleMessage);
}

void TreeBuildController::N32Click()
{
    diagram_.DrawDiagram();
}

void TreeBuildController::N33Click()
{
    diagram_.EraseDiagram();
}

void TreeBuildController::N34Click()
{
    const HistoryStep step(store_.history, QStringLiteral("сжатие диаграммы"));
    CompressDiagram(store_.diagram, diagram_.diagramUnits().h);
}
