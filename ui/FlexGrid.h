#pragma once

#include <QString>
#include <QTableView>

namespace ui {

class FlexGridModel;

// The order grid: a QTableView over a compact model of cell texts, with the members the windows use.
// Row 0 is the fixed header row (shown as the view's horizontal header, so it never scrolls); column 0 is
// the fixed column. Sizes are twips. Rows, Cols, Row, Col, RowSel, ColSel and TopRow count from 0, as
// the cells do; data rows start at 1.
class FlexGrid final : public QTableView
{
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);
    ~FlexGrid() override;

    int Rows() const;
    void setRows(int rows);
    int Cols() const;
    void setCols(int cols);
    // Empties every cell's text, keeping the shape.
    void Clear();
    // "|<title|<title...": each "|" moves to the next column from column 0, "<" aligns it left, the
    // titles become row 0's texts.
    void setFormatString(const QString& format);
    void setColWidth(int col, int twips);
    // row -1: every row.
    void setRowHeight(int row, int twips);
    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    int Row() const;
    void setRow(int row);
    int Col() const;
    void setCol(int col);
    // The current cell's text.
    QString Text() const;
    int RowSel() const;
    int ColSel() const;
    void setColSel(int col);
    // The first data row shown; a value the grid cannot take leaves it as it was.
    int TopRow() const;
    void setTopRow(int row);

    // Speeds up a full refill: many rows written in one go.
    void reserve(int rows);

signals:
    // Fire with Row and RowSel already the clicked row.
    void Click();
    void DblClick();
};

} // namespace ui
