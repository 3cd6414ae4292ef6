#include "widgets/GridBinding.h"

#include "store/RecordTableModel.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

static void selectLine(QTableView* grid, int line)
{
    QItemSelectionModel* selection = grid->selectionModel();
    if (!selection)
        return;
    if (line < 0 || line >= grid->model()->rowCount()) {
        selection->clearSelection();
        return;
    }
    const QModelIndex index = grid->model()->index(line, 0);
    if (selection->currentIndex().row() != line || !selection->isRowSelected(line))
        selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void bindGrid(QTableView* grid, RecordTableModel* model)
{
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 4);
    grid->verticalHeader()->hide();
    const int charWidth = grid->fontMetrics().averageCharWidth();
    for (int c = 0; c < int(model->columns().size()); ++c) {
        const GridColumn& column = model->columns()[std::size_t(c)];
        grid->setColumnWidth(c, column.widthPixels > 0 ? column.widthPixels : column.widthChars * charWidth + 6);
    }

    QObject::connect(model, &RecordTableModel::currentLineChanged, grid, [grid](int line) { selectLine(grid, line); });
    QObject::connect(model, &QAbstractItemModel::modelReset, grid, [grid, model] { selectLine(grid, model->currentLine()); });
    QObject::connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, grid,
                     [model](const QModelIndex& current) {
                         if (current.isValid())
                             model->setCurrentLine(current.row());
                     });
}
