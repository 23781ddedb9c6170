#include "ui/EntryLayout.h"

#include "entry/EntryTexts.h"
#include "ui/AppIcon.h"
#include "ui/Fonts.h"
#include "ui/MonthView.h"
#include "ui/TextBox.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QDate>
#include <QDialog>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

namespace ui::entrylayout {

namespace {

const QDate calendarDesignDate(2011, 3, 2);
const QColor dateBoxBackground(224, 224, 224);

QWidget* makeControl(const ControlRow& item, QDialog& form)
{
    QWidget* w = nullptr;
    switch (item.kind) {
    case Kind::Label: {
        auto* label = new QLabel(item.caption, &form);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        w = label;
        break;
    }
    case Kind::TextBox: {
        w = newTextBox(&form);
        break;
    }
    case Kind::Button: {
        auto* button = new QPushButton(item.caption, &form);
        // No default button: Enter in a box presses nothing (on a focused button it presses that one).
        button->setAutoDefault(false);
        button->setDefault(false);
        w = button;
        break;
    }
    case Kind::Calendar: {
        // MonthView spans 1753 to 9999 by itself; the design date is what it shows first.
        auto* calendar = new MonthView(&form);
        calendar->setValue(calendarDesignDate);
        w = calendar;
        break;
    }
    }
    w->setObjectName(item.name);
    w->setGeometry(twips::rect(item.left, item.top, item.width, item.height));
    if (item.kind == Kind::Label) {
        // Labels size themselves to their text from their top-left corner.
        w->adjustSize();
    }
    w->setVisible(item.visible);
    return w;
}

} // namespace

const QList<ControlRow>& controls()
{
    using namespace entrytexts;
    static const QList<ControlRow> table{
        {QStringLiteral("Label1"), Kind::Label, labelSpname, 240, 240, 900, 180, true},
        {QStringLiteral("spname"), Kind::TextBox, QString(), 1200, 120, 3735, 375, true},
        {QStringLiteral("sl"), Kind::TextBox, QString(), 1200, 600, 1575, 375, true},
        {QStringLiteral("jj"), Kind::TextBox, QString(), 1200, 1080, 1575, 375, true},
        {QStringLiteral("sj"), Kind::TextBox, QString(), 1200, 1560, 1575, 375, true},
        {QStringLiteral("mjzh"), Kind::TextBox, QString(), 1200, 2040, 2055, 375, true},
        {QStringLiteral("kddh"), Kind::TextBox, QString(), 1200, 2520, 2055, 375, true},
        {QStringLiteral("bz"), Kind::TextBox, QString(), 1200, 3480, 3735, 1095, true},
        {QStringLiteral("Label2"), Kind::Label, labelKddh, 240, 2640, 900, 180, true},
        {QStringLiteral("Label3"), Kind::Label, labelMjzh, 240, 2160, 900, 180, true},
        {QStringLiteral("Label4"), Kind::Label, labelSj, 600, 1680, 540, 180, true},
        {QStringLiteral("Label5"), Kind::Label, labelJj, 600, 1200, 540, 180, true},
        {QStringLiteral("Label6"), Kind::Label, labelSl, 240, 720, 900, 180, true},
        {QStringLiteral("Label7"), Kind::Label, labelBz, 600, 3600, 540, 180, true},
        {QStringLiteral("Label8"), Kind::Label, labelXsdate, 240, 3120, 900, 180, true},
        {QStringLiteral("Command1"), Kind::Button, saveAndClose, 3480, 720, 1455, 735, true},
        {QStringLiteral("Command2"), Kind::Button, clearForm, 3480, 2640, 1455, 735, true},
        {QStringLiteral("Command3"), Kind::Button, saveAndNew, 3480, 1680, 1455, 735, true},
        {QStringLiteral("Label11"), Kind::Label, unitPieces, 2880, 720, 180, 180, true},
        {QStringLiteral("Label9"), Kind::Label, unitYuan, 2880, 1200, 180, 180, true},
        {QStringLiteral("Label10"), Kind::Label, unitYuan, 2880, 1680, 180, 180, true},
        {QStringLiteral("MonthView1"), Kind::Calendar, QString(), -3600, 3000, 4065, 2220, false},
        {QStringLiteral("Command4"), Kind::Button, closeWindow, 3480, 2160, 1455, 735, false},
        {QStringLiteral("xsdate"), Kind::TextBox, QString(), 1200, 3000, 2055, 375, true},
    };
    return table;
}

const QList<QString>& designOrder()
{
    static const QList<QString> order{
        QStringLiteral("xsdate"),   QStringLiteral("MonthView1"), QStringLiteral("Command4"),
        QStringLiteral("Command3"), QStringLiteral("Command2"),   QStringLiteral("Command1"),
        QStringLiteral("bz"),       QStringLiteral("kddh"),       QStringLiteral("mjzh"),
        QStringLiteral("jj"),       QStringLiteral("sj"),         QStringLiteral("sl"),
        QStringLiteral("spname"),   QStringLiteral("Label10"),    QStringLiteral("Label9"),
        QStringLiteral("Label11"),  QStringLiteral("Label8"),     QStringLiteral("Label7"),
        QStringLiteral("Label6"),   QStringLiteral("Label5"),     QStringLiteral("Label4"),
        QStringLiteral("Label3"),   QStringLiteral("Label2"),     QStringLiteral("Label1"),
    };
    return order;
}

EntryControls build(QDialog& form)
{
    form.setObjectName(QStringLiteral("add"));
    form.setWindowTitle(entrytexts::addTitle);
    const QIcon appWide = QApplication::windowIcon();
    form.setWindowIcon(appWide.isNull() ? appIcon() : appWide);
    form.setFont(fonts::interfaceFont());
    // Fixed border with the system menu and its close box, no minimize or maximize button.
    form.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                        Qt::MSWindowsFixedSizeDialogHint);
    form.setFixedSize(twips::toPixels(clientWidth), twips::toPixels(clientHeight));

