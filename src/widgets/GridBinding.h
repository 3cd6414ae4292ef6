#pragma once
class QTableView;
class RecordTableModel;

// Shows a model in a grid with the designed column widths and keeps the grid's
// current line and the table's cursor in step both ways.
void bindGrid(QTableView* grid, RecordTableModel* model);
