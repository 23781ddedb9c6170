#pragma once

#include <QList>
#include <QString>
#include <QTableView>
#include <memory>

namespace ui {

class FlexGridModel;
class GridRows;

// The order grid: a QTableView over a model of cell texts, with the members the windows use. A long list
// comes from a row source that is read only for the rows on screen.
// Row 0 is the fixed header row (shown as the view's horizontal header, so it never scrolls); column 0 is
// the fixed column. Sizes are twips. Rows, Cols, Row, Col, RowSel, ColSel and TopRow count from 0, as
// the cells do; data rows start at 1.
// A click (or Up/Down/PageUp/PageDown/Home/End) makes one cell current, RowSel its row; the wheel is left to
// the window (the grid never scrolls on it by itself) and Tab leaves the grid.
class FlexGrid final : public QTableView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FlexGrid)
public:
    explicit FlexGrid(QWidget* parent = nullptr);
    ~FlexGrid() override;

    int Rows() const;
    void setRows(int rows);
    int Cols() const;
    void setCols(int cols);
    // Empties every cell's text, keeping the shape.
    void Clear();
    // "|<title|<title...": each "|" moves to the next column from column 0, "<" aligns it left (">" right,
    // "^" centred), the titles become row 0's texts. More titles than columns add columns.
    void setFormatString(const QString& format);
    // 0 hides the column; -1 gives it the default width.
    void setColWidth(int col, int twips);
    int ColWidth(int col) const;
    // row -1: every row; row 0 is the header row.
    void setRowHeight(int row, int twips);
    // Throws when the row source cannot read the row.
    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    int Row() const;
    // Makes row the current row (RowSel follows); a row outside the grid is ignored.
    void setRow(int row);
    int Col() const;
    // Makes col the current column (ColSel follows); a column outside the grid is ignored.
    void setCol(int col);
    // The current cell's text.
    QString Text() const;
    int RowSel() const;
    int ColSel() const;
    void setColSel(int col);
    // The first data row shown; a value the grid cannot take leaves it as it was. Near the end the grid
    // shows as many rows as fit, so the row shown first may be an earlier one.
    int TopRow() const;
    void setTopRow(int row);

    // The data rows' texts from now on, for every cell not written with setTextMatrix; Clear drops it.
    void setRowSource(std::unique_ptr<GridRows> rows);

signals:
    // Fire with Row and RowSel already the clicked row.
    void Click();
    void DblClick();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showSelection();
    // Scrolls just far enough that the current row is in sight.
    void scrollToCurrentRow();
    void clampCursor();
    bool takeCell(const QPoint& pos);
    void repaintLater();

    FlexGridModel* m_model;
    int m_row = 1; // current cell
    int m_col = 1;
    int m_rowSel = 1; // far corner of the selection
    int m_colSel = 1;
    bool m_pressedOnCell = false;
    bool m_repaintQueued = false;
    QList<int> m_colTwips; // widths as last set, -1 for the default
};

} // namespace ui
