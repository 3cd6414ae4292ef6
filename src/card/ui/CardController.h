#pragma once
#include <QObject>

struct GenealogyStore;
class MainFrame;
class QMenu;
class QTableView;
class QWidget;

// The card mode's area, panel10: the grids of one person's card and their popup menus.
class CardController : public QObject {
    Q_OBJECT
public:
    CardController(GenealogyStore& store, MainFrame& frame, QWidget* clientArea);

    // The one way a card is shown: refills the card tables for this person.
    void BuildCard(int num);
    void DBGrid2CellClick();  // a card line opens the relative's card
    // Lays the grids out for the panel's present size.
    void layOutGrids();

    QWidget* panel10 = nullptr;
    QTableView* DBGrid2 = nullptr;  // relatives
    QTableView* DBGrid3 = nullptr;  // events
    QTableView* DBGrid4 = nullptr;  // names
    QTableView* DBGrid5 = nullptr;  // comments
    QTableView* DBGrid6 = nullptr;  // media
    QMenu* PopupMenu3 = nullptr;    // names and events
    QMenu* PopupMenu4 = nullptr;    // card lines
    QMenu* PopupMenu5 = nullptr;    // comments and media

private:
    void buildGrids();
    void buildMenus();

    GenealogyStore& store_;
    MainFrame& frame_;
};
