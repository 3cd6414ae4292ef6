#pragma once
#include "diagram/DiagramSettings.h"
#include "diagram/LegendPictures.h"
#include "list/PersonList.h"
#include "store/GenealogyStore.h"

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>

class FilterPanel;
struct GridColumn;
class Platform;
class QAction;
class QLabel;
class QMenu;
class DiagramView;
class QTabBar;
class QTableView;
class QToolButton;
class QPushButton;
class RecordTableModel;
class TForm4;
class TOKBottomDlg1;
class Tdateform;
class Tnames_form;
class Tevents_form;
class TForm2;
class TForm3;

// The secondary windows, created after the main window in this order.
struct SecondaryWindows {
    std::unique_ptr<TForm4> navigator;
    std::unique_ptr<TOKBottomDlg1> imageProperties;
    std::unique_ptr<Tdateform> dateDialog;
    std::unique_ptr<Tnames_form> nameDialog;
    std::unique_ptr<Tevents_form> eventDialog;
    std::unique_ptr<TForm2> linkDialog;
    std::unique_ptr<TForm3> noteDialog;

    SecondaryWindows();
    ~SecondaryWindows();
};

// The main window: owns the store, shows the list, card or diagram mode.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    enum Mode { ListMode = 0, CardMode = 1, DiagramMode = 2 };

    explicit TForm1(Platform& platform);
    ~TForm1() override;

    // Creates the secondary windows and wires them to this window.
    void createSecondaryWindows();
    SecondaryWindows& windows() { return windows_; }

    GenealogyStore& store() { return store_; }
    Platform& platform() { return platform_; }
    LegendPictures& pictures() { return pictures_; }
    QStringList missingPictures() const { return missingPictures_; }
    // Tells the user once which picture files could not be read.
    void reportMissingPictures();

    // The mode is the tab index; selecting a tab runs the mode switch, which may refuse.
    int mode() const { return mode_; }
    void selectTab(int index);

    static QString applicationTitle();
    QString statusText() const;
    void setStatusText(const QString& text);
    void setCountsText(int persons, int links);
    void showCountsFromTables();

    void ApplyViewSettings();
    void ShowViewMenu(const QPoint& clientPos);
    void HideMainMenu();
    void RestoreMainMenu();
    void RememberRecent(int num);
    void OpenRecent(QAction* entry);
    QStringList recentNumbers() const;
    QStringList recentNames() const;

    // ---- person list, filter panel, card (TForm1Persons.cpp)
    void BuildCard(int num);
    void Button1Click();  // "Применить"
    void Button2Click();  // "Очистить"
    int AddPerson();      // the one way a person is created by hand; returns its number
    void DeletePerson(int num);
    void Button3Click();      // "Указать"
    void DBGrid2CellClick();  // a card line opens the relative's card
    SortItem selectedSortItem() const;
    FilterPanel* filterPanel = nullptr;
    QMenu* PopupMenu3 = nullptr;  // card names and events
    QMenu* PopupMenu4 = nullptr;  // card lines
    QMenu* PopupMenu5 = nullptr;  // card comments and media
    // ---- end of person list block

    // ---- GEDCOM import (TForm1Import.cpp)
    // Imports this file as if it had been chosen in "Импорт".
    void importGedcomFile(const QString& path);
    void importGedcom(const std::function<std::optional<QString>()>& choosePath);
    // ---- end of import block

    // ---- diagram (TForm1Diagram*.cpp)
    DiagramSettings diagramSettings() const;
    DiagramUnits diagramUnits() const;
    void DrawDiagram();
    void EraseDiagram();
    void PaintBox1Paint();
    // Asks for a paint as the windowing system would: cleared, then drawn if enabled.
    void repaintDiagram();
    void imagePropertiesConfirmed();
    void ClipboardBMP1Click();

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
    void AddPickedPerson();
    void AddAncestorSkeleton(int level, int x, int y, int child, bool male);
    void ClearDiagram() { N51Click(); }

    CanvasState canvasState;
    bool bandSelecting = false;
    bool dragging = false;
    bool pickingParent = false;
    int popupPerson = -1;
    QPoint popupPoint;
    QPoint bandStart;
    QPoint lastPointer;
    QMenu* PopupMenu1 = nullptr;  // person box
    QMenu* PopupMenu2 = nullptr;  // empty space of the diagram
    QAction *N40 = nullptr, *N41 = nullptr, *N62 = nullptr, *N43 = nullptr, *N44 = nullptr, *N45 = nullptr;
    QAction *N30 = nullptr, *N46 = nullptr, *N47 = nullptr, *N48 = nullptr, *N61 = nullptr, *N50 = nullptr;
    QAction *N51 = nullptr, *N52 = nullptr, *N53 = nullptr;
    // ---- end of diagram block

    // Window state.
    bool pickingLinkPartner = false;
    int linkPartner = 0;
    bool pickingParticipant = false;
    bool pickingFromList = false;
    bool paintEnabled = false;
    int eventDialogPerson = 0;

    // Menu handlers.
    void N2Click();   // "Новый"
    void N3Click();   // "Импорт"
    void N7Click();   // "Выход"
    void N18Click(bool checked);
    void N17Click(bool checked);
    void N24Click(bool checked);
    void N37Click(bool checked);
    void N39Click(bool checked);
    void N29Click();
    void N20Click();
    void N38Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn5Click();
    void BitBtn6Click();
    void FormResize();
    void DBGrid1Open();  // double click or Enter in the list

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool TabSet1Change(int newIndex);
    void completeLinkPick();
    void completeParticipantPick();
    void ShowListMode();
    void ShowCardMode();
    void ShowDiagramMode();
    void onTabBarChanged(int index);

    void buildLayout();
    void buildMenus();
    void buildQuickKeys();
    void buildFilterPanel();
    void buildClientArea();
    void buildCardPanel();
    void buildViewPopup();
    QAction* addAction(QMenu* menu, const char* objectName, const char* caption);
    QTableView* makeGrid(QWidget* parent, const char* objectName, RecordTable& table);
    QTableView* makeGrid(QWidget* parent, const char* objectName, RecordTable& table, const std::vector<GridColumn>& columns);
    void installPersonCallbacks();
    void bindContextMenu(QTableView* grid, QMenu* menu);
    void buildDiagramView();
    void buildDiagramMenus();
    void insertPersonRowFor(int num, QPoint at, std::optional<bool> checked);
    void addNewPersonBox(bool male);
    void markFemale(int num);
    void popupAt(QMenu* menu, QPoint globalPos);
    void drawBand(QPoint corner);
    void dragGhosts(int dx, int dy);

    Platform& platform_;
    GenealogyStore store_;
    LegendPictures pictures_;
    QStringList missingPictures_;
    SecondaryWindows windows_;
    int mode_ = ListMode;
    bool leftFilter_ = false;

