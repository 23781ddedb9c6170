#pragma once

#include "entry/EntryHost.h"
#include "mainwindow/MainLayout.h"
#include "store/Backup.h"
#include "store/OrderFilter.h"
#include "store/OrderStore.h"

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>

class QKeyEvent;
class QLabel;

namespace store {
class ListedOrders;
}

namespace mainwindow {

// The main window: the order list with its totals, the filter and the commands, and a menu bar above
// them.
// Each handler runs behind guarded(), so a failure shows a message and leaves the window as it was.
// The controls are members of MainControls.
class MainWindow final : public QMainWindow, public entry::EntryHost, public MainControls
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start-up sequence; runs once. The first show() runs it as soon as the window is on the screen,
    // unless somebody ran it before.
    void startUp();

    // Lists the orders the filter covers in the grid, and their five totals.
    void listOrders(const store::OrderFilter& filter);
    // Lists by the filter controls.
    void listByFilter();
    // The filter the controls describe: the date range, and the keyword when a field is chosen.
    store::OrderFilter filterFromControls() const;

    const store::OrderStore& orderStore() const override { return m_store; }
    void refreshList() override;
    QWidget* hostWindow() override { return this; }
    void tellBackup(const store::BackupOutcome& outcome) override { showBackup(outcome); }

    // The order selected in the grid; none before the first listing that found one.
    std::optional<qint64> selectedOrderId() const { return m_selectedId; }

    // Runs a handler body; a store failure or any other exception becomes a message box titled
    // ui::texts::noticeTitle. Returns false when the body failed.
    bool guarded(const std::function<void()>& body);

    // Handlers, connected to their controls' signals. The commands on the selected order and the links
    // are in MainCommands.cpp.
    void recordNewOrder();
    void editSelectedOrder();
    void deleteSelectedOrder();
    void selectClickedOrder();
    void editClickedOrder();
    void openShop();
    void openHomePage();
    void queryOrders();
    void showAllOrders();
    void exportOrders();
    void importOrders();
    // Restores the data file from a backup the seller chooses, keeping the file as it was, and lists again.
    void restoreFromBackup();
    // The statistics of the orders listed now: by period, goods, buyer, and the orders that lost money.
    void showSalesStatistics();
    // Imports the orders of a file (a shop's export, a spreadsheet) and lists their days.
    void importFrom(const QString& path);
    void clearKeyword();
    void pickStartDate();
    void pickEndDate();
    void takePickedDate();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A file dropped on the window is imported.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    enum class ListMode { ByFilter, AllOrders };

    void connectHandlers();
    // Tells in the status bar what the last export or import did; the file's name opens its folder.
    void showResult(const QString& what, const QString& file);
    // Tells in the status bar what became of the day's backup, when one was tried.
    void showBackup(const std::optional<store::BackupOutcome>& outcome);
    void createMenus();
    void openCalendarFor(QLineEdit* box);
    // Keys on the date boxes and the calendar: open it as a click does, Escape closes it unchanged.
    // True when the key was used.
    bool dateKey(QObject* watched, const QKeyEvent& key);
    // The grid's layout after a listing, with orders empty data rows.
    void setUpGrid(int orders);
    // What start-up shows when the first listing failed.
    void showEmptyList();
    // A store of an older layout is brought up to date, after the day's backup.
    void upgradeStore();
    // True when the selected order is one the grid lists.
    bool selectionIsListed() const;
    // Opens the entry window for a new order, or to change the order with this id.
    bool openEntryWindow(std::optional<qint64> orderId); // whether an order was saved

    store::OrderStore m_store;
    QLabel* m_resultLabel = nullptr;
    QLabel* m_backupLabel = nullptr;
    ListMode m_listMode = ListMode::ByFilter;
    std::optional<qint64> m_selectedId;
    std::shared_ptr<store::ListedOrders> m_listed;
    store::OrderFilter m_listedFilter; // what the list on screen covers
    bool m_startedUp = false;
    bool m_shown = false; // placed on the screen and start-up queued
};

} // namespace mainwindow
