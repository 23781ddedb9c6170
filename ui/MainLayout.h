#pragma once

#include <QString>
#include <vector>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace ui {

class FlexGrid;
class Label;
class MonthView;

// The main window's controls as data: one row per control, positions in twips from the top-left corner
// of its container (the window or a frame).
struct ControlRow
{
    enum class Kind { Button, Frame, ComboBox, TextBox, Label, Calendar, Grid };
    const char* name;
    Kind kind;
    const char* container; // "" for the window
    QString caption;
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
};

// Rows in tab order.
const std::vector<ControlRow>& mainLayoutTable();

// The window itself, in twips and pixels.
namespace mainwindow_frame {
constexpr int clientLeft = 3045;
constexpr int clientTop = 2745;
constexpr int clientWidth = 13440;
constexpr int clientHeight = 7065;
} // namespace mainwindow_frame

// Typed pointers to the built controls.
struct MainControls
{
    FlexGrid* MSFlexGrid1 = nullptr;
    MonthView* MonthView1 = nullptr;
    QPushButton* b1 = nullptr;
    QPushButton* b2 = nullptr;
    QPushButton* b3 = nullptr;
    QPushButton* b4 = nullptr;
    QPushButton* b5 = nullptr;
    QPushButton* b6 = nullptr;
    QComboBox* c1 = nullptr;
    QLineEdit* c2 = nullptr;
    QLineEdit* startdate = nullptr;
    QLineEdit* enddate = nullptr;
    QLineEdit* ddid = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QGroupBox* Frame4 = nullptr;
    Label* Label1 = nullptr;
    Label* Label2 = nullptr;
    Label* Label3 = nullptr;
    Label* Label4 = nullptr;
    Label* Label5 = nullptr;
    Label* Label6 = nullptr;
    Label* Label7 = nullptr;
    Label* Label8 = nullptr;
    Label* d1 = nullptr;
    Label* d2 = nullptr;
    Label* d3 = nullptr;
    Label* d4 = nullptr;
    Label* d5 = nullptr;
};

// Builds every control of the table into form (title, size, flags and font of the window included),
// sets the tab order and returns the controls.
MainControls buildMainLayout(QWidget* form);

} // namespace ui
