#include "statswindow/FigureTable.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <functional>
#include <map>

namespace statswindow {

FigureTable::FigureTable(const QStringList& titles, int numericFrom, const char* objectName, QWidget* parent)
    : QTableWidget(0, int(titles.size()), parent)
    , m_numericFrom(numericFrom)
{
    setObjectName(QString::fromLatin1(objectName));
    setHorizontalHeaderLabels(titles);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setAlternatingRowColors(true);
    setWordWrap(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->hide();
}

void FigureTable::setRows(const std::vector<QStringList>& rows)
{
    clearContents();
    setRowCount(int(rows.size()));
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < columnCount() && column < rows[row].size(); ++column) {
            auto* item = new QTableWidgetItem(rows[row][column]);
            if (column >= m_numericFrom) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            setItem(row, column, item);
        }
    }
    resizeColumnsToContents();
    // Some air between the columns, as a spreadsheet leaves it.
    for (int column = 0; column < columnCount(); ++column) {
        setColumnWidth(column, columnWidth(column) + fontMetrics().averageCharWidth());
    }
}

int FigureTable::contentWidth() const
{
    return horizontalHeader()->length() + 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
}

QString FigureTable::selectedText() const
{
    // The selected cells by row and column; a cell outside the selection but inside its span stays empty.
    std::map<int, std::map<int, QString>> cells;
    int firstColumn = columnCount();
    int lastColumn = -1;
    for (const QModelIndex& index : selectedIndexes()) {
        cells[index.row()][index.column()] = index.data().toString();
        firstColumn = std::min(firstColumn, index.column());
        lastColumn = std::max(lastColumn, index.column());
    }
    if (cells.empty()) {
        return QString();
    }
    QStringList lines;
    const auto line = [&](const std::function<QString(int)>& cell) {
        QStringList fields;
        for (int column = firstColumn; column <= lastColumn; ++column) {
            fields.append(cell(column));
        }
        lines.append(fields.join(QLatin1Char('\t')));
    };
    const bool whole = qsizetype(selectedIndexes().size()) == qsizetype(rowCount()) * columnCount();
    if (whole) {
        line([this](int column) { return horizontalHeaderItem(column)->text(); });
    }
    for (const auto& [row, columns] : cells) {
        line([&columns](int column) {
            const auto found = columns.find(column);
            return found == columns.end() ? QString() : found->second;
        });
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void FigureTable::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(selectedText());
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

} // namespace statswindow
