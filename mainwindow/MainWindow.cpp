#include "mainwindow/MainWindow.h"

#include "entry/DailyBackup.h"
#include "export/ExportOrders.h"
#include "importdialog/ImportFile.h"
#include "jetimport/Offer.h"
#include "mainwindow/FolderMemory.h"
#include "mainwindow/GridColumns.h"
#include "mainwindow/GridOrders.h"
#include "mainwindow/Guarded.h"
#include "mainwindow/MainTexts.h"
#include "mainwindow/RestoreDialog.h"
#include "statswindow/ShowStatistics.h"
#include "store/AppFolder.h"
#include "store/ListedOrders.h"
#include "store/Restore.h"
#include "store/StoreError.h"
#include "store/StoreTexts.h"
#include "store/TextForms.h"
#include "ui/EnterPressesButton.h"
#include "ui/FlexGrid.h"
#include "ui/Label.h"
#include "ui/MessageBox.h"
#include "ui/MonthView.h"
#include "ui/ScreenFit.h"
#include "ui/UiTexts.h"
#include "ui/WaitCursor.h"
#include "wheel/WheelHook.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <limits>
#include <stdexcept>

namespace mainwindow {

namespace {

// The keys that open a date box's calendar, as they open a drop-down: Space, Enter, F4, Alt+Down.
bool opensCalendar(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
    switch (key.key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F4:
        return mods == Qt::NoModifier;
    case Qt::Key_Down:
        return mods == Qt::AltModifier;
    default:
        return false;
    }
}

// A date box's day; the boxes are written by the program alone, so a text that is no day is a fault.
QDate dayIn(const QLineEdit& box)
{
    const std::optional<QDate> day = store::textforms::readDate(box.text());
    if (!day || !store::textforms::inCalendarRange(*day)) {
        throw store::StoreError(store::StoreError::Kind::TypeMismatch,
                                store::texts::typeMismatch(box.text()));
    }
    return *day;
}

// The field of a field list's item; none for the prompt.
std::optional<store::SearchField> fieldOf(const QString& item)
{
    if (item == texts::fieldGoods) {
        return store::SearchField::Goods;
    }
    if (item == texts::fieldBuyer) {
        return store::SearchField::Buyer;
    }
    if (item == texts::fieldWaybill) {
        return store::SearchField::Waybill;
    }
    if (item == texts::fieldRemark) {
        return store::SearchField::Remark;
    }
    return std::nullopt;
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , m_store(store::dataFileIn(store::appFolder()))
{
    buildMainLayout(*this, *this);
    setObjectName(QStringLiteral("mainfrm"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    createMenus();
    // The result of the last export or import, below the client area.
    m_resultLabel = new QLabel(statusBar());
    m_resultLabel->setObjectName(QStringLiteral("resultLabel"));
    m_resultLabel->setTextFormat(Qt::RichText);
    m_resultLabel->setOpenExternalLinks(true);
    statusBar()->addWidget(m_resultLabel, 1);
    // And the day's backup.
    m_backupLabel = new QLabel(statusBar());
    m_backupLabel->setObjectName(QStringLiteral("backupLabel"));
    m_backupLabel->setTextFormat(Qt::RichText);
    m_backupLabel->setOpenExternalLinks(true);
    statusBar()->addPermanentWidget(m_backupLabel);
    // The client area keeps its designed size: the window grows by the menu bar and the status bar, as
    // tall as their font and style make them.
    menuBar()->ensurePolished();
    statusBar()->ensurePolished();
    resize(width(), height() + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    setAcceptDrops(true);
    connectHandlers();
    ui::pressButtonsOnEnter(*this);
}

void MainWindow::createMenus()
{
    QMenu* file = menuBar()->addMenu(texts::fileMenu);
    file->setObjectName(QStringLiteral("fileMenu"));
    const auto add = [this](QMenu* menu, const QString& text, const QKeySequence& keys,
                            void (MainWindow::*handler)()) {
        QAction* action = menu->addAction(text);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this,
                [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
        return action;
    };
    add(file, texts::importAction, QKeySequence(Qt::CTRL | Qt::Key_I), &MainWindow::importOrders)
        ->setObjectName(QStringLiteral("importAction"));
    add(file, texts::exportAction, QKeySequence(), &MainWindow::exportOrders)
        ->setObjectName(QStringLiteral("exportAction"));
    add(file, texts::restoreAction, QKeySequence(), &MainWindow::restoreFromBackup)
        ->setObjectName(QStringLiteral("restoreAction"));
    file->addSeparator();
    QAction* quit = file->addAction(texts::quitAction);
    quit->setObjectName(QStringLiteral("quitAction"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q)); // the platform's Quit, also where it names none
    connect(quit, &QAction::triggered, this, &QWidget::close);
    QMenu* statistics = menuBar()->addMenu(texts::statisticsMenu);
    statistics->setObjectName(QStringLiteral("statisticsMenu"));
    add(statistics, texts::salesStatisticsAction, QKeySequence(Qt::CTRL | Qt::Key_T),
        &MainWindow::showSalesStatistics)
        ->setObjectName(QStringLiteral("salesStatisticsAction"));
}

MainWindow::~MainWindow()
{
    wheel::unhookWheel();
}

void MainWindow::connectHandlers()
{
    const auto edge = [this](void (MainWindow::*handler)()) {
        return [this, handler] { guarded([this, handler] { (this->*handler)(); }); };
    };
    connect(newOrderButton, &QPushButton::clicked, this, edge(&MainWindow::recordNewOrder));
    connect(editOrderButton, &QPushButton::clicked, this, edge(&MainWindow::editSelectedOrder));
    connect(deleteOrderButton, &QPushButton::clicked, this, edge(&MainWindow::deleteSelectedOrder));
    connect(queryButton, &QPushButton::clicked, this, edge(&MainWindow::queryOrders));
    connect(allOrdersButton, &QPushButton::clicked, this, edge(&MainWindow::showAllOrders));
    connect(exportButton, &QPushButton::clicked, this, edge(&MainWindow::exportOrders));
    connect(orderGrid, &ui::FlexGrid::Click, this, edge(&MainWindow::selectClickedOrder));
    connect(orderGrid, &ui::FlexGrid::DblClick, this, edge(&MainWindow::editClickedOrder));
    connect(shopLink, &ui::Label::clicked, this, edge(&MainWindow::openShop));
    connect(homeLink, &ui::Label::clicked, this, edge(&MainWindow::openHomePage));
    connect(calendar, &ui::MonthView::DateClick, this, edge(&MainWindow::takePickedDate));
    // Line edits have no click signal.
    for (QLineEdit* box : {keywordBox, startDateBox, endDateBox}) {
        box->installEventFilter(this);
    }
    // Escape in the calendar reaches its day table first.
    calendar->installEventFilter(this);
    if (QWidget* days = calendar->focusProxy()) {
        days->installEventFilter(this);
    }
}

bool MainWindow::guarded(const std::function<void()>& body)
{
    return runGuarded(this, body);
}

void MainWindow::startUp()
{
    if (m_startedUp) {
        return;
    }
    m_startedUp = true;
    const QString folder = store::appFolder();
    const QString& dataFile = m_store.dataFile();
    const QDate today = QDate::currentDate();
    bool goOn = true;
    // A data file that cannot be opened, when there is a good backup to restore it from.
    std::optional<store::StoreError> unreadable;
    std::vector<store::BackupCopy> backups;
    const mainwindow::Explain explain = [&](const QString& text) {
        return texts::startupFailure(text, dataFile);
    };
    bool listed = runGuarded(
        this,
        [&] {
            // The skin: a style sheet beside the executable, when there is a readable one.
            QFile skin(QDir(folder).filePath(QStringLiteral("skin.she")));
            if (skin.open(QIODevice::ReadOnly)) {
                qApp->setStyleSheet(QString::fromUtf8(skin.readAll()));
            }
            // Today in both date boxes and in the calendar.
            startDateBox->setText(store::textforms::dateText(today));
            endDateBox->setText(store::textforms::dateText(today));
            calendar->setValue(today);
            fieldList->setCurrentText(texts::fieldPrompt);
            m_listMode = ListMode::ByFilter;
            // Today's orders; an Access (Jet) data.mdb is first offered for conversion.
            goOn = jetimport::offerConversion(this, dataFile);
            if (goOn) {
                try {
                    upgradeStore();
                    listOrders(store::OrderFilter::days(today, today));
                } catch (const store::StoreError& e) {
                    using Kind = store::StoreError::Kind;
                    const bool restorable = e.kind() == Kind::FileMissing || e.kind() == Kind::NotADatabase ||
                                            e.kind() == Kind::WrongTable;
                    if (restorable) {
                        const ui::WaitCursor waiting; // every copy is opened and checked
                        backups = store::goodBackups(dataFile);
                    }
                    if (backups.empty()) {
                        throw;
                    }
                    unreadable = e;
                }
            }
        },
        explain);
    if (unreadable) {
        // The seller may restore the newest good backup; otherwise the failure is told as it is.
        listed = runGuarded(
            this,
            [&] {
                if (!offerStartupRestore(this, dataFile, *unreadable, backups.front())) {
                    throw *unreadable;
                }
                upgradeStore();
                listOrders(store::OrderFilter::days(today, today));
            },
            explain);
    }
    if (!listed || !goOn) {
        showEmptyList();
        return;
    }
    // A write-protected store lists as usual, but the seller must know before typing an order that it
    // cannot be saved.
    runGuarded(this, [&] { m_store.requireWritable(); });
    showBackup(entry::backupIfDue(this, m_store));
}

void MainWindow::upgradeStore()
{
    if (!m_store.needsUpgrade()) {
        return;
    }
    try {
        m_store.requireWritable();
    } catch (const store::StoreError& e) {
        // The older layouts read as they are: a store that cannot be written is listed unchanged, and the
        // seller hears why nothing can be saved.
        if (e.kind() == store::StoreError::Kind::ReadOnly) {
            return;
        }
        throw;
    }
    showBackup(entry::backupIfDue(this, m_store));
    try {
        m_store.upgrade();
    } catch (const store::StoreError& e) {
        // Another program holds the file: the older layout reads as it is, and the next start upgrades.
        if (e.kind() != store::StoreError::Kind::Locked) {
            throw;
        }
    }
}

void MainWindow::showEmptyList()
{
    // No totals are known: the placeholder digits must not pass for them.
    for (ui::Label* total : {ordersTotal, piecesTotal, costTotal, salesTotal, profitTotal}) {
        total->setText(QString());
    }
    setUpGrid(0);
}

void MainWindow::setUpGrid(int orders)
{
    ui::FlexGrid& grid = *orderGrid;
    grid.setRows(orders + 1);
    grid.setCols(static_cast<int>(gridColumns.size()));
    grid.Clear();
    grid.setFormatString(gridFormat());
    grid.setRowHeight(-1, gridRowHeight);
    for (std::size_t col = 0; col < gridColumns.size(); ++col) {
        grid.setColWidth(int(col), gridColumns[col].width);
    }
}

void MainWindow::listOrders(const store::OrderFilter& filter)
{
    // The five totals, the list and its first rows are read in one pass before anything on screen
    // changes, so a failure leaves the window as it was.
    store::Listing listing = m_store.list(filter);
    const qint64 n = qint64(listing.ids.size());
    if (n >= std::numeric_limits<int>::max()) {
        throw std::length_error("too many orders for one list");
    }
    auto listed = std::make_shared<store::ListedOrders>(m_store.dataFile(), std::move(listing.ids),
                                                        std::move(listing.firstOrders));
    const store::Totals& totals = listing.totals;
    ordersTotal->setText(QString::number(totals.orders) + texts::unitOrders);
    piecesTotal->setText(texts::sumCaption(totals.pieces, texts::unitPieces));
    costTotal->setText(texts::sumCaption(totals.purchaseCost, texts::unitYuan));
    salesTotal->setText(texts::sumCaption(totals.salesAmount, texts::unitYuan));
    profitTotal->setText(texts::sumCaption(totals.profit, texts::unitYuan));
    setUpGrid(static_cast<int>(n));
    m_listed = listed;
    m_listedFilter = filter;
    if (n == 0) {
        return;
    }
    ui::FlexGrid& grid = *orderGrid;
    grid.setRowSource(std::make_unique<GridOrders>(listed));
    grid.setCol(0);
    grid.setRow(1);
    m_selectedId = listed->id(0);
    grid.setColSel(grid.Cols() - 1);
    grid.scrollToTop();
}

store::OrderFilter MainWindow::filterFromControls() const
{
    store::OrderFilter filter = store::OrderFilter::days(dayIn(*startDateBox), dayIn(*endDateBox));
    const QString keyword = keywordBox->text();
    if (!keyword.isEmpty() && keyword != texts::keywordPrompt) {
        // A keyword with no field chosen is searched in all of them.
        const QString field = fieldList->currentText();
        filter.field = field == texts::fieldPrompt ? store::SearchField::Any : fieldOf(field);
        filter.keyword = keyword;
    }
    return filter;
}

void MainWindow::listByFilter()
{
    listOrders(filterFromControls());
}

void MainWindow::refreshList()
{
    if (m_listMode == ListMode::AllOrders) {
        listOrders(store::OrderFilter::everyOrder());
    } else {
        listByFilter();
    }
}

void MainWindow::queryOrders()
{
    m_listMode = ListMode::ByFilter; // holds even when a check stops the query
    const std::optional<QDate> start = store::textforms::readDate(startDateBox->text());
    if (!start) {
        ui::MsgBox(texts::startMissing, ui::MB_OK_EXCLAMATION, ui::texts::noticeTitle, this);
        return;
    }
    const std::optional<QDate> end = store::textforms::readDate(endDateBox->text());
    if (!end) {
        ui::MsgBox(texts::endMissing, ui::MB_OK_EXCLAMATION, ui::texts::noticeTitle, this);
        return;
    }
    if (*end < *start) {
        ui::MsgBox(texts::endBeforeStart, ui::MB_OK_EXCLAMATION, ui::texts::noticeTitle, this);
        return;
    }
    listByFilter();
}

void MainWindow::showAllOrders()
{
    m_listMode = ListMode::AllOrders;
    listOrders(store::OrderFilter::everyOrder());
}

void MainWindow::exportOrders()
{
    const QString& dataFile = m_store.dataFile();
    QString saved;
    if (xl::exportOrders(m_listed.get(), exportColumns(), this,
                         folders::lastUsed(dataFile, folders::exportKey), &saved)) {
        folders::remember(dataFile, folders::exportKey, saved);
        showResult(texts::exported(m_listed ? qint64(m_listed->size()) : 0), saved);
    }
}

void MainWindow::showBackup(const std::optional<store::BackupOutcome>& outcome)
{
    if (!outcome || outcome->kind == store::BackupOutcome::Kind::NothingToSave) {
        return;
    }
    if (outcome->kind == store::BackupOutcome::Kind::Failed) {
        m_backupLabel->setText(texts::backupFailed(outcome->reason).toHtmlEscaped());
        return;
    }
    // The copy's name leads to the backup folder.
    const QFileInfo copy(outcome->path);
    m_backupLabel->setText(texts::backupMade +
                           QStringLiteral("<a href=\"%1\">%2</a>")
                               .arg(QUrl::fromLocalFile(copy.absolutePath()).toString(QUrl::FullyEncoded),
                                    copy.fileName().toHtmlEscaped()));
}

void MainWindow::showResult(const QString& what, const QString& file)
{
    // The file's name leads to its folder.
    const QFileInfo info(file);
    m_resultLabel->setText(what +
                           QStringLiteral("<a href=\"%1\">%2</a>")
                               .arg(QUrl::fromLocalFile(info.absolutePath()).toString(QUrl::FullyEncoded),
                                    info.fileName().toHtmlEscaped()));
}

void MainWindow::showSalesStatistics()
{
    statswindow::showStatistics(this, m_store, m_listedFilter,
                                [this](qint64 orderId) { return openEntryWindow(orderId); });
}

void MainWindow::importOrders()
{
    const QString path =
        importdialog::askImportFile(this, folders::lastUsed(m_store.dataFile(), folders::importKey));
    if (!path.isEmpty()) {
        importFrom(path);
    }
}

void MainWindow::restoreFromBackup()
{
    const QString& dataFile = m_store.dataFile();
    const std::optional<RestoreChoice> choice = chooseBackup(this, dataFile);
    if (!choice) {
        return;
    }
    // The list on screen reads the data file: it lets go of it before the file is replaced.
    showEmptyList();
    orderGrid->setRowSource(nullptr);
    m_listed.reset();
    m_selectedId.reset();
    QString kept;
    const bool restored =
        guarded([&] { kept = store::restoreBackup(dataFile, choice->copy, choice->keptName); });
    // The list as the data file is now, restored or as it was.
    guarded([this] { refreshList(); });
    if (restored) {
        ui::MsgBox(
            texts::restored(madeText(choice->copy), choice->copy.orders, QDir::toNativeSeparators(kept)),
            ui::MB_OK, ui::texts::noticeTitle, this);
    }
}

void MainWindow::importFrom(const QString& path)
{
    const std::optional<importdialog::ImportDone> done = importdialog::importFile(
        this, m_store, path, [this](const store::BackupOutcome& outcome) { showBackup(outcome); });
    if (!done) {
        return;
    }
    folders::remember(m_store.dataFile(), folders::importKey, path);
    showResult(texts::imported(done->imported), path);
    // The list shows the days the imported orders were sold on, and the filter says so.
    startDateBox->setText(store::textforms::dateText(done->first));
    endDateBox->setText(store::textforms::dateText(done->last));
    fieldList->setCurrentText(texts::fieldPrompt);
    keywordBox->setText(texts::keywordPrompt);
    m_listMode = ListMode::ByFilter;
    listByFilter();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.front().isLocalFile()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return;
    }
    event->acceptProposedAction();
    const QString path = urls.front().toLocalFile();
    // After the drop has ended: the import asks questions of its own.
    QTimer::singleShot(0, this, [this, path] { guarded([this, &path] { importFrom(path); }); });
}

void MainWindow::clearKeyword()
{
    keywordBox->clear();
}

void MainWindow::pickStartDate()
{
    openCalendarFor(startDateBox);
}

void MainWindow::pickEndDate()
{
    openCalendarFor(endDateBox);
}

void MainWindow::openCalendarFor(QLineEdit* box)
{
    calendar->setVisible(true);
    calendar->raise();
    calendar->Tag = box->objectName();
}

bool MainWindow::dateKey(QObject* watched, const QKeyEvent& key)
{
    if ((watched == startDateBox || watched == endDateBox) && opensCalendar(key)) {
        guarded([&] {
            watched == startDateBox ? pickStartDate() : pickEndDate();
            // From the keyboard the arrows then move through the days and Enter picks one.
            calendar->setFocus(Qt::OtherFocusReason);
        });
        return true;
    }
    const bool calendarOrBox = watched == calendar || watched == calendar->focusProxy() ||
                               watched == startDateBox || watched == endDateBox;
    if (calendarOrBox && key.key() == Qt::Key_Escape && calendar->isVisible()) {
        // Closed without a change; the focus goes back to the box the calendar was opened for.
        calendar->setVisible(false);
        QLineEdit* target = calendar->Tag == endDateBox->objectName() ? endDateBox : startDateBox;
        target->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return false;
}

void MainWindow::takePickedDate()
{
    QLineEdit* target = nullptr;
    if (calendar->Tag == startDateBox->objectName()) {
        target = startDateBox;
    } else if (calendar->Tag == endDateBox->objectName()) {
        target = endDateBox;
    }
    if (!target) {
        return;
    }
    target->setText(store::textforms::dateText(calendar->Value()));
    calendar->setVisible(false);
    target->setFocus(Qt::OtherFocusReason);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shown) {
        return;
    }
    m_shown = true;
    if (!m_startedUp) {
        // Until start-up has listed, and behind whatever it has to say, an empty list: the design
        // digits never show.
        showEmptyList();
    }
    // The designed place, unless part of the window would be off a small screen.
    ui::keepOnScreen(*this);
    // Start-up runs once the window is on the screen, so that its messages (a data.mdb that cannot be
    // read, a write-protected one) come up over the window, not on an empty screen before it.
    QTimer::singleShot(0, this, [this] {
        ui::keepOnScreen(*this); // with the frame the window system has now given the window
        startUp();
    });
}

void MainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) {
            wheel::hookWheel(this);
        } else {
            wheel::unhookWheel();
        }
    }
    QMainWindow::changeEvent(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && dateKey(watched, *static_cast<QKeyEvent*>(event))) {
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        auto* box = qobject_cast<QLineEdit*>(watched);
        if (box && mouse->button() == Qt::LeftButton && box->rect().contains(mouse->position().toPoint())) {
            if (box == keywordBox) {
                guarded([this] { clearKeyword(); });
            } else if (box == startDateBox) {
                guarded([this] { pickStartDate(); });
            } else if (box == endDateBox) {
                guarded([this] { pickEndDate(); });
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace mainwindow
