#pragma once
#include "card/CardEditing.h"

#include <QObject>
#include <functional>

struct GenealogyStore;
class MainFrame;
class QAction;
class QMenu;
class QPoint;
class QTableView;
class QWidget;
class TForm2;
class TForm3;
class Tevents_form;
class Tnames_form;

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

    // The dialogs the card's commands fill and show.
    void bindDialogs(Tnames_form& names, Tevents_form& events, TForm2& link);
    // The list's AddPerson, which the relative commands create people with.
    void setAddPerson(std::function<int()> addPerson) { addPerson_ = std::move(addPerson); }

    // PopupMenu3, on the names and the events grids.
    void PopupMenu3Popup();
    void N56Click();  // "Редактировать"
    void N57Click();  // "Добавить"
    void N58Click();  // "Удалить"
    void N64Click();  // "Комментарий по теме"
    void N65Click();  // "Медиа файл по теме"
    void DBGrid3DblClick();
    void DBGrid4DblClick();
    // PopupMenu4, on the card lines grid.
    void PopupMenu4Popup();
    void N59Click();  // "Добавить ссылку"
    void N60Click();  // "Удалить ссылку"
    void AddRelative(Relative kind);
    // PopupMenu5, on the comments and the media grids.
    void bindNoteDialog(TForm3& notes) { noteDialog_ = &notes; }
    void PopupMenu5Popup();
    void N74Click();  // "Добавить"
    void N75Click();  // "Удалить"
    void N77Click();  // "Просмотреть средствами арболитус'а"
    void N78Click();  // "Просмотреть программой по умолчанию"
    void DBGrid5DblClick();

    // Set by "Редактировать", cleared by "Добавить": the dialogs replace the selected row.
    bool editFlag = false;

    QWidget* panel10 = nullptr;
    QTableView* DBGrid2 = nullptr;  // relatives
    QTableView* DBGrid3 = nullptr;  // events
    QTableView* DBGrid4 = nullptr;  // names
    QTableView* DBGrid5 = nullptr;  // comments
    QTableView* DBGrid6 = nullptr;  // media
    QMenu* PopupMenu3 = nullptr;    // names and events
    QMenu* PopupMenu4 = nullptr;    // card lines
    QMenu* PopupMenu5 = nullptr;    // comments and media
    QAction *N56 = nullptr, *N57 = nullptr, *N58 = nullptr, *N63 = nullptr, *N64 = nullptr, *N65 = nullptr;
    QAction *N59 = nullptr, *N60 = nullptr, *N66 = nullptr, *N67 = nullptr, *N68 = nullptr, *N69 = nullptr;
    QAction *N70 = nullptr, *N71 = nullptr, *N72 = nullptr, *N73 = nullptr;
    QAction *N74 = nullptr, *N75 = nullptr, *N76 = nullptr, *N77 = nullptr, *N78 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildGrids();
    void buildMenus();
    void buildCommands();
    void buildNoteCommands();
    // The grid takes the focus and the line under the pointer becomes current.
    static void focusLineAt(QTableView* grid, QPoint viewportPos);
    void addComment();
    void addMedia();
    bool hasFocus(QTableView* grid) const;
    int cardPerson() const;
    void editName();
    void editEvent();
    void addName();
    void addEvent();

    GenealogyStore& store_;
    MainFrame& frame_;
    Tnames_form* nameDialog_ = nullptr;
    Tevents_form* eventDialog_ = nullptr;
    TForm2* linkDialog_ = nullptr;
    TForm3* noteDialog_ = nullptr;
    std::function<int()> addPerson_;
};
