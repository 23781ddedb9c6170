#pragma once

#include "ui/ControlTable.h"

#include <span>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QMainWindow;
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
    ui::FlexGrid* orderGrid = nullptr;        // order list
    ui::MonthView* calendar = nullptr;        // pop-up calendar of the filter
    QPushButton* newOrderButton = nullptr;    // new order
    QPushButton* editOrderButton = nullptr;   // edit the selected order
    QPushButton* deleteOrderButton = nullptr; // delete the selected order
    QPushButton* queryButton = nullptr;       // query
    QPushButton* allOrdersButton = nullptr;   // show every order
    QPushButton* exportButton = nullptr;      // export
    QComboBox* fieldList = nullptr;           // field the keyword is searched in
    QLineEdit* keywordBox = nullptr;          // keyword
    QLineEdit* startDateBox = nullptr;        // first day of the range (read-only)
    QLineEdit* endDateBox = nullptr;          // last day of the range (read-only)
    QLineEdit* selectedIdBox = nullptr;       // hidden: the selected order's id
    QGroupBox* filterFrame = nullptr;         // filter bar
    QGroupBox* shopLinkFrame = nullptr;
    QGroupBox* homeLinkFrame = nullptr;
    QGroupBox* totalsFrame = nullptr; // statistics bar
    ui::Label* shopLink = nullptr;    // link to the web shop
    ui::Label* dateDash = nullptr;
    ui::Label* homeLink = nullptr; // link to the home page
    ui::Label* ordersCaption = nullptr;
    ui::Label* piecesCaption = nullptr;
    ui::Label* costCaption = nullptr;
    ui::Label* salesCaption = nullptr;
    ui::Label* profitCaption = nullptr;
    ui::Label* ordersTotal = nullptr; // number of orders
    ui::Label* piecesTotal = nullptr; // pieces sold
    ui::Label* costTotal = nullptr;   // purchase cost
    ui::Label* salesTotal = nullptr;  // sales amount
    ui::Label* profitTotal = nullptr; // profit
};

using ControlRow = ui::ControlRow<MainControls>;

// Every control, in tab order.
std::span<const ControlRow> mainLayoutTable();

// Builds every control of the table into the window's client area (its central widget) and controls
// (title, flags and font of the window included) and sets the tab order. The window gets the client
// area's designed place and size; whoever adds bars above or below makes it taller by them.
void buildMainLayout(QMainWindow& window, MainControls& controls);

} // namespace mainwindow
