#pragma once

#include <QtGlobal>
#include <functional>

class QWidget;

namespace store {
class OrderStore;
struct OrderFilter;
} // namespace store

namespace statswindow {

class StatisticsWindow;

// Computes the statistics of the orders the filter covers and shows them in the statistics window, modally
// over parent; returns once it is closed and gone. Double-clicking a loss calls editOrder with its id; it
// says whether an order was saved. A store failure is told in one message box and nothing opens.
void showStatistics(QWidget* parent,
                    const store::OrderStore& store,
                    const store::OrderFilter& filter,
                    const std::function<bool(qint64 orderId)>& editOrder);

// Test seam: while a hook is set, each opening calls it with the live window once it runs modally. The
// window is closed when the hook returns, unless the hook closed it.
namespace statswindow_seam {
void setShownHook(std::function<void(StatisticsWindow&)> hook);
void reset();
} // namespace statswindow_seam

} // namespace statswindow
