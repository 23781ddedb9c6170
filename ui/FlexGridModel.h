#pragma once

#include "ui/CellTexts.h"

#include <QAbstractTableModel>
#include <QList>

namespace ui {

// The grid's cells as a table model. Grid row 0 is the header: it is the model's horizontal header
// data, and grid row r (r >= 1) is model row r - 1. Column 0 is the fixed column.
class FlexGridModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FlexGridModel)
public:
    explicit FlexGridModel(QObject* parent = nullptr);

    int gridRows() const { return m_cells.rows(); }
    int gridCols() const { return m_cells.cols(); }
    // Changes the shape, keeping the texts of the cells that stay; views see rows and columns come and go.
    void setShape(int rows, int cols);
    void reserve(int rows) { m_cells.reserve(rows); }
    void clearTexts();

    QString text(int row, int col) const { return m_cells.text(row, col); }
    // Writes one cell. Only header cells are signalled (headerDataChanged): the grid repaints data cells
    // itself, so that a refill of a million rows sends no signal per cell.
    void setText(int row, int col, QStringView text);

    // Horizontal alignment of a column's cells and title.
    void setAlignment(int col, Qt::Alignment alignment);
    Qt::Alignment alignment(int col) const;

    std::size_t bytesUsed() const { return m_cells.bytesUsed(); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    CellTexts m_cells;
    QList<Qt::Alignment> m_alignments;
};

} // namespace ui
