#include "mainwindow/MainForm.h"

#include "entry/OpenEntryWindow.h"
#include "entry/OrderStore.h"
#include "mainwindow/MainTexts.h"
#include "mainwindow/Statements.h"
#include "store/DbConfig.h"
#include "store/Recordset.h"
#include "ui/FlexGrid.h"
#include "ui/MessageBox.h"
#include "ui/UiTexts.h"

#include <QDesktopServices>
#include <QLineEdit>
#include <QUrl>

// The commands that act on the selected order, and the two links.

namespace mainwindow {

namespace {

// Edit and delete act only on an order the grid lists: after a listing that found nothing, ddid still
// names the order selected before, which the user can no longer see.
bool selectionIsListed(MainForm& form)
{
    const QString id = form.ddidText();
    const ui::FlexGrid& grid = *form.MSFlexGrid1;
    if (!entry::isIdText(id) || grid.Rows() <= 1) {
        return false;
    }
    if (grid.Row() >= 1 && grid.TextMatrix(grid.Row(), 0) == id) {
        return true;
    }
    for (int row = 1; row < grid.Rows(); ++row) {
        if (grid.TextMatrix(row, 0) == id) {
            return true;
        }
    }
    return false;
}

void warnNoSelection(MainForm& form)
{
    ui::MsgBox(texts::selectFirst, ui::MB_OK_EXCLAMATION, ui::texts::noticeTitle, &form);
}

// Deletes the order with this id through ddrs. An order no longer stored leaves nothing to delete.
void deleteOrder(const QString& id)
{
    db_config::DdrsScope release;
    store::Recordset& rs = db_config::takeDdrs();
    db_config::prepare(rs, deleteStatement(id));
    rs.Open();
    if (!rs.Eof()) {
        rs.Delete(1);      // the current row only
        rs.UpdateBatch(3); // every pending change
    }
    rs.Close();
}

} // namespace

void MainForm::b1_Click()
{
    setTag(QString());
    entry::openEntryWindow(*this);
}

void MainForm::b2_Click()
{
    if (!selectionIsListed(*this)) {
        warnNoSelection(*this);
        return;
    }
    setTag(entry::editMarker);
    entry::openEntryWindow(*this);
}

void MainForm::b3_Click()
{
    if (!selectionIsListed(*this)) {
        warnNoSelection(*this);
        return;
    }
    if (ui::MsgBox(texts::confirmDelete, ui::MB_YESNO_QUESTION, ui::texts::noticeTitle, this) == ui::IDYES) {
        deleteOrder(ddidText());
    }
    refreshByListmode();
}

void MainForm::MSFlexGrid1_Click()
{
    ui::FlexGrid& grid = *MSFlexGrid1;
    grid.setCol(0);
    ddid->setText(grid.Text());
    grid.setRow(grid.RowSel());
    grid.setCol(0);
    grid.setColSel(grid.Cols() - 1);
}

void MainForm::MSFlexGrid1_DblClick()
{
    // On an empty grid the id left from an earlier listing names nothing the user sees: a new order.
    setTag(MSFlexGrid1->Rows() > 1 ? entry::editMarker : QString());
    entry::openEntryWindow(*this);
}

void MainForm::Label1_Click()
{
    OpenUrl(texts::shopUrl);
}

void MainForm::Label3_Click()
{
    OpenUrl(texts::homeUrl);
}

void MainForm::OpenUrl(const QString& address)
{
    // A browser that does not start is not reported.
    QDesktopServices::openUrl(QUrl(address));
}

} // namespace mainwindow
