#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace ui {

// Where a window's client area goes so that the whole window, frame included, lies inside available:
// unchanged when it fits; otherwise moved by the least distance, and made smaller (never below minimum)
// only where the screen is smaller than the window. What cannot fit keeps its top-left corner, the
// title bar's start, on the screen.
QRect fitOnScreen(const QRect& client, const QMargins& frame, const QRect& available, const QSize& minimum);

// Fits a top-level window to the available area of the screen that holds its centre, with the frame the
// window system reports (or a usual one before the window is first mapped). Leaves a window that fits
// exactly where it is.
void keepOnScreen(QWidget& window);

} // namespace ui
