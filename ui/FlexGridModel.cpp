#include "ui/FlexGridModel.h"

#include <QApplication>
#include <QPalette>

namespace ui {

namespace {
constexpr Qt::Alignment defaultAlignment = Qt::AlignLeft | Qt::AlignVCenter;
}

FlexGridModel::FlexGridModel(QObject* parent)
    : QAbstractTableModel(parent)
{}

void FlexGridModel::setShape(int rows, int cols)
{
    rows = std::max(rows, 0);
    cols = std::max(cols, 0);
    const int oldDataRows = rowCount();
    const int newDataRows = std::max(rows - 1, 0);
    const int oldCols = gridCols();

    // Columns first, on the old rows, then rows on the new columns.
    if (cols > oldCols) {
        beginInsertColumns(QModelIndex(), oldCols, cols - 1);
        m_cells.resize(gridRows(), cols);
        m_alignments.resize(cols, defaultAlignment);
        endInsertColumns();
    } else if (cols < oldCols) {
        beginRemoveColumns(QModelIndex(), cols, oldCols - 1);
        m_cells.resize(gridRows(), cols);
        m_alignments.resize(cols);
        endRemoveColumns();
    }
    if (newDataRows > oldDataRows) {
        beginInsertRows(QModelIndex(), oldDataRows, newDataRows - 1);
        m_cells.resize(rows, cols);
        endInsertRows();
    } else if (newDataRows < oldDataRows) {
        beginRemoveRows(QModelIndex(), newDataRows, oldDataRows - 1);
        m_cells.resize(rows, cols);
        endRemoveRows();
    } else {
        m_cells.resize(rows, cols);
    }
}

void FlexGridModel::clearTexts()
{
    m_cells.clear();
    if (gridCols() > 0) {
        emit headerDataChanged(Qt::Horizontal, 0, gridCols() - 1);
    }
}

void FlexGridModel::setText(int row, int col, QStringView text)
{
    m_cells.setText(row, col, text);
    if (row == 0 && col >= 0 && col < gridCols()) {
        emit headerDataChanged(Qt::Horizontal, col, col);
    }
}

void FlexGridModel::setAlignment(int col, Qt::Alignment alignment)
{
    if (col < 0 || col >= m_alignments.size()) {
        return;
    }
    m_alignments[col] = alignment | Qt::AlignVCenter;
    if (rowCount() > 0) {
        emit dataChanged(index(0, col), index(rowCount() - 1, col), {Qt::TextAlignmentRole});
    }
    emit headerDataChanged(Qt::Horizontal, col, col);
}

Qt::Alignment FlexGridModel::alignment(int col) const
{
    return col >= 0 && col < m_alignments.size() ? m_alignments.at(col) : defaultAlignment;
}

int FlexGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(gridRows() - 1, 0);
}

int FlexGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : gridCols();
}

QVariant FlexGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) {
        return QVariant();
    }
    switch (role) {
    case Qt::DisplayRole:
        return m_cells.text(index.row() + 1, index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignment(index.column()));
    case Qt::BackgroundRole:
        // The fixed column is drawn like the header.
        if (index.column() == 0) {
            return QApplication::palette().button();
        }
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant FlexGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= gridCols()) {
        return QVariant();
    }
    switch (role) {
    case Qt::DisplayRole:
        return m_cells.text(0, section);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignment(section));
    default:
        return QVariant();
    }
}

Qt::ItemFlags FlexGridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace ui
