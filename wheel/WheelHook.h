#pragma once

class QEvent;
class QObject;
class QWidget;

namespace ui {
class FlexGrid;
}

// Mouse-wheel scrolling of the order grid while the main window is active. The main window hooks itself
// when it becomes the active window and unhooks when it stops being it; while hooked, every vertical wheel
// event that reaches the window (not taken by a child on its way up) moves the grid "MSFlexGrid1" by
// wheelScrollRows, and then goes on to the window's own handling.
namespace wheel {

// Rows the grid moves per wheel message, whatever the size of the turn.
inline constexpr int wheelScrollRows = 3;

// Starts turning wheel messages over form into scrolls of its grid "MSFlexGrid1". Hooking the same window
// again adds no second filter; hooking another window moves the filter there.
void hookWheel(QWidget* form);
// Stops it.
void unhookWheel();
// The filter's handler for every event that reaches the hooked window: a wheel event with a vertical amount
// scrolls the grid. Always returns false, so every event, the wheel one included, goes on untouched.
bool filterWheel(QObject* window, QEvent* event);
// Moves the grid's first visible row by wheelScrollRows: up for rotation > 0 (wheel turned away from the
// user), down otherwise, never above row 1 nor past Rows - 1. A row the grid refuses leaves it as it was.
void scrollGrid(ui::FlexGrid* grid, int rotation);

} // namespace wheel
