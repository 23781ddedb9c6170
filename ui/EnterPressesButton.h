#pragma once

class QWidget;

namespace ui {

// Enter (either key) on a focused push button of window presses that button, as Space does; without this
// only a dialog's default button answers Enter. Boxes keep what Enter does in them. Covers the buttons
// window holds when this is called.
void pressButtonsOnEnter(QWidget& window);

} // namespace ui
