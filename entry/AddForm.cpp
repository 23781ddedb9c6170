#include "entry/AddForm.h"
#include "entry/DailyBackup.h"

#include "entry/EntryHost.h"
#include "entry/EntryTexts.h"
#include "entry/OrderCheck.h"
#include "entry/OrderStore.h"
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

add::add(EntryHost& host, QWidget* parent)
    : QDialog(parent)
    , m_host(host)
    , m_ui(layout::build(*this))
    , m_edit(false)
{
    const auto edge = [this](void (add::*handler)()) { return [this, handler] { guarded(handler); }; };
    connect(m_ui.Command1, &QPushButton::clicked, this, edge(&add::Command1_Click));
    connect(m_ui.Command2, &QPushButton::clicked, this, edge(&add::Command2_Click));
    connect(m_ui.Command3, &QPushButton::clicked, this, edge(&add::Command3_Click));
    connect(m_ui.Command4, &QPushButton::clicked, this, edge(&add::Command4_Click));
    connect(m_ui.MonthView1, &ui::MonthView::DateClick, this, edge(&add::MonthView1_DateClick));
    m_ui.xsdate->installEventFilter(this);
    ui::pressButtonsOnEnter(*this);
}

add::~add() = default;

void add::load()
{
    m_ui.xsdate->setText(today());
    layout::moveTo(*m_ui.MonthView1, layout::calendarLeft, layout::calendarTop);
    // Typing starts in the goods name, the first box of the tab order, in either mode; without this the
    // first box made, the date, would take the keys.
    m_ui.spname->setFocus(Qt::OtherFocusReason);

    const QString id = m_host.ddidText();
    if (m_host.Tag() != editMarker || id.isEmpty()) {
        return;
    }
    // Read first: an id that names no stored order opens the window for a new one.
    const std::optional<OrderTexts> order = loadOrder(id);
    if (!order) {
        return;
    }
    m_edit = true;
    m_id = id;
    setWindowTitle(editTitle);
    m_ui.Command2->setVisible(false);
    m_ui.Command3->setVisible(false);
    m_ui.Command4->setVisible(true);
    m_ui.Command1->setText(saveChanges);
    layout::setTop(*m_ui.Command1, layout::editSaveTop);
    showOrder(*order);
}

void add::qk()
{
    m_ui.spname->setText(QString());
    m_ui.jj->setText(QString());
    m_ui.sl->setText(QString());
    m_ui.sj->setText(QString());
    m_ui.mjzh->setText(QString());
    m_ui.kddh->setText(QString());
    m_ui.bz->setText(QString());
    m_ui.xsdate->setText(today());
}

bool add::savedd()
{
    const OrderTexts order = boxTexts();
    const QString statement = m_edit ? updateStatement(order, m_id) : insertStatement(order);
    qint64 changed = 0;
    try {
        changed = runSave(statement);
    } catch (const store::StoreError& e) {
        tell(this, saveRefused + e.description());
        return false;
    }
    if (m_edit && changed == 0) {
        tell(this, orderGone);
        return false;
    }
    tell(this, saved);
    backupIfDue(this); // the first save of a new day, when the program ran over midnight
    return true;
}

void add::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Centred on the main window; moved in where that would put part of it off the screen.
    if (!event->spontaneous()) {
        ui::keepOnScreen(*this);
    }
}

void add::keyPressEvent(QKeyEvent* event)
{
    // QDialog would reject on Escape and press a default button on Enter; this window does neither.
    QWidget::keyPressEvent(event);
}

bool add::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui.xsdate && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        xsdate_Click();
    }
    return QDialog::eventFilter(watched, event);
}

void add::guarded(void (add::*handler)())
{
    if (const auto failure = ui::guarded<store::StoreError>([&] { (this->*handler)(); })) {
        tell(this, failure->described() ? ui::texts::failedPrefix + failure->words : unexpectedFailure);
    }
}

void add::Command1_Click()
{
    if (!fieldsPass() || !savedd()) {
        return;
    }
    refreshList();
    accept();
}

void add::Command2_Click()
{
    qk();
}

void add::Command3_Click()
{
    if (!fieldsPass() || !savedd()) {
        return;
    }
    qk();
    refreshList();
}

void add::Command4_Click()
{
    close();
}

void add::xsdate_Click()
{
    m_ui.MonthView1->setVisible(true);
}

void add::MonthView1_DateClick()
{
    m_ui.xsdate->setText(store::textforms::dateText(m_ui.MonthView1->Value()));
    m_ui.MonthView1->setVisible(false);
}

bool add::fieldsPass()
{
    const std::optional<CheckFailure> failure = checkOrder(boxTexts());
    if (!failure) {
        return true;
    }
    tell(this, failure->message);
    box(failure->focus)->setFocus();
    return false;
}

void add::refreshList()
{
    // The order is saved all the same; the window goes on as after a good refresh.
    if (const auto failure = ui::guarded<store::StoreError>([&] { m_host.refreshByListmode(); })) {
        tell(this, refreshFailed + (failure->described() ? failure->words : unexpectedCause));
    }
}

OrderTexts add::boxTexts() const
{
    return OrderTexts{m_ui.spname->text(), m_ui.jj->text(),   m_ui.sl->text(),     m_ui.sj->text(),
                      m_ui.mjzh->text(),   m_ui.kddh->text(), m_ui.xsdate->text(), m_ui.bz->text()};
}

void add::showOrder(const OrderTexts& o)
{
    m_ui.spname->setText(o.spname);
    m_ui.sl->setText(o.sl);
    m_ui.jj->setText(o.jj);
    m_ui.sj->setText(o.sj);
    m_ui.mjzh->setText(o.mjzh);
    m_ui.kddh->setText(o.kddh);
    m_ui.xsdate->setText(o.xsdate);
    m_ui.bz->setText(o.bz);
}

QLineEdit* add::box(Box which) const
{
    switch (which) {
    case Box::spname:
        return m_ui.spname;
    case Box::sl:
        return m_ui.sl;
    case Box::jj:
        return m_ui.jj;
    case Box::sj:
        return m_ui.sj;
    case Box::mjzh:
        return m_ui.mjzh;
    case Box::kddh:
        return m_ui.kddh;
    case Box::xsdate:
        return m_ui.xsdate;
    }
    return m_ui.spname;
}

} // namespace entry
