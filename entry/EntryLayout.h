#pragma once

#include "ui/ControlTable.h"

#include <span>

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace ui {
class MonthView;
} // namespace ui

namespace entry {

// The entry window as laid out for adding an order: every control with its place and size in twips.
namespace layout {

// Client area in twips (345 x 316 pixels).
constexpr int clientWidth = 5175;
constexpr int clientHeight = 4740;
// Where the load moves the calendar to.
constexpr int calendarLeft = 840;
constexpr int calendarTop = 720;
// The top of saveButton in edit mode.
constexpr int editSaveTop = 1200;

// The entry window's controls, by their names.
struct EntryControls
{
    QLineEdit* goodsBox = nullptr;           // goods name
    QLineEdit* quantityBox = nullptr;        // quantity
    QLineEdit* purchasePriceBox = nullptr;   // purchase price of one piece
    QLineEdit* sellingPriceBox = nullptr;    // selling price of one piece
    QLineEdit* buyerBox = nullptr;           // buyer's account
    QLineEdit* waybillBox = nullptr;         // courier waybill number
    QLineEdit* saleDateBox = nullptr;        // date of sale; a click opens the calendar
    QLineEdit* remarkBox = nullptr;          // remark
    QPushButton* saveButton = nullptr;       // save, then close
    QPushButton* clearButton = nullptr;      // clear the form
    QPushButton* saveAndNewButton = nullptr; // save and start a new order
    QPushButton* closeButton = nullptr;      // close the window (edit mode)
    ui::MonthView* calendar = nullptr;       // date picker for saleDateBox
    // Captions of the boxes and units.
    QLabel* goodsCaption = nullptr;
    QLabel* waybillCaption = nullptr;
    QLabel* buyerCaption = nullptr;
    QLabel* sellingPriceCaption = nullptr;
    QLabel* purchasePriceCaption = nullptr;
    QLabel* quantityCaption = nullptr;
    QLabel* remarkCaption = nullptr;
    QLabel* saleDateCaption = nullptr;
    QLabel* purchasePriceUnit = nullptr;
    QLabel* sellingPriceUnit = nullptr;
    QLabel* quantityUnit = nullptr;
};

using ControlRow = ui::ControlRow<EntryControls>;

// Every control, in tab order.
std::span<const ControlRow> controls();

// Builds every control into form and sets up the frame: title, fixed client size, no minimize or
// maximize button, the application icon, the tab order, no default button.
EntryControls build(QDialog& form);

// Moves a control to left, top in twips, keeping its size.
void moveTo(QWidget& control, int left, int top);
// Moves a control up or down to top in twips, keeping its left and size.
void setTop(QWidget& control, int top);

} // namespace layout
} // namespace entry
