#include "ui/FlexGridModel.h"

#include <QApplication>
#include <QPalette>
#include <exception>

namespace ui {

namespace {
constexpr Qt::Alignment defaultAlignment = Qt::AlignLeft | Qt::AlignVCenter;
}

FlexGridModel::FlexGridModel(QObject* parent)
    : QAbstractTableModel(parent)
{}

FlexGridModel::~FlexGridModel() = default;

void FlexGridModel::setShape(int rows, int cols)
{
    rows = std::max(rows, 0);
    cols = std::max(cols, 0);
    const int oldDataRows = rowCount();
    const int newDataRows = std::max(rows - 1, 0);
    const int oldCols = m_cols;
    if (rows < m_rows || cols < m_cols) {
        m_written.removeIf([rows, cols](const auto& cell) {
            return int(cell.key() >> 32) >= rows || int(cell.key() & 0xffffffffu) >= cols;
        });
    }

    // Columns first, on the old rows, then rows on the new columns.
    if (cols > oldCols) {
        beginInsertColumns(QModelIndex(), oldCols, cols - 1);
        m_cols = cols;
        m_alignments.resize(cols, defaultAlignment);
        endInsertColumns();
    } else if (cols < oldCols) {
        beginRemoveColumns(QModelIndex(), cols, oldCols - 1);
        m_cols = cols;
        m_alignments.resize(cols);
        endRemoveColumns();
    }
    if (newDataRows > oldDataRows) {
        beginInsertRows(QModelIndex(), oldDataRows, newDataRows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (newDataRows < oldDataRows) {
        beginRemoveRows(QModelIndex(), newDataRows, oldDataRows - 1);
        m_rows = rows;
        endRemoveRows();
    } else {
        m_rows = rows;
    }
}

void FlexGridModel::clearTexts()
{
    m_written.clear();
    m_source.reset();
    if (m_cols > 0) {
        emit headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
    }
}

void FlexGridModel::setRowSource(std::unique_ptr<GridRows> rows)
{
    m_source = std::move(rows);
}

QString FlexGridModel::text(int row, int col) const
{
    if (!inside(row, col)) {
        return QString();
    }
    if (const auto found = m_written.constFind(key(row, col)); found != m_written.cend()) {
        return *found;
    }
    return m_source && row > 0 ? m_source->text(row, col) : QString();
}

void FlexGridModel::setText(int row, int col, const QString& text)
{
    if (!inside(row, col)) {
        return;
    }
    m_written.insert(key(row, col), text);
    if (row == 0) {
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
    return parent.isValid() ? 0 : std::max(m_rows - 1, 0);
}

int FlexGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

QVariant FlexGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) {
        return QVariant();
    }
    switch (role) {
    case Qt::DisplayRole:
        // Painting must go on when the rows cannot be read: the cell stays empty, and the one who reads
        // it through TextMatrix is told.
        try {
            return text(index.row() + 1, index.column());
        } catch (const std::exception&) {
            return QVariant();
        }
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
        return text(0, section);
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
