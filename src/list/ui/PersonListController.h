#pragma once
#include "list/PersonList.h"

#include <QObject>

class CardController;
class FilterPanel;
struct GenealogyStore;
class MainFrame;
class QPushButton;
class QTableView;
class QWidget;
class RecordTableModel;
class Tdateform;

// The list mode: the persons grid, the filter panel beside it and the four
// list buttons of the quick-keys panel.
class PersonListController : public QObject {
    Q_OBJECT
public:
    PersonListController(GenealogyStore& store, MainFrame& frame, CardController& card, QWidget* clientArea,
                         QWidget* window);

    // The date dialog that "Указать" opens.
    void setDateDialog(Tdateform* dialog) { dateDialog_ = dialog; }

    // Puts "Вверх", "Вниз", "Добавить" and "Удалить" on the quick-keys panel.
    void addQuickKeys(QWidget* panel);

    void Button1Click();  // "Применить"
    void Button2Click();  // "Очистить"
    void Button3Click();  // "Указать"
    void BitBtn2Click();  // "Вверх"
    void BitBtn3Click();  // "Вниз"
    void BitBtn5Click();  // "Добавить"
    void BitBtn6Click();  // "Удалить"
    void DBGrid1Open();   // double click or Enter in the list
    void DBGrid1Escape(); // Escape in the list: ends a pick without writing
    // The one way a person is created by hand; returns the number.
    int AddPerson();
    // Removes the person with everything that names them.
    void DeletePerson(int num);
    SortItem selectedSortItem() const;
    // Brings the name column back into sight when the list is shown again:
    // a list scrolled sideways shows dates without the names they belong to.
    void showNameColumn();

    QTableView* DBGrid1 = nullptr;
    RecordTableModel* personsModel = nullptr;
    QWidget* Panel2 = nullptr;       // the filter panel, header and body
    QWidget* Panel6 = nullptr;       // its header
    FilterPanel* filterPanel = nullptr;  // Panel7, its body
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* BitBtn5 = nullptr;
    QPushButton* BitBtn6 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildGrid(QWidget* clientArea);
    void buildFilterPanel(QWidget* window);
    void buildCardOfCurrent();

    QWidget* gridViewport_ = nullptr;
    GenealogyStore& store_;
    MainFrame& frame_;
    CardController& card_;
    Tdateform* dateDialog_ = nullptr;
};
