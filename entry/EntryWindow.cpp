#include "entry/EntryWindow.h"

#include "entry/DailyBackup.h"
#include "entry/EntryHost.h"
#include "entry/EntryTexts.h"
#include "store/OrderStore.h"
#include "store/StoreError.h"
#include "store/TextForms.h"
#include "ui/EnterPressesButton.h"
#include "ui/Guarded.h"
#include "ui/MessageBox.h"
#include "ui/MonthView.h"
#include "ui/ScreenFit.h"
#include "ui/UiTexts.h"

#include <QDate>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <utility>

namespace entry {

using namespace texts;

namespace {

void tell(QWidget* parent, const QString& text)
{
    ui::MsgBox(text, ui::MB_OK_EXCLAMATION, ui::texts::noticeTitle, parent);
}

QString today()
{
    return store::textforms::dateText(QDate::currentDate());
}

} // namespace

EntryWindow::EntryWindow(EntryHost& host, std::optional<qint64> orderId, QWidget* parent)
    : QDialog(parent)
    , m_host(host)
    , m_ui(layout::build(*this))
    , m_requestedId(orderId)
{
    const auto edge = [this](void (EntryWindow::*handler)()) {
        return [this, handler] { guarded(handler); };
    };
    connect(m_ui.saveButton, &QPushButton::clicked, this, edge(&EntryWindow::saveAndClose));
    connect(m_ui.clearButton, &QPushButton::clicked, this, edge(&EntryWindow::clearForm));
    connect(m_ui.saveAndNewButton, &QPushButton::clicked, this, edge(&EntryWindow::saveAndStartNew));
    connect(m_ui.closeButton, &QPushButton::clicked, this, &QDialog::close);
    connect(m_ui.calendar, &ui::MonthView::DateClick, this, edge(&EntryWindow::takePickedDate));
    m_ui.saleDateBox->installEventFilter(this);
    ui::pressButtonsOnEnter(*this);
}

EntryWindow::~EntryWindow() = default;

void EntryWindow::load()
{
    m_ui.saleDateBox->setText(today());
    layout::moveTo(*m_ui.calendar, layout::calendarLeft, layout::calendarTop);
    // Typing starts in the goods name, the first box of the tab order, in either mode; without this the
    // first box made, the date, would take the keys.
    m_ui.goodsBox->setFocus(Qt::OtherFocusReason);
    if (!m_requestedId) {
        return;
    }
    // Read first: an id that names no stored order opens the window for a new one.
    const std::optional<store::Order> order = m_host.orderStore().load(*m_requestedId);
    if (!order) {
        return;
    }
    m_editedId = order->id;
    setWindowTitle(editTitle);
    m_ui.clearButton->setVisible(false);
    m_ui.saveAndNewButton->setVisible(false);
    m_ui.closeButton->setVisible(true);
    m_ui.saveButton->setText(saveChanges);
    layout::setTop(*m_ui.saveButton, layout::editSaveTop);
    showOrder(*order);
}

void EntryWindow::clearForm()
{
    for (QLineEdit* box : {m_ui.goodsBox, m_ui.purchasePriceBox, m_ui.quantityBox, m_ui.sellingPriceBox,
                           m_ui.buyerBox, m_ui.waybillBox, m_ui.remarkBox}) {
        box->setText(QString());
    }
    m_ui.saleDateBox->setText(today());
}

bool EntryWindow::saveOrder(const store::Order& order)
{
    try {
        if (m_editedId) {
            store::Order changed = order;
            changed.id = *m_editedId;
            if (!m_host.orderStore().update(changed)) {
                tell(this, orderGone);
                return false;
            }
        } else {
            m_host.orderStore().insert(order);
        }
    } catch (const store::StoreError& e) {
        tell(this, saveRefused + e.description());
        return false;
    }
    m_savedAny = true;
    tell(this, saved);
    // The first save of a day that has no copy yet: a store that held no order at start, or the program
    // ran over midnight.
    if (const std::optional<store::BackupOutcome> outcome = backupIfDue(this, m_host.orderStore())) {
        m_host.tellBackup(*outcome);
    }
    return true;
}

void EntryWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Centred on the main window; moved in where that would put part of it off the screen.
    if (!event->spontaneous()) {
        ui::keepOnScreen(*this);
    }
}

void EntryWindow::keyPressEvent(QKeyEvent* event)
{
    // QDialog would reject on Escape and press a default button on Enter; this window does neither.
    QWidget::keyPressEvent(event);
}

