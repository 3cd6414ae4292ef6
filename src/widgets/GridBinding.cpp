#include "widgets/GridBinding.h"

#include "platform/Platform.h"
#include "store/RecordTableModel.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
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
    // With Tab moving between cells, a grid that loses the focus by being hidden
    // steps to the next cell, from the last column onto the next line: the
    // current person would change under the card that was just opened.
    grid->setTabKeyNavigation(false);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 4);
    grid->verticalHeader()->hide();
    // Some designed columns are far wider than the grid; a centred title would be out of sight.
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
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

QTableView* makeBoundGrid(QWidget* parent, const char* objectName, RecordTable& table)
{
    return makeBoundGrid(parent, objectName, table, RecordTableModel::visibleFieldColumns(table));
}

QTableView* makeBoundGrid(QWidget* parent, const char* objectName, RecordTable& table,
                          const std::vector<GridColumn>& columns)
{
    auto* grid = new QTableView(parent);
    grid->setObjectName(QString::fromUtf8(objectName));
    auto* model = new RecordTableModel(table, columns, grid);
    model->setObjectName(QString::fromUtf8(objectName) + QStringLiteral("Model"));
    bindGrid(grid, model);
    return grid;
}

void bindContextMenu(QTableView* grid, QMenu* menu, Platform& platform)
{
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(grid, &QWidget::customContextMenuRequested, menu, [grid, menu, &platform](const QPoint& pos) {
        if (!menu->actions().isEmpty())
            platform.popupMenu(menu, grid->viewport()->mapToGlobal(pos));
    });
}
