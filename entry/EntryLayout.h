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
// The top of Command1 in edit mode.
constexpr int editSaveTop = 1200;

// The entry window's controls, by their names.
struct EntryControls
{
    QLineEdit* spname = nullptr;         // goods name
    QLineEdit* sl = nullptr;             // quantity
    QLineEdit* jj = nullptr;             // purchase price of one piece
    QLineEdit* sj = nullptr;             // selling price of one piece
    QLineEdit* mjzh = nullptr;           // buyer's account
    QLineEdit* kddh = nullptr;           // courier waybill number
    QLineEdit* xsdate = nullptr;         // date of sale; a click opens the calendar
    QLineEdit* bz = nullptr;             // remark
    QPushButton* Command1 = nullptr;     // save, then close
    QPushButton* Command2 = nullptr;     // clear the form
    QPushButton* Command3 = nullptr;     // save and start a new order
    QPushButton* Command4 = nullptr;     // close the window (edit mode)
    ui::MonthView* MonthView1 = nullptr; // date picker for xsdate
    // Captions of the boxes and units.
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
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
