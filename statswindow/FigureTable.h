#pragma once

#include <QStringList>
#include <QTableWidget>
#include <vector>

namespace statswindow {

// A read-only table of figures: whole rows are selected, and Ctrl+C copies the selected cells as
// tab-separated text, one line per row, as a spreadsheet pastes it (with the column titles first when the
// whole table is selected).
class FigureTable final : public QTableWidget
{
    Q_OBJECT
public:
    // Columns from numericFrom on hold numbers.
    FigureTable(const QStringList& titles,
                int numericFrom,
                const char* objectName,
                QWidget* parent = nullptr);

    // Replaces the rows; a cell whose column is numeric is right-aligned.
    void setRows(const std::vector<QStringList>& rows);
    // The width that shows every column whole, a vertical scroll bar included.
    int contentWidth() const;
    // The text Ctrl+C puts on the clipboard.
    QString selectedText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_numericFrom;
};

} // namespace statswindow
