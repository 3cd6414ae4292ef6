#pragma once
#include <vector>

class Platform;
class QMenu;
class QTableView;
class QWidget;
class RecordTable;
class RecordTableModel;
struct GridColumn;

// Shows a model in a grid with the designed column widths and keeps the grid's
// current line and the table's cursor in step both ways.
void bindGrid(QTableView* grid, RecordTableModel* model);

// A grid bound to a table through a model it owns; without columns, every visible field.
QTableView* makeBoundGrid(QWidget* parent, const char* objectName, RecordTable& table);
QTableView* makeBoundGrid(QWidget* parent, const char* objectName, RecordTable& table,
                          const std::vector<GridColumn>& columns);

// A right click on the grid pops this menu up at the pointer, unless it is empty.
void bindContextMenu(QTableView* grid, QMenu* menu, Platform& platform);