    QHash<QString, QWidget*> made;
    for (const QString& name : designOrder()) {
        for (const ControlRow& item : controls()) {
            if (item.name == name) {
                made.insert(name, makeControl(item, form));
            }
        }
    }

    // Tab order as the table lists it; labels never take the focus.
    QWidget* previous = nullptr;
    for (const ControlRow& item : controls()) {
        QWidget* w = made.value(item.name);
        if (item.kind == Kind::Label) {
            w->setFocusPolicy(Qt::NoFocus);
            continue;
        }
        if (previous) {
            QWidget::setTabOrder(previous, w);
        }
        previous = w;
    }

    EntryControls c;
    c.spname = qobject_cast<QLineEdit*>(made.value(QStringLiteral("spname")));
    c.sl = qobject_cast<QLineEdit*>(made.value(QStringLiteral("sl")));
    c.jj = qobject_cast<QLineEdit*>(made.value(QStringLiteral("jj")));
    c.sj = qobject_cast<QLineEdit*>(made.value(QStringLiteral("sj")));
    c.mjzh = qobject_cast<QLineEdit*>(made.value(QStringLiteral("mjzh")));
    c.kddh = qobject_cast<QLineEdit*>(made.value(QStringLiteral("kddh")));
    c.xsdate = qobject_cast<QLineEdit*>(made.value(QStringLiteral("xsdate")));
    c.bz = qobject_cast<QLineEdit*>(made.value(QStringLiteral("bz")));
    c.Command1 = qobject_cast<QPushButton*>(made.value(QStringLiteral("Command1")));
    c.Command2 = qobject_cast<QPushButton*>(made.value(QStringLiteral("Command2")));
    c.Command3 = qobject_cast<QPushButton*>(made.value(QStringLiteral("Command3")));
    c.Command4 = qobject_cast<QPushButton*>(made.value(QStringLiteral("Command4")));
    c.MonthView1 = qobject_cast<MonthView*>(made.value(QStringLiteral("MonthView1")));

    // The tall remark box is still one line; its text starts at the top, as in the other boxes' first line.
    c.bz->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette grey = c.xsdate->palette();
    grey.setColor(QPalette::Base, dateBoxBackground);
    c.xsdate->setPalette(grey);
    // When shown, the calendar lies in front of the boxes and buttons it covers.
    c.MonthView1->raise();
    return c;
}

void moveTo(QWidget& control, int left, int top)
{
    control.move(twips::toPixels(left), twips::toPixels(top));
}

void setTop(QWidget& control, int top)
{
    control.move(control.x(), twips::toPixels(top));
}

} // namespace ui::entrylayout
