#include "entry/EntryLayout.h"

#include "entry/EntryTexts.h"
#include "ui/AppIcon.h"
#include "ui/Fonts.h"
#include "ui/MonthView.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QDate>
#include <QDialog>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

namespace entry::layout {

namespace {

using C = EntryControls;

const QDate calendarDesignDate(2011, 3, 2);
const QColor dateBoxBackground(224, 224, 224);

// The controls' creation order (later ones lie in front of earlier ones).
const ControlRow::AnySlot designOrder[] = {
    &C::saleDateBox,
    &C::calendar,
    &C::closeButton,
    &C::saveAndNewButton,
    &C::clearButton,
    &C::saveButton,
    &C::remarkBox,
    &C::waybillBox,
    &C::buyerBox,
    &C::purchasePriceBox,
    &C::sellingPriceBox,
    &C::quantityBox,
    &C::goodsBox,
    &C::sellingPriceUnit,
    &C::purchasePriceUnit,
    &C::quantityUnit,
    &C::saleDateCaption,
    &C::remarkCaption,
    &C::quantityCaption,
    &C::purchasePriceCaption,
    &C::sellingPriceCaption,
    &C::buyerCaption,
    &C::waybillCaption,
    &C::goodsCaption,
};

} // namespace

std::span<const ControlRow> controls()
{
    using namespace texts;
    static const ControlRow table[] = {
        {"Label1", &C::goodsCaption, nullptr, labelGoods, 240, 240, 900, 180},
        {"spname", &C::goodsBox, nullptr, QString(), 1200, 120, 3735, 375},
        {"sl", &C::quantityBox, nullptr, QString(), 1200, 600, 1575, 375},
        {"jj", &C::purchasePriceBox, nullptr, QString(), 1200, 1080, 1575, 375},
        {"sj", &C::sellingPriceBox, nullptr, QString(), 1200, 1560, 1575, 375},
        {"mjzh", &C::buyerBox, nullptr, QString(), 1200, 2040, 2055, 375},
        {"kddh", &C::waybillBox, nullptr, QString(), 1200, 2520, 2055, 375},
        {"bz", &C::remarkBox, nullptr, QString(), 1200, 3480, 3735, 1095},
        {"Label2", &C::waybillCaption, nullptr, labelWaybill, 240, 2640, 900, 180},
        {"Label3", &C::buyerCaption, nullptr, labelBuyer, 240, 2160, 900, 180},
        {"Label4", &C::sellingPriceCaption, nullptr, labelSellingPrice, 600, 1680, 540, 180},
        {"Label5", &C::purchasePriceCaption, nullptr, labelPurchasePrice, 600, 1200, 540, 180},
        {"Label6", &C::quantityCaption, nullptr, labelQuantity, 240, 720, 900, 180},
        {"Label7", &C::remarkCaption, nullptr, labelRemark, 600, 3600, 540, 180},
        {"Label8", &C::saleDateCaption, nullptr, labelSaleDate, 240, 3120, 900, 180},
        {"Command1", &C::saveButton, nullptr, saveAndClose, 3480, 720, 1455, 735},
        {"Command2", &C::clearButton, nullptr, clearForm, 3480, 2640, 1455, 735},
        {"Command3", &C::saveAndNewButton, nullptr, saveAndNew, 3480, 1680, 1455, 735},
        {"Label11", &C::quantityUnit, nullptr, unitPieces, 2880, 720, 180, 180},
        {"Label9", &C::purchasePriceUnit, nullptr, unitYuan, 2880, 1200, 180, 180},
        {"Label10", &C::sellingPriceUnit, nullptr, unitYuan, 2880, 1680, 180, 180},
        {"MonthView1", &C::calendar, nullptr, QString(), -3600, 3000, 4065, 2220, true},
        {"Command4", &C::closeButton, nullptr, closeWindow, 3480, 2160, 1455, 735, true},
        {"xsdate", &C::saleDateBox, nullptr, QString(), 1200, 3000, 2055, 375},
    };
    return table;
}

EntryControls build(QDialog& form)
{
    form.setObjectName(QStringLiteral("add"));
    form.setWindowTitle(texts::addTitle);
    const QIcon appWide = QApplication::windowIcon();
    form.setWindowIcon(appWide.isNull() ? ui::appIcon() : appWide);
    form.setFont(ui::fonts::interfaceFont());
    // Fixed border with the system menu and its close box, no minimize or maximize button.
    form.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                        Qt::MSWindowsFixedSizeDialogHint);
    form.setFixedSize(ui::twips::toPixels(clientWidth), ui::twips::toPixels(clientHeight));

    EntryControls c;
    ui::buildControls(form, controls(), c, designOrder);
    // No default button: Enter in a box presses nothing (on a focused button it presses that one).
    for (QPushButton* button : {c.saveButton, c.clearButton, c.saveAndNewButton, c.closeButton}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    // MonthView spans 1753 to 9999 by itself; the design date is what it shows first.
    c.calendar->setValue(calendarDesignDate);
    // The tall remark box is still one line; its text starts at the top, as in the other boxes' first line.
    c.remarkBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette grey = c.saleDateBox->palette();
    grey.setColor(QPalette::Base, dateBoxBackground);
    c.saleDateBox->setPalette(grey);
    // When shown, the calendar lies in front of the boxes and buttons it covers.
    c.calendar->raise();
    return c;
}

void moveTo(QWidget& control, int left, int top)
{
    control.move(ui::twips::toPixels(left), ui::twips::toPixels(top));
}

void setTop(QWidget& control, int top)
{
    control.move(control.x(), ui::twips::toPixels(top));
}

} // namespace entry::layout
