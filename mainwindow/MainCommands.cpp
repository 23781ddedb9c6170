#include "mainwindow/MainWindow.h"

#include "entry/OpenEntryWindow.h"
#include "mainwindow/MainTexts.h"
#include "store/ListedOrders.h"
#include "ui/FlexGrid.h"
#include "ui/MessageBox.h"
#include "ui/UiTexts.h"

#include <QDesktopServices>
#include <QUrl>
#include <algorithm>

// The commands that act on the selected order, and the two links.

namespace mainwindow {

namespace {

void warnNoSelection(QWidget* parent)
{
    ui::MsgBox(texts::selectFirst, ui::MB_OK_EXCLAMATION, ui::texts::noticeTitle, parent);
}

// Opens address in the browser; a browser that does not start is not reported.
void openInBrowser(const QString& address)
{
    QDesktopServices::openUrl(QUrl(address));
}

} // namespace

bool MainWindow::selectionIsListed() const
{
    // After a listing that found nothing, the order selected before is one the user can no longer see.
    if (!m_selectedId || !m_listed || m_listed->size() == 0) {
        return false;
    }
    const int row = orderGrid->Row();
    if (row >= 1 && std::size_t(row) <= m_listed->size() &&
        m_listed->id(std::size_t(row) - 1) == *m_selectedId) {
        return true;
    }
    for (std::size_t i = 0; i < m_listed->size(); ++i) {
        if (m_listed->id(i) == *m_selectedId) {
            return true;
        }
    }
    return false;
}

bool MainWindow::openEntryWindow(std::optional<qint64> orderId)
{
    return entry::openEntryWindow(*this, orderId);
}

void MainWindow::recordNewOrder()
{
    openEntryWindow(std::nullopt);
}

void MainWindow::editSelectedOrder()
{
    if (!selectionIsListed()) {
        warnNoSelection(this);
        return;
    }
    openEntryWindow(m_selectedId);
}

void MainWindow::deleteSelectedOrder()
{
    if (!selectionIsListed()) {
        warnNoSelection(this);
        return;
    }
    if (ui::MsgBox(texts::confirmDelete, ui::MB_YESNO_QUESTION, ui::texts::noticeTitle, this) == ui::IDYES) {
        m_store.remove(*m_selectedId); // an order no longer stored leaves nothing to delete
    }
    refreshList();
}

void MainWindow::selectClickedOrder()
{
    ui::FlexGrid& grid = *orderGrid;
    const int row = grid.RowSel();
    if (m_listed && row >= 1 && std::size_t(row) <= m_listed->size()) {
        m_selectedId = m_listed->id(std::size_t(row) - 1);
    }
    grid.setRow(row);
    grid.setCol(0);
    grid.setColSel(grid.Cols() - 1);
}

void MainWindow::editClickedOrder()
{
    // On an empty grid the order selected in an earlier listing is nothing the user sees: a new order.
    openEntryWindow(orderGrid->Rows() > 1 ? m_selectedId : std::nullopt);
}

void MainWindow::openShop()
{
    openInBrowser(texts::shopUrl);
}

void MainWindow::openHomePage()
{
    openInBrowser(texts::homeUrl);
}

} // namespace mainwindow
