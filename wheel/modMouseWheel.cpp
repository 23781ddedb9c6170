#include "wheel/modMouseWheel.h"

// Placeholder until the wheel rule lands.
namespace modMouseWheel {
void HookWheel(QWidget*) {}
void UnhookWheel() {}
void ScrollFlexGrid(ui::FlexGrid*, int) {}
} // namespace modMouseWheel
