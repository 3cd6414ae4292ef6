#pragma once
#include "store/RecordTable.h"

#include <QAbstractTableModel>
#include <vector>

// A grid column: which field it shows, its title and its width in characters.
struct GridColumn {
    int field = 0;
    QString title;
    int widthChars = 10;
    int widthPixels = 0;  // when set, wins over the width in characters
};

// Binds a grid to a record table: one line per visible row, the designed
// columns, and the grid's current line kept in step with the table's cursor.
class RecordTableModel : public QAbstractTableModel, private RecordTableObserver {
    Q_OBJECT
public:
    explicit RecordTableModel(RecordTable& table, QObject* parent = nullptr);
    RecordTableModel(RecordTable& table, std::vector<GridColumn> columns, QObject* parent = nullptr);
    ~RecordTableModel() override;

    static std::vector<GridColumn> visibleFieldColumns(const RecordTable& table);

    RecordTable& table() const { return table_; }
    const std::vector<GridColumn>& columns() const { return columns_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Grid line of the table's current row, -1 when none.
    int currentLine() const;
    // Makes the row shown at this line the table's current row.
    void setCurrentLine(int line);
    int positionOfLine(int line) const;

Q_SIGNALS:
    void currentLineChanged(int line);

private:
    void tableReset() override;
    void rowChanged(int position) override;
    void cursorMoved() override;
    void rebuildVisible() const;

    RecordTable& table_;
    std::vector<GridColumn> columns_;
    // With an active filter, the positions of the visible rows in order.
    mutable std::vector<int> visiblePositions_;
    mutable bool visibleStale_ = true;
};
