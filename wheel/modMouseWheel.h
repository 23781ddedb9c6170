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
// WheelScrollRows, and then goes on to the window's own handling.
namespace modMouseWheel {

// Rows the grid moves per wheel message, whatever the size of the turn.
inline constexpr int WheelScrollRows = 3;

// Starts turning wheel messages over form into scrolls of its grid "MSFlexGrid1". Hooking the same window
// again adds no second filter; hooking another window moves the filter there.
void HookWheel(QWidget* form);
// Stops it.
void UnhookWheel();
// The filter's handler for every event that reaches the hooked window: a wheel event with a vertical amount
// scrolls the grid. Always returns false, so every event, the wheel one included, goes on untouched.
bool WheelWindowProc(QObject* window, QEvent* event);
// Moves the grid's first visible row by WheelScrollRows: up for rotation > 0 (wheel turned away from the
// user), down otherwise, never above row 1 nor past Rows - 1. A row the grid refuses leaves it as it was.
void ScrollFlexGrid(ui::FlexGrid* grid, int rotation);

} // namespace modMouseWheel
