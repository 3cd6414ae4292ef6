// The person list, the filter panel and the card as the main window uses them.
#include "app/TForm1.h"

#include "platform/Platform.h"
#include "widgets/RadioGroup.h"
#include "card/CardBuilder.h"
#include "list/ui/FilterPanel.h"

#include <QMenu>
#include <QTableView>

void TForm1::installPersonCallbacks()
{
    // RxMemoryData1fullnameGetText: read the selection at drawing time, not the last applied sort.
    store_.persons.setDisplayCallback(PersonField::fullname, [this](RowId row) {
        return personDisplayName(store_.persons, row, selectedSortItem());
    });
    // RxMemoryData3visioGetText
    store_.cardLines.setDisplayCallback(CardLineField::visio,
                                        [this](RowId row) { return cardLineText(store_.cardLines, row); });
}

SortItem TForm1::selectedSortItem() const
{
    const int index = filterPanel ? filterPanel->RadioGroup2->itemIndex() : 0;
    return index < 0 ? SortItem::None : SortItem(index);
}

void TForm1::bindContextMenu(QTableView* grid, QMenu* menu)
{
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid, &QWidget::customContextMenuRequested, this, [this, grid, menu](const QPoint& pos) {
        if (!menu->actions().isEmpty())
            platform_.popupMenu(menu, grid->viewport()->mapToGlobal(pos));
    });
}

void TForm1::BuildCard(int num)
{
    if (!fillCardTables(store_, num)) {
        if (!store_.persons.isEmpty())
            platform_.showMessage(applicationTitle(), QStringLiteral("Персонаж не найден. "));
        return;
    }
    if (mode_ == CardMode)
        RememberRecent(num);
}

void TForm1::DBGrid2CellClick()
{
    if (!store_.cardLines.isEmpty())
        BuildCard(store_.cardLines.asInteger(CardLineField::link));
}

void TForm1::Button1Click()
{
    applyListSort(store_.persons, selectedSortItem());
    store_.persons.refresh();
    if (DBGrid1->isVisible())
        DBGrid1->setFocus();
}

void TForm1::Button2Click()
{
    filterPanel->clear();
    DBGrid1->viewport()->update();
}

void TForm1::Button3Click()
{
    // The date dialog that fills this button's caption is not part of the program yet.
}

void TForm1::BitBtn2Click()
{
    store_.persons.prior();
    if (mode_ == CardMode)
        BuildCard(store_.persons.asInteger(PersonField::num));
}

void TForm1::BitBtn3Click()
{
    // Next past the last row only sets Eof; the cursor stays on the last person.
    store_.persons.next();
    if (mode_ == CardMode)
        BuildCard(store_.persons.asInteger(PersonField::num));
}

void TForm1::BitBtn5Click()
{
    AddPerson();
    if (mode_ == CardMode)
        BuildCard(store_.persons.asInteger(PersonField::num));
    else
        selectTab(CardMode);
    showCountsFromTables();
}

void TForm1::BitBtn6Click()
{
    if (!store_.persons.isEmpty())
        DeletePerson(store_.persons.asInteger(PersonField::num));
    else
        platform_.showMessage(applicationTitle(), QStringLiteral("Нет записей в базе данных"));
    if (mode_ == CardMode)
        selectTab(ListMode);
    showCountsFromTables();
}

int TForm1::AddPerson()
{
    const int n = insertNewPerson(store_.persons);
    Button1Click();
    store_.persons.locate(PersonField::num, n);
    if (mode_ == ListMode) {
        selectTab(CardMode);
        BuildCard(n);
    }
    showCountsFromTables();
    return n;
}

void TForm1::DeletePerson(int num)
{
    deletePersonAndLinks(store_, num);
}
