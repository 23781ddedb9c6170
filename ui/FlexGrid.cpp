#include "ui/FlexGrid.h"

#include "ui/FlexGridModel.h"
#include "ui/Fonts.h"
#include "ui/GridStyle.h"
#include "ui/Twips.h"

#include <QHeaderView>
#include <QItemSelection>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

namespace ui {

namespace {
// The design shape: one header row and one fixed column around one cell.
constexpr int designRows = 2;
constexpr int designCols = 2;
constexpr int defaultRowTwips = 240;
constexpr int defaultColTwips = 960;
} // namespace

FlexGrid::FlexGrid(QWidget* parent)
    : QTableView(parent)
    , m_model(new FlexGridModel(this))
{
    setModel(m_model);
    setStyle(new GridStyle(this));
    setFont(fonts::interfaceFont());
    setSelectionMode(QAbstractItemView::NoSelection); // the grid keeps its own selection
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(false);
    setCornerButtonEnabled(false);

    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::white); // the area beyond the last row and column
    setPalette(p);

    QHeaderView* rowsHeader = verticalHeader();
    rowsHeader->hide();
    rowsHeader->setMinimumSectionSize(1);
    rowsHeader->setSectionResizeMode(QHeaderView::Fixed);
    rowsHeader->setDefaultSectionSize(twips::toPixels(defaultRowTwips));

    QHeaderView* titles = horizontalHeader();
    titles->setMinimumSectionSize(1);
    titles->setSectionsClickable(false);
    titles->setHighlightSections(false);
    titles->setDefaultSectionSize(twips::toPixels(defaultColTwips));
    titles->setFixedHeight(twips::toPixels(defaultRowTwips));

    verticalScrollBar()->installEventFilter(this);
    horizontalScrollBar()->installEventFilter(this);

    setRows(designRows);
    setCols(designCols);
    showSelection();
}

FlexGrid::~FlexGrid() = default;

int FlexGrid::Rows() const
{
    return m_model->gridRows();
}

void FlexGrid::setRows(int rows)
{
    m_model->setShape(std::max(rows, 0), Cols());
    clampCursor();
}

int FlexGrid::Cols() const
{
    return m_model->gridCols();
}

void FlexGrid::setCols(int cols)
{
    cols = std::max(cols, 0);
    m_model->setShape(Rows(), cols);
    m_colTwips.resize(cols, -1);
    clampCursor();
}

void FlexGrid::Clear()
{
    m_model->clearTexts();
    repaintLater();
}

void FlexGrid::setFormatString(const QString& format)
{
    const QStringList titles = format.split(QLatin1Char('|'));
    if (titles.size() > Cols()) {
        setCols(static_cast<int>(titles.size()));
    }
    if (Rows() < 1) {
        setRows(1);
    }
    for (int col = 0; col < titles.size(); ++col) {
        QString title = titles.at(col);
        Qt::Alignment alignment = Qt::AlignLeft;
        if (title.startsWith(QLatin1Char('<'))) {
            title.remove(0, 1);
        } else if (title.startsWith(QLatin1Char('>'))) {
            alignment = Qt::AlignRight;
            title.remove(0, 1);
        } else if (title.startsWith(QLatin1Char('^'))) {
            alignment = Qt::AlignHCenter;
            title.remove(0, 1);
        }
        m_model->setAlignment(col, alignment);
        m_model->setText(0, col, title);
    }
}

void FlexGrid::setColWidth(int col, int twips)
{
    if (col < 0 || col >= Cols()) {
        return;
    }
    m_colTwips[col] = twips < 0 ? -1 : twips;
    const int pixels = twips < 0 ? horizontalHeader()->defaultSectionSize() : twips::toPixels(twips);
    if (pixels == 0) {
        setColumnHidden(col, true);
        return;
    }
    setColumnHidden(col, false);
    horizontalHeader()->resizeSection(col, pixels);
}

int FlexGrid::ColWidth(int col) const
{
    if (col < 0 || col >= Cols()) {
        return 0;
    }
    if (isColumnHidden(col)) {
        return 0;
    }
    // The width as set, unless the user has dragged the column since.
    const int pixels = horizontalHeader()->sectionSize(col);
    const int set = m_colTwips.value(col, -1);
    return set >= 0 && twips::toPixels(set) == pixels ? set : twips::fromPixels(pixels);
}

void FlexGrid::setRowHeight(int row, int twips)
{
    const int pixels = std::max(twips::toPixels(twips), 1);
    if (row == -1) {
        verticalHeader()->setDefaultSectionSize(pixels);
        horizontalHeader()->setFixedHeight(pixels);
    } else if (row == 0) {
        horizontalHeader()->setFixedHeight(pixels);
    } else if (row > 0 && row < Rows()) {
        verticalHeader()->resizeSection(row - 1, pixels);
    }
}

QString FlexGrid::TextMatrix(int row, int col) const
{
    return m_model->text(row, col);
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text)
{
    m_model->setText(row, col, text);
    if (row > 0) {
        repaintLater();
    }
}

int FlexGrid::Row() const
{
    return m_row;
}

void FlexGrid::setRow(int row)
{
    if (row < 0 || row >= Rows()) {
        return;
    }
    m_row = row;
    m_rowSel = row;
    showSelection();
}

int FlexGrid::Col() const
{
    return m_col;
}

void FlexGrid::setCol(int col)
{
    if (col < 0 || col >= Cols()) {
        return;
    }
    m_col = col;
    m_colSel = col;
    showSelection();
}

