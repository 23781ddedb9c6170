#pragma once

#include "ui/ControlTable.h"

#include <span>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace ui {
class FlexGrid;
class Label;
class MonthView;
} // namespace ui

namespace mainwindow {

// The window itself, in twips.
namespace frame {
constexpr int clientLeft = 3045;
constexpr int clientTop = 2745;
constexpr int clientWidth = 13440;
constexpr int clientHeight = 7065;
} // namespace frame

// The main window's controls, by their names.
struct MainControls
{
    ui::FlexGrid* MSFlexGrid1 = nullptr; // order list
    ui::MonthView* MonthView1 = nullptr; // pop-up calendar of the filter
    QPushButton* b1 = nullptr;           // new order
    QPushButton* b2 = nullptr;           // edit the selected order
    QPushButton* b3 = nullptr;           // delete the selected order
    QPushButton* b4 = nullptr;           // query
    QPushButton* b5 = nullptr;           // show every order
    QPushButton* b6 = nullptr;           // export
    QComboBox* c1 = nullptr;             // field the keyword is searched in
    QLineEdit* c2 = nullptr;             // keyword
    QLineEdit* startdate = nullptr;      // first day of the range (read-only)
    QLineEdit* enddate = nullptr;        // last day of the range (read-only)
    QLineEdit* ddid = nullptr;           // hidden: the selected order's id
    QGroupBox* Frame1 = nullptr;         // filter bar
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QGroupBox* Frame4 = nullptr; // statistics bar
    ui::Label* Label1 = nullptr; // link to the web shop
    ui::Label* Label2 = nullptr;
    ui::Label* Label3 = nullptr; // link to the home page
    ui::Label* Label4 = nullptr;
    ui::Label* Label5 = nullptr;
    ui::Label* Label6 = nullptr;
    ui::Label* Label7 = nullptr;
    ui::Label* Label8 = nullptr;
    ui::Label* d1 = nullptr; // number of orders
    ui::Label* d2 = nullptr; // pieces sold
    ui::Label* d3 = nullptr; // purchase cost
    ui::Label* d4 = nullptr; // sales amount
    ui::Label* d5 = nullptr; // profit
};

using ControlRow = ui::ControlRow<MainControls>;

// Every control, in tab order.
std::span<const ControlRow> mainLayoutTable();

// Builds every control of the table into form and controls (title, size, flags and font of the window
// included) and sets the tab order.
void buildMainLayout(QWidget& form, MainControls& controls);

} // namespace mainwindow
