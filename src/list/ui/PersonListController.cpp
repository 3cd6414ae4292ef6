#include "list/ui/PersonListController.h"

#include "card/ui/CardController.h"
#include "dialogs/ui/Tdateform.h"
#include "list/ui/FilterPanel.h"
#include "platform/Platform.h"
#include "store/GenealogyStore.h"
#include "store/RecordTableModel.h"
#include "widgets/GridBinding.h"
#include "widgets/MainFrame.h"
#include "widgets/RadioGroup.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

PersonListController::PersonListController(GenealogyStore& store, MainFrame& frame, CardController& card,
                                           QWidget* clientArea, QWidget* window)
    : QObject(window), store_(store), frame_(frame), card_(card)
{
    setObjectName(QStringLiteral("personListController"));
    buildGrid(clientArea);
    buildFilterPanel(window);
    // RxMemoryData1fullnameGetText: read the selection at drawing time, not the last applied sort.
    store_.persons.setDisplayCallback(PersonField::fullname, [this](RowId row) {
        return personDisplayName(store_.persons, row, selectedSortItem());
    });
}

void PersonListController::buildGrid(QWidget* clientArea)
{
    DBGrid1 = makeBoundGrid(clientArea, "DBGrid1", store_.persons);
    personsModel = static_cast<RecordTableModel*>(DBGrid1->model());
    DBGrid1->setFrameShape(QFrame::NoFrame);
    DBGrid1->installEventFilter(this);
    // Below the last line too, and on an empty list, a double click opens the card.
    gridViewport_ = DBGrid1->viewport();
    gridViewport_->installEventFilter(this);
}

void PersonListController::buildFilterPanel(QWidget* window)
{
    auto* frame = new QFrame(window);
    frame->setObjectName(QStringLiteral("Panel2"));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFixedWidth(287);
    Panel2 = frame;
    auto* layout = new QVBoxLayout(Panel2);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* header = new QLabel(QStringLiteral("Фильтр:"), Panel2);
    header->setObjectName(QStringLiteral("Panel6"));
    header->setFixedHeight(16);
    header->setAlignment(Qt::AlignCenter);
    header->setFrameShape(QFrame::Panel);
    header->setFrameShadow(QFrame::Raised);
    Panel6 = header;
    filterPanel = new FilterPanel(Panel2);
    connect(filterPanel->Button1, &QPushButton::clicked, this, &PersonListController::Button1Click);
    connect(filterPanel->Button2, &QPushButton::clicked, this, &PersonListController::Button2Click);
    connect(filterPanel->Button3, &QPushButton::clicked, this, &PersonListController::Button3Click);
    // The display names follow the selection at once, before any "Применить".
    connect(filterPanel->RadioGroup2, &RadioGroup::itemSelected, DBGrid1->viewport(),
            [this] { DBGrid1->viewport()->update(); });
    layout->addWidget(Panel6);
    layout->addWidget(filterPanel, 1);
}

static QPushButton* quickKey(QWidget* panel, const char* name, const char* caption, int x, QStyle::StandardPixmap icon)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), panel);
    button->setObjectName(QString::fromUtf8(name));
    button->setGeometry(x, 2, 75, 25);
    button->setIcon(panel->style()->standardIcon(icon));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void PersonListController::addQuickKeys(QWidget* panel)
{
    BitBtn2 = quickKey(panel, "BitBtn2", "Вверх", 3, QStyle::SP_ArrowUp);
    BitBtn3 = quickKey(panel, "BitBtn3", "Вниз", 78, QStyle::SP_ArrowDown);
    BitBtn5 = quickKey(panel, "BitBtn5", "Добавить", 156, QStyle::SP_FileDialogNewFolder);
    BitBtn6 = quickKey(panel, "BitBtn6", "Удалить", 233, QStyle::SP_TrashIcon);
    connect(BitBtn2, &QPushButton::clicked, this, &PersonListController::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &PersonListController::BitBtn3Click);
    connect(BitBtn5, &QPushButton::clicked, this, &PersonListController::BitBtn5Click);
    connect(BitBtn6, &QPushButton::clicked, this, &PersonListController::BitBtn6Click);
}

bool PersonListController::eventFilter(QObject* watched, QEvent* event)
{
    // Only pointers are compared: the grid may be half destroyed when its viewport's last events come.
    if (watched == gridViewport_ && event->type() == QEvent::MouseButtonDblClick) {
        DBGrid1Open();
        return true;
    }
    if (watched == DBGrid1 && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            DBGrid1Open();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            DBGrid1Escape();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

SortItem PersonListController::selectedSortItem() const
{
    const int index = filterPanel ? filterPanel->RadioGroup2->itemIndex() : 0;
    return index < 0 ? SortItem::None : SortItem(index);
}

void PersonListController::showNameColumn()
{
    const QModelIndex current = DBGrid1->currentIndex();
    if (current.isValid() && current.column() != 0)
        DBGrid1->selectionModel()->setCurrentIndex(current.siblingAtColumn(0), QItemSelectionModel::NoUpdate);
    DBGrid1->horizontalScrollBar()->setValue(0);
}

void PersonListController::DBGrid1Open()
{
    frame_.selectTab(MainFrame::CardMode);
}

void PersonListController::DBGrid1Escape()
{
    frame_.cancelPick();
}

void PersonListController::Button1Click()
{
    applyListSort(store_.persons, selectedSortItem());
    store_.persons.refresh();
    if (DBGrid1->isVisible())
        DBGrid1->setFocus();
}

void PersonListController::Button2Click()
{
    filterPanel->clear();
    DBGrid1->viewport()->update();
}

void PersonListController::Button3Click()
{
    if (dateDialog_)
        dateDialog_->show();
}

void PersonListController::buildCardOfCurrent()
{
    card_.BuildCard(store_.persons.asInteger(PersonField::num));
}

void PersonListController::BitBtn2Click()
{
    store_.persons.prior();
    if (frame_.mode() == MainFrame::CardMode)
        buildCardOfCurrent();
}

void PersonListController::BitBtn3Click()
{
    // Next past the last row only sets Eof; the cursor stays on the last person.
    store_.persons.next();
    if (frame_.mode() == MainFrame::CardMode)
        buildCardOfCurrent();
}

void PersonListController::BitBtn5Click()
{
    AddPerson();
    if (frame_.mode() == MainFrame::CardMode)
        buildCardOfCurrent();
    else
        frame_.selectTab(MainFrame::CardMode);
    frame_.showCountsFromTables();
}

void PersonListController::BitBtn6Click()
{
    if (!store_.persons.isEmpty())
        DeletePerson(store_.persons.asInteger(PersonField::num));
    else
        frame_.platform().showMessage(MainFrame::applicationTitle(), QStringLiteral("Нет записей в базе данных"));
    if (frame_.mode() == MainFrame::CardMode)
        frame_.selectTab(MainFrame::ListMode);
    frame_.showCountsFromTables();
}

int PersonListController::AddPerson()
{
    const HistoryStep step(store_.history, QStringLiteral("добавление персонажа"));
    const int n = insertNewPerson(store_.persons);
    Button1Click();
    store_.persons.locate(PersonField::num, n);
    if (frame_.mode() == MainFrame::ListMode) {
        frame_.selectTab(MainFrame::CardMode);
        card_.BuildCard(n);
    }
    frame_.showCountsFromTables();
    return n;
}

void PersonListController::DeletePerson(int num)
{
    const HistoryStep step(store_.history, personDeletionStepName(store_.persons, num));
    deletePersonEverywhere(store_, num);
}