QString FlexGrid::Text() const
{
    return TextMatrix(m_row, m_col);
}

int FlexGrid::RowSel() const
{
    return m_rowSel;
}

int FlexGrid::ColSel() const
{
    return m_colSel;
}

void FlexGrid::setColSel(int col)
{
    if (col < 0 || col >= Cols()) {
        return;
    }
    m_colSel = col;
    showSelection();
}

int FlexGrid::TopRow() const
{
    return verticalScrollBar()->value() + 1;
}

void FlexGrid::setTopRow(int row)
{
    if (row < 1 || row >= Rows()) {
        return;
    }
    // The scroll range follows the rows only once the view has laid them out.
    executeDelayedItemsLayout();
    verticalScrollBar()->setValue(row - 1);
}

void FlexGrid::setRowSource(std::unique_ptr<GridRows> rows)
{
    m_model->setRowSource(std::move(rows));
    repaintLater();
}

void FlexGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    setFocus(Qt::MouseFocusReason);
    m_pressedOnCell = takeCell(event->position().toPoint());
    event->accept();
}

void FlexGrid::mouseMoveEvent(QMouseEvent* event)
{
    // No drag selection: the selected order is always the one row that was clicked.
    event->accept();
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressedOnCell && event->button() == Qt::LeftButton;
    m_pressedOnCell = false;
    event->accept();
    if (click) {
        emit Click();
    }
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Qt sends press, release, double click, release: the first press and release made the Click, so
    // the release after the double click makes none.
    m_pressedOnCell = false;
    event->accept();
    // A double click anywhere in the grid counts, also below the last row of an empty list; over a cell
    // it first makes that cell the current one.
    if (event->button() == Qt::LeftButton) {
        takeCell(event->position().toPoint());
        emit DblClick();
    }
}

void FlexGrid::keyPressEvent(QKeyEvent* event)
{
    const int dataRows = Rows() - 1;
    if (dataRows < 1 || event->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) {
        QTableView::keyPressEvent(event);
        return;
    }
    const int page = std::max(1, viewport()->height() / std::max(1, verticalHeader()->defaultSectionSize()));
    int row = std::max(m_row, 1);
    switch (event->key()) {
    case Qt::Key_Up:
        row -= 1;
        break;
    case Qt::Key_Down:
        row += 1;
        break;
    case Qt::Key_PageUp:
        row -= page;
        break;
    case Qt::Key_PageDown:
        row += page;
        break;
    case Qt::Key_Home:
        row = 1;
        break;
    case Qt::Key_End:
        row = dataRows;
        break;
    default:
        QTableView::keyPressEvent(event);
        return;
    }
    event->accept();
    row = std::clamp(row, 1, dataRows);
    // Moving by keyboard selects the row as a click does, so the highlighted row is always the
    // selected order.
    setRow(row);
    scrollToCurrentRow();
    emit Click();
}

void FlexGrid::wheelEvent(QWheelEvent* event)
{
    event->ignore(); // the window decides what the wheel does
}

bool FlexGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel &&
        (watched == verticalScrollBar() || watched == horizontalScrollBar())) {
        event->ignore(); // not handled here: it travels on to the window
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

void FlexGrid::showSelection()
{
    QItemSelectionModel* selection = selectionModel();
    if (!selection) {
        return;
    }
    const int top = std::max(std::min(m_row, m_rowSel), 1);
    const int bottom = std::max(m_row, m_rowSel);
    const int left = std::min(m_col, m_colSel);
    const int right = std::max(m_col, m_colSel);
    if (bottom < 1 || bottom >= Rows() || left < 0 || right >= Cols()) {
        selection->clearSelection();
        return;
    }
    const QModelIndex current = m_model->index(std::max(m_row, 1) - 1, m_col);
    selection->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    selection->select(QItemSelection(m_model->index(top - 1, left), m_model->index(bottom - 1, right)),
                      QItemSelectionModel::ClearAndSelect);
}

void FlexGrid::scrollToCurrentRow()
{
    // By the scroll bar, not scrollTo(): the current column may be the hidden id column, and scrollTo
    // does nothing for a hidden cell.
    executeDelayedItemsLayout();
    QScrollBar* bar = verticalScrollBar();
    const int shown = std::max(1, viewport()->height() / std::max(1, verticalHeader()->defaultSectionSize()));
    const int index = m_row - 1;
    if (index < bar->value()) {
        bar->setValue(index);
    } else if (index >= bar->value() + shown) {
        bar->setValue(index - shown + 1);
    }
}

void FlexGrid::clampCursor()
{
    const int lastRow = std::max(Rows() - 1, 0);
    const int lastCol = std::max(Cols() - 1, 0);
    m_row = std::min(m_row, lastRow);
    m_rowSel = std::min(m_rowSel, lastRow);
    m_col = std::min(m_col, lastCol);
    m_colSel = std::min(m_colSel, lastCol);
    showSelection();
}

bool FlexGrid::takeCell(const QPoint& pos)
{
    const QModelIndex index = indexAt(pos);
    if (!index.isValid()) {
        return false;
    }
    m_row = index.row() + 1;
    m_col = index.column();
    m_rowSel = m_row;
    m_colSel = m_col;
    showSelection();
    return true;
}

// Cell writes are not signalled one by one; one repaint after the writes shows them all.
void FlexGrid::repaintLater()
{
    if (m_repaintQueued) {
        return;
    }
    m_repaintQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_repaintQueued = false;
            viewport()->update();
        },
        Qt::QueuedConnection);
}

} // namespace ui