public:
    // Controls, by their designed names.
    QTabBar* TabSet1 = nullptr;
    QWidget* Panel1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* BitBtn5 = nullptr;
    QPushButton* BitBtn6 = nullptr;
    QToolButton* RxSpeedButton2 = nullptr;
    QToolButton* RxSpeedButton1 = nullptr;
    QWidget* Panel2 = nullptr;
    QWidget* Panel6 = nullptr;
    QWidget* Panel7 = nullptr;
    QWidget* StatusBar1 = nullptr;
    QLabel* statusLabel = nullptr;
    QWidget* clientArea = nullptr;
    QTableView* DBGrid1 = nullptr;
    QWidget* panel10 = nullptr;
    QTableView* DBGrid2 = nullptr;
    QTableView* DBGrid3 = nullptr;
    QTableView* DBGrid4 = nullptr;
    QTableView* DBGrid5 = nullptr;
    QTableView* DBGrid6 = nullptr;
    DiagramView* ScrollBox1 = nullptr;
    QWidget* PaintBox1 = nullptr;
    QWidget* contentRow = nullptr;

    QMenuBar* MainMenu1 = nullptr;
    QAction *N2 = nullptr, *N3 = nullptr, *N4 = nullptr, *Gedcom1 = nullptr, *ClipboardBMP1 = nullptr, *txt1 = nullptr;
    QAction *N23 = nullptr, *N22 = nullptr, *N6 = nullptr, *N7 = nullptr;
    QAction *N10 = nullptr, *N11 = nullptr, *N12 = nullptr;
    QAction *N18 = nullptr, *N17 = nullptr, *N24 = nullptr, *N37 = nullptr, *N39 = nullptr, *N29 = nullptr;
    QAction *N26 = nullptr, *N27 = nullptr, *N28 = nullptr, *N32 = nullptr, *N33 = nullptr, *N34 = nullptr;
    QAction *N38 = nullptr, *N20 = nullptr;
    QMenu* RxPopupMenu1 = nullptr;  // view popup
    QAction *N13 = nullptr, *N14 = nullptr, *N15 = nullptr;
    QMenu* RxPopupMenu3 = nullptr;  // recent numbers, never shown
    QMenu* RxPopupMenu5 = nullptr;  // recent names, drop-down of "Последняя десятка"
    QMenu* RxPopupMenu7 = nullptr;  // build menu of "Строить"
    QAction *MenuItem1 = nullptr, *MenuItem2 = nullptr, *MenuItem3 = nullptr, *MenuItem4 = nullptr;
    QAction *MenuItem5 = nullptr, *MenuItem6 = nullptr, *N35 = nullptr;

    RecordTableModel* personsModel = nullptr;
};
