#pragma once
#include "autotree/TreeBuild.h"

#include <QObject>

class DiagramController;
class MainFrame;
class QAction;
class QMenu;
class QWidget;

// The build menu behind "Строить" and the hidden diagram commands of "Вид".
class TreeBuildController : public QObject {
    Q_OBJECT
public:
    TreeBuildController(GenealogyStore& store, MainFrame& frame, DiagramController& diagram, QWidget* parent);

    void MenuItem2Click();  // "Восходящее"
    void MenuItem3Click();  // "Нисходящее"
    void N35Click();        // "Двунаправленное"
    void N32Click();        // "Отрисовать древо заново"
    void N33Click();        // "Стереть но не уничтожать"
    void N34Click();        // "Сжать"

    QMenu* RxPopupMenu7 = nullptr;  // the build menu
    QAction *MenuItem1 = nullptr, *MenuItem2 = nullptr, *MenuItem3 = nullptr, *MenuItem4 = nullptr;
    QAction *MenuItem5 = nullptr, *MenuItem6 = nullptr, *N35 = nullptr;

private:
    void buildMenu(QWidget* parent);
    void build(TreeKind kind);

    GenealogyStore& store_;
    MainFrame& frame_;
    DiagramController& diagram_;
};
