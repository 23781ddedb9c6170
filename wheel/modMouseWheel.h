#pragma once

class QWidget;

namespace ui {
class FlexGrid;
}

// Mouse-wheel scrolling of the order grid while the main window is active.
namespace modMouseWheel {

// Starts turning wheel messages over form into scrolls of its grid "MSFlexGrid1".
void HookWheel(QWidget* form);
// Stops it.
void UnhookWheel();
// Moves the grid's first visible row by WheelScrollRows: up for rotation > 0, down otherwise.
void ScrollFlexGrid(ui::FlexGrid* grid, int rotation);

} // namespace modMouseWheel
