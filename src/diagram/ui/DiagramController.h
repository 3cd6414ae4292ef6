#pragma once
#include "diagram/DiagramSettings.h"

#include <QObject>
#include <QPoint>
#include <memory>
#include <optional>

class DiagramIndex;
struct SideState;
class DiagramView;
struct TreeFileDiagram;
struct GenealogyStore;
class LegendPictures;
class MainFrame;
class PersonListController;
class QAction;
class QMenu;
class QWidget;
class TForm4;
class TOKBottomDlg1;

// The diagram mode: ScrollBox1 with PaintBox1, its drawing, the mouse editing
// with its pointer state, and the commands of the two popup menus.
class DiagramController : public QObject {
    Q_OBJECT
public:
    DiagramController(GenealogyStore& store, MainFrame& frame, PersonListController& list, LegendPictures& pictures,
                      QWidget* clientArea);
    ~DiagramController() override;

    // Connects the navigator and the image properties dialog once they exist.
    void bindWindows(TForm4& navigator, TOKBottomDlg1& imageProperties);

    DiagramSettings diagramSettings() const;
    DiagramUnits diagramUnits() const { return diagramSettings().units; }

    void DrawDiagram();
    void EraseDiagram();
    void PaintBox1Paint();
    // Asks for a paint as the windowing system would: cleared, then drawn if enabled.
    void repaintDiagram();
    void imagePropertiesConfirmed();
    void showImageProperties();
    // The diagram's part of a tree file: settings, pictures and the scroll box.
    TreeFileDiagram keptDiagram() const;
    void applyKeptDiagram(const TreeFileDiagram& kept);
    // The settings and the scroll ranges as steps of the history give them
    // back; the view stays where it is scrolled.
    SideState historySideState();
    // After an undo or redo: the selection is dropped and the diagram drawn anew.
    void historyApplied();
    // A pick of a parent or of a person from the list is under way.
    bool picking() const { return pickingParent || pickingFromList; }

    // The font of the image properties dialog, which the export writes with.
    QFont diagramFont() const;
    const LegendPictures& pictures() const { return pictures_; }

    void PaintBox1MouseDown(Qt::MouseButton button, int x, int y);
    void PaintBox1MouseMove(int x, int y);
    void PaintBox1MouseUp(Qt::MouseButton button, int x, int y, QPoint globalPos = {});
    int PersonAt(int x, int y);

    void N40Click();  // "Указать родителя"
    void N43Click();  // "Редактировать"
    void N44Click();  // "Убрать с рисунка"
    void N45Click();  // "Удалить из Б.Д."
    void N30Click();  // "Число поколений вверх"
    void N46Click();  // new woman
    void N47Click();  // new man
    void N48Click();  // from the list
    void N61Click();  // skeleton of ancestors
    void N50Click();  // "Выровнять по сетке"
    void N51Click();  // "Очистить диаграмму"
    void N52Click();  // "Параметры изображения"
    // Completes "Из списка" when the user has opened a person; nothing unless that pick is under way.
    void AddPickedPerson();
    void AddAncestorSkeleton(int level, int x, int y, int child, bool male);
    void ClearDiagram() { N51Click(); }

    DiagramView* ScrollBox1 = nullptr;
    QWidget* PaintBox1 = nullptr;
    QMenu* PopupMenu1 = nullptr;  // person box
    QMenu* PopupMenu2 = nullptr;  // empty space of the diagram
    QAction *N40 = nullptr, *N41 = nullptr, *N62 = nullptr, *N43 = nullptr, *N44 = nullptr, *N45 = nullptr;
    QAction *N30 = nullptr, *N46 = nullptr, *N47 = nullptr, *N48 = nullptr, *N61 = nullptr, *N50 = nullptr;
    QAction *N51 = nullptr, *N52 = nullptr, *N53 = nullptr;

    // Drawing and pointer state.
    CanvasState canvasState;
    bool paintEnabled = true;
    bool pickingFromList = false;
    bool bandSelecting = false;
    bool dragging = false;
    bool pickingParent = false;
    int popupPerson = -1;
    QPoint popupPoint;
    QPoint bandStart;
    QPoint lastPointer;

private:
    void buildView(QWidget* clientArea);
    void buildMenus();
    void insertPersonRowFor(int num, QPoint at, std::optional<bool> checked);
    void addNewPersonBox(bool male);
    void addLinesOfPickedPerson(int num);
    void markFemale(int num);
    void popupAt(QMenu* menu, QPoint globalPos);
    void drawBand(QPoint corner);
    void dragGhosts(int dx, int dy);
    void finishDrag();

    GenealogyStore& store_;
    MainFrame& frame_;
    PersonListController& list_;
    LegendPictures& pictures_;
    TForm4* navigator_ = nullptr;
    TOKBottomDlg1* imageProperties_ = nullptr;
    std::unique_ptr<DiagramIndex> index_;  // where the diagram's rows lie, for paints and hits
};