bool EntryWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui.saleDateBox && event->type() == QEvent::KeyPress) {
        // F4 or Alt+Down opens the calendar, as in a date box of the main window; the arrows then move
        // through the days and Enter picks one. Other keys (Space too) type.
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() == Qt::Key_F4 && mods == Qt::NoModifier) ||
            (key->key() == Qt::Key_Down && mods == Qt::AltModifier)) {
            showCalendar();
            m_calendarByKey = true;
            m_ui.calendar->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    if (watched == m_ui.saleDateBox && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        showCalendar();
    }
    return QDialog::eventFilter(watched, event);
}

void EntryWindow::guarded(void (EntryWindow::*handler)())
{
    if (const auto failure = ui::guarded<store::StoreError>([&] { (this->*handler)(); })) {
        tell(this, failure->described() ? ui::texts::failedPrefix + failure->words : unexpectedFailure);
    }
}

void EntryWindow::saveAndClose()
{
    const std::optional<store::Order> order = checkedOrder();
    if (!order || !saveOrder(*order)) {
        return;
    }
    refreshList();
    accept();
}

void EntryWindow::saveAndStartNew()
{
    const std::optional<store::Order> order = checkedOrder();
    if (!order || !saveOrder(*order)) {
        return;
    }
    clearForm();
    refreshList();
}

void EntryWindow::showCalendar()
{
    m_ui.calendar->setVisible(true);
    m_calendarByKey = false;
}

void EntryWindow::takePickedDate()
{
    m_ui.saleDateBox->setText(store::textforms::dateText(m_ui.calendar->Value()));
    m_ui.calendar->setVisible(false);
    if (std::exchange(m_calendarByKey, false)) {
        m_ui.saleDateBox->setFocus(Qt::OtherFocusReason); // typing goes on where it left off
    }
}

std::optional<store::Order> EntryWindow::checkedOrder()
{
    std::variant<store::Order, CheckFailure> checked = checkOrder(boxTexts());
    if (auto* order = std::get_if<store::Order>(&checked)) {
        return std::move(*order);
    }
    const CheckFailure& failure = std::get<CheckFailure>(checked);
    tell(this, failure.message);
    if (failure.focus) {
        box(*failure.focus)->setFocus();
    }
    return std::nullopt;
}

void EntryWindow::refreshList()
{
    // The order is saved all the same; the window goes on as after a good refresh.
    if (const auto failure = ui::guarded<store::StoreError>([&] { m_host.refreshList(); })) {
        tell(this, refreshFailed + (failure->described() ? failure->words : unexpectedCause));
    }
}

OrderTexts EntryWindow::boxTexts() const
{
    return OrderTexts{m_ui.goodsBox->text(),        m_ui.purchasePriceBox->text(), m_ui.quantityBox->text(),
                      m_ui.sellingPriceBox->text(), m_ui.buyerBox->text(),         m_ui.waybillBox->text(),
                      m_ui.saleDateBox->text(),     m_ui.remarkBox->text()};
}

void EntryWindow::showOrder(const store::Order& o)
{
    using store::OrderColumn;
    m_ui.goodsBox->setText(store::shownText(o, OrderColumn::Goods));
    m_ui.quantityBox->setText(store::shownText(o, OrderColumn::Quantity));
    m_ui.purchasePriceBox->setText(store::shownText(o, OrderColumn::PurchasePrice));
    m_ui.sellingPriceBox->setText(store::shownText(o, OrderColumn::SellingPrice));
    m_ui.buyerBox->setText(store::shownText(o, OrderColumn::Buyer));
    m_ui.waybillBox->setText(store::shownText(o, OrderColumn::Waybill));
    m_ui.saleDateBox->setText(store::shownText(o, OrderColumn::SaleDate));
    m_ui.remarkBox->setText(store::shownText(o, OrderColumn::Remark));
}

QLineEdit* EntryWindow::box(OrderBox which) const
{
    switch (which) {
    case OrderBox::Goods:
        return m_ui.goodsBox;
    case OrderBox::Quantity:
        return m_ui.quantityBox;
    case OrderBox::PurchasePrice:
        return m_ui.purchasePriceBox;
    case OrderBox::SellingPrice:
        return m_ui.sellingPriceBox;
    case OrderBox::Buyer:
        return m_ui.buyerBox;
    case OrderBox::Waybill:
        return m_ui.waybillBox;
    case OrderBox::SaleDate:
        return m_ui.saleDateBox;
    }
    return m_ui.goodsBox;
}

} // namespace entry
