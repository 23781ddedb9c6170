#pragma once

#include <QIcon>
#include <QList>

namespace ui {

// The pixel sizes the application icon is drawn at.
QList<int> appIconSizes();

// The application icon with all its sizes, for the title bars and the task bar.
QIcon appIcon();

} // namespace ui
