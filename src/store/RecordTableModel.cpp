#include "store/RecordTableModel.h"

#include <QColor>
#include <algorithm>

RecordTableModel::RecordTableModel(RecordTable& table, QObject* parent)
    : RecordTableModel(table, visibleFieldColumns(table), parent)
{
}

RecordTableModel::RecordTableModel(RecordTable& table, std::vector<GridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), table_(table), columns_(std::move(columns))
{
    table_.addObserver(this);
}

RecordTableModel::~RecordTableModel()
{
    table_.removeObserver(this);
}

std::vector<GridColumn> RecordTableModel::visibleFieldColumns(const RecordTable& table)
{
    std::vector<GridColumn> columns;
    for (int f = 0; f < table.fieldCount(); ++f) {
        const FieldDef& def = table.fields()[std::size_t(f)];
        if (def.visible)
            columns.push_back({f, def.title(), def.widthInChars()});
    }
    return columns;
}

void RecordTableModel::rebuildVisible() const
{
    if (!visibleStale_)
        return;
    visiblePositions_.clear();
    if (table_.hasActiveFilter()) {
        for (int p = 0; p < table_.recordCount(); ++p)
            if (table_.isVisible(table_.rowAt(p)))
                visiblePositions_.push_back(p);
    }
    visibleStale_ = false;
}

int RecordTableModel::positionOfLine(int line) const
{
    if (!table_.hasActiveFilter())
        return line;
    rebuildVisible();
    return line >= 0 && line < int(visiblePositions_.size()) ? visiblePositions_[std::size_t(line)] : -1;
}

int RecordTableModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    if (!table_.hasActiveFilter())
        return table_.recordCount();
    rebuildVisible();
    return int(visiblePositions_.size());
}

int RecordTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant RecordTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.column() >= int(columns_.size()))
        return {};
    const int position = positionOfLine(index.row());
    if (position < 0 || position >= table_.recordCount())
        return {};
    return table_.displayTextAt(table_.rowAt(position), columns_[std::size_t(index.column())].field);
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= int(columns_.size()))
        return {};
    if (role == Qt::DisplayRole)
        return columns_[std::size_t(section)].title;
    return {};
}

int RecordTableModel::currentLine() const
{
    const int position = table_.currentPosition();
    if (position < 0 || !table_.hasActiveFilter())
        return position;
    rebuildVisible();
    auto it = std::lower_bound(visiblePositions_.begin(), visiblePositions_.end(), position);
    return it != visiblePositions_.end() && *it == position ? int(it - visiblePositions_.begin()) : -1;
}

void RecordTableModel::setCurrentLine(int line)
{
    const int position = positionOfLine(line);
    if (position >= 0 && position != table_.currentPosition())
        table_.setCurrentPosition(position);
}

void RecordTableModel::tableReset()
{
    beginResetModel();
    visibleStale_ = true;
    endResetModel();
}

void RecordTableModel::rowChanged(int position)
{
    visibleStale_ = true;
    int line = position;
    if (table_.hasActiveFilter()) {
        rebuildVisible();
        auto it = std::lower_bound(visiblePositions_.begin(), visiblePositions_.end(), position);
        if (it == visiblePositions_.end() || *it != position)
            return;
        line = int(it - visiblePositions_.begin());
    }
    if (!columns_.empty())
        Q_EMIT dataChanged(index(line, 0), index(line, int(columns_.size()) - 1));
}

void RecordTableModel::cursorMoved()
{
    Q_EMIT currentLineChanged(currentLine());
}
