#include "mainwindow/MainForm.h"

#include "entry/DailyBackup.h"
#include "export/ExportToExcel.h"
#include "jetimport/Offer.h"
#include "mainwindow/GridColumns.h"
#include "mainwindow/Guarded.h"
#include "mainwindow/ListedOrders.h"
#include "mainwindow/MainTexts.h"
#include "mainwindow/Statements.h"
#include "store/DbConfig.h"
#include "store/Listing.h"
#include "store/TextForms.h"
#include "store/WritableCheck.h"
#include "ui/EnterPressesButton.h"
#include "ui/FlexGrid.h"
#include "ui/Label.h"
#include "ui/MessageBox.h"
#include "ui/MonthView.h"
#include "ui/ScreenFit.h"
#include "ui/UiTexts.h"
#include "wheel/modMouseWheel.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <limits>
#include <stdexcept>

namespace mainwindow {

namespace {

// The calendar's tag: which box gets the next picked date.
const QString startTag = QStringLiteral("startdate");
const QString endTag = QStringLiteral("enddate");

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

} // namespace

MainForm::MainForm(QWidget* parent)
    : QWidget(parent)
{
    buildMainLayout(*this, *this);
    setObjectName(QStringLiteral("mainfrm"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    connectHandlers();
    ui::pressButtonsOnEnter(*this);
}

MainForm::~MainForm()
{
    modMouseWheel::UnhookWheel();
}

void MainForm::connectHandlers()
{
    const auto edge = [this](void (MainForm::*handler)()) {
        return [this, handler] { guarded([this, handler] { (this->*handler)(); }); };
    };
    connect(b1, &QPushButton::clicked, this, edge(&MainForm::b1_Click));
    connect(b2, &QPushButton::clicked, this, edge(&MainForm::b2_Click));
    connect(b3, &QPushButton::clicked, this, edge(&MainForm::b3_Click));
    connect(b4, &QPushButton::clicked, this, edge(&MainForm::b4_Click));
    connect(b5, &QPushButton::clicked, this, edge(&MainForm::b5_Click));
    connect(b6, &QPushButton::clicked, this, edge(&MainForm::b6_Click));
    connect(MSFlexGrid1, &ui::FlexGrid::Click, this, edge(&MainForm::MSFlexGrid1_Click));
    connect(MSFlexGrid1, &ui::FlexGrid::DblClick, this, edge(&MainForm::MSFlexGrid1_DblClick));
    connect(Label1, &ui::Label::clicked, this, edge(&MainForm::Label1_Click));
    connect(Label3, &ui::Label::clicked, this, edge(&MainForm::Label3_Click));
    connect(MonthView1, &ui::MonthView::DateClick, this, edge(&MainForm::MonthView1_DateClick));
    // Line edits have no click signal.
    for (QLineEdit* box : {c2, startdate, enddate}) {
        box->installEventFilter(this);
    }
    // Escape in the calendar reaches its day table first.
    MonthView1->installEventFilter(this);
    if (QWidget* days = MonthView1->focusProxy()) {
        days->installEventFilter(this);
    }
}

bool MainForm::guarded(const std::function<void()>& body)
{
    return runGuarded(this, body);
}

void MainForm::Form_Load()
{
    if (m_loaded) {
        return;
    }
    m_loaded = true;
    const db_config::ConnectionString connection = db_config::buildConnstr(db_config::appFolder());
    const QString& dataFile = connection.dataFile;
    bool goOn = true;
    const bool listed = runGuarded(
        this,
        [&] {
            // 1. The skin: a style sheet beside the executable, when there is a readable one.
            QFile skin(QDir(connection.folder).filePath(QStringLiteral("skin.she")));
            if (skin.open(QIODevice::ReadOnly)) {
                qApp->setStyleSheet(QString::fromUtf8(skin.readAll()));
            }
            // 2-3. Today in both date boxes and in the calendar.
            const QDate today = QDate::currentDate();
            startdate->setText(store::textforms::dateText(today));
            enddate->setText(store::textforms::dateText(today));
            MonthView1->setValue(today);
            // 4-6.
            c1->setCurrentText(texts::fieldPrompt);
            db_config::listmode = db_config::listmodeQuery;
            db_config::connstr = connection;
            // 7. Today's orders; an Access (Jet) data.mdb is first offered for conversion.
            goOn = jetimport::offerConversion(this, dataFile);
            if (goOn) {
                ddlist(singleDay(startdate->text()));
            }
        },
        [&](const QString& text) { return texts::startupFailure(text, dataFile); });
    if (!listed || !goOn) {
        showEmptyList();
        return;
    }
    // A write-protected store lists as usual, but the seller must know before typing an order that it
    // cannot be saved.
    runGuarded(this, [&] { store::requireWritableStore(dataFile); });
    entry::backupIfDue(this);
}

void MainForm::showEmptyList()
{
    // No totals are known: the placeholder digits must not pass for them.
    for (ui::Label* total : {d1, d2, d3, d4, d5}) {
        total->setText(QString());
    }
    setUpGrid(0);
}

void MainForm::setUpGrid(int orders)
{
    ui::FlexGrid& grid = *MSFlexGrid1;
    grid.setRows(orders + 1);
    grid.setCols(static_cast<int>(gridColumns.size()));
    grid.Clear();
    grid.setFormatString(gridFormat);
    grid.setRowHeight(-1, gridRowHeight);
    for (std::size_t col = 0; col < gridColumns.size(); ++col) {
        grid.setColWidth(int(col), gridColumns[col].width);
    }
}

void MainForm::ddlist(const QString& condition)
{
    // The five totals, the list and its first rows are read in one pass before anything on screen
    // changes, so a failure leaves the window as it was.
    QStringList totalStatements;
    for (const TotalStatement& total : totals) {
        totalStatements << total.statement + condition;
    }
    store::Listing listing = store::runListing(db_config::connstr, totalStatements, listStatement(condition));
    const qint64 n = qint64(listing.ids.size());
    if (n >= std::numeric_limits<int>::max()) {
        throw std::length_error("too many orders for one list");
    }
    // The first rows came with the listing: they show at once, and a file that cannot be read was told.
    auto rows = std::make_unique<ListedOrders>(db_config::connstr, std::move(listing.ids),
                                               std::move(listing.firstOrders));

    ui::Label* const labels[] = {d1, d2, d3, d4, d5};
    for (std::size_t i = 0; i < totals.size(); ++i) {
        labels[i]->setText(texts::totalCaption(listing.totals[i], totals[i].unit));
    }
    setUpGrid(static_cast<int>(n));
    if (n == 0) {
        return;
    }
    ui::FlexGrid& grid = *MSFlexGrid1;
    grid.setRowSource(std::move(rows));
    grid.setCol(0);
    grid.setRow(1);
    ddid->setText(grid.Text());
    grid.setColSel(grid.Cols() - 1);
    grid.scrollToTop();
}

void MainForm::cxtj()
{
    ddlist(queryCondition(c1->currentText(), c2->text(), startdate->text(), enddate->text()));
}

QString MainForm::ddidText() const
{
    return ddid->text();
}

void MainForm::b4_Click()
{
    db_config::listmode = db_config::listmodeQuery; // holds even when a check stops the query
    const std::optional<QDate> start = store::textforms::readDate(startdate->text());
    if (!start) {
        ui::MsgBox(texts::startMissing, ui::MB_OK_EXCLAMATION, ui::texts::noticeTitle, this);
        return;
    }
    const std::optional<QDate> end = store::textforms::readDate(enddate->text());
    if (!end) {
        ui::MsgBox(texts::endMissing, ui::MB_OK_EXCLAMATION, ui::texts::noticeTitle, this);
        return;
    }
    if (*end < *start) {
        ui::MsgBox(texts::endBeforeStart, ui::MB_OK_EXCLAMATION, ui::texts::noticeTitle, this);
        return;
    }
    cxtj();
}

void MainForm::b5_Click()
{
    db_config::listmode = db_config::listmodeAll;
    ddlist(QString());
}

void MainForm::b6_Click()
{
    xl::ExportToExcel(*MSFlexGrid1, this);
}

void MainForm::c2_Click()
{
    c2->clear();
}

void MainForm::startdate_Click()
{
    openCalendarFor(startTag);
}

void MainForm::enddate_Click()
{
    openCalendarFor(endTag);
}

void MainForm::openCalendarFor(const QString& target)
{
    MonthView1->setVisible(true);
    MonthView1->raise();
    MonthView1->Tag = target;
}

bool MainForm::dateKey(QObject* watched, const QKeyEvent& key)
{
    if ((watched == startdate || watched == enddate) && opensCalendar(key)) {
        guarded([&] {
            watched == startdate ? startdate_Click() : enddate_Click();
            // From the keyboard the arrows then move through the days and Enter picks one.
            MonthView1->setFocus(Qt::OtherFocusReason);
        });
        return true;
    }
    const bool calendarOrBox = watched == MonthView1 || watched == MonthView1->focusProxy() ||
                               watched == startdate || watched == enddate;
    if (calendarOrBox && key.key() == Qt::Key_Escape && MonthView1->isVisible()) {
        // Closed without a change; the focus goes back to the box the calendar was opened for.
        MonthView1->setVisible(false);
        QLineEdit* target = MonthView1->Tag == endTag ? enddate : startdate;
        target->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return false;
}

void MainForm::MonthView1_DateClick()
{
    QLineEdit* target = nullptr;
    if (MonthView1->Tag == startTag) {
        target = startdate;
    } else if (MonthView1->Tag == endTag) {
        target = enddate;
    }
    if (!target) {
        return;
    }
    target->setText(store::textforms::dateText(MonthView1->Value()));
    MonthView1->setVisible(false);
    target->setFocus(Qt::OtherFocusReason);
}

void MainForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_shown) {
        return;
    }
    m_shown = true;
    if (!m_loaded) {
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
        Form_Load();
    });
}

void MainForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) {
            modMouseWheel::HookWheel(this);
        } else {
            modMouseWheel::UnhookWheel();
        }
    }
    QWidget::changeEvent(event);
}

bool MainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && dateKey(watched, *static_cast<QKeyEvent*>(event))) {
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        auto* box = qobject_cast<QLineEdit*>(watched);
        if (box && mouse->button() == Qt::LeftButton && box->rect().contains(mouse->position().toPoint())) {
            if (box == c2) {
                guarded([this] { c2_Click(); });
            } else if (box == startdate) {
                guarded([this] { startdate_Click(); });
            } else if (box == enddate) {
                guarded([this] { enddate_Click(); });
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace mainwindow
