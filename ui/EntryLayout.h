#pragma once

#include <QList>
#include <QString>

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace ui {

class MonthView;

// The entry window as laid out for adding an order: every control with its place and size in twips.
namespace entrylayout {

enum class Kind { Label, TextBox, Button, Calendar };

struct ControlRow
{
    QString name; // objectName, the control's short name
    Kind kind;
    QString caption; // label or button caption; empty for boxes and the calendar
    int left;        // twips
    int top;
    int width;
    int height;
    bool visible; // at start
};

// Every control, in tab order.
const QList<ControlRow>& controls();
// The controls' names in the order they are created (later ones lie in front of earlier ones).
const QList<QString>& designOrder();

// Client area in twips (345 x 316 pixels).
constexpr int clientWidth = 5175;
constexpr int clientHeight = 4740;
// Where the load moves the calendar to.
constexpr int calendarLeft = 840;
constexpr int calendarTop = 720;
// The top of Command1 in edit mode.
constexpr int editSaveTop = 1200;

// The controls the entry window's logic works with.
struct EntryControls
{
    QLineEdit* spname = nullptr;     // goods name
    QLineEdit* sl = nullptr;         // quantity
    QLineEdit* jj = nullptr;         // purchase price of one piece
    QLineEdit* sj = nullptr;         // selling price of one piece
    QLineEdit* mjzh = nullptr;       // buyer's account
    QLineEdit* kddh = nullptr;       // courier waybill number
    QLineEdit* xsdate = nullptr;     // date of sale; a click opens the calendar
    QLineEdit* bz = nullptr;         // remark
    QPushButton* Command1 = nullptr; // save, then close
    QPushButton* Command2 = nullptr; // clear the form
    QPushButton* Command3 = nullptr; // save and start a new order
    QPushButton* Command4 = nullptr; // close the window (edit mode)
    MonthView* MonthView1 = nullptr; // date picker for xsdate
};

// Builds every control into form and sets up the frame: title, fixed client size, no minimize or
// maximize button, the application icon, the tab order, no default button.
EntryControls build(QDialog& form);

// Moves a control to left, top in twips, keeping its size.
void moveTo(QWidget& control, int left, int top);
// Moves a control up or down to top in twips, keeping its left and size.
void setTop(QWidget& control, int top);

} // namespace entrylayout
} // namespace ui
