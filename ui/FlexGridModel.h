#pragma once

#include "ui/GridRows.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <memory>

namespace ui {

// The grid's cells as a table model. Grid row 0 is the header: it is the model's horizontal header
// data, and grid row r (r >= 1) is model row r - 1. Column 0 is the fixed column. A cell shows the text
// written into it, else what the row source gives for it, made when the view paints it.
class FlexGridModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FlexGridModel)
public:
    explicit FlexGridModel(QObject* parent = nullptr);
    ~FlexGridModel() override;

    int gridRows() const { return m_rows; }
    int gridCols() const { return m_cols; }
    // Changes the shape, keeping the texts of the cells that stay; views see rows and columns come and go.
    void setShape(int rows, int cols);
    // Empties every cell: the written texts and the row source.
    void clearTexts();
    // The data rows' texts from now on, for the cells not written; nullptr: none.
    void setRowSource(std::unique_ptr<GridRows> rows);

    // Throws what the row source throws.
    QString text(int row, int col) const;
    // Writes one cell. Only header cells are signalled (headerDataChanged): the grid repaints data cells
    // itself, so that many writes send no signal per cell.
    void setText(int row, int col, const QString& text);

    // Horizontal alignment of a column's cells and title.
    void setAlignment(int col, Qt::Alignment alignment);
    Qt::Alignment alignment(int col) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    static quint64 key(int row, int col) { return (quint64(quint32(row)) << 32) | quint32(col); }
    bool inside(int row, int col) const { return row >= 0 && row < m_rows && col >= 0 && col < m_cols; }

    int m_rows = 0;
    int m_cols = 0;
    QHash<quint64, QString> m_written; // cells written one by one: the header, small grids
    std::unique_ptr<GridRows> m_source;
    QList<Qt::Alignment> m_alignments;
};

} // namespace ui
