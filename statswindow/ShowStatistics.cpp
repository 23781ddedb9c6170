#include "statswindow/ShowStatistics.h"

#include "statswindow/StatisticsWindow.h"
#include "store/OrderStore.h"
#include "ui/ShownHook.h"

#include <QPointer>

namespace statswindow {

namespace {

ui::ShownHook<StatisticsWindow>& shownHook()
{
    static ui::ShownHook<StatisticsWindow> hook;
    return hook;
}

} // namespace

void showStatistics(QWidget* parent,
                    const store::OrderStore& store,
                    const store::OrderFilter& filter,
                    const std::function<bool(qint64 orderId)>& editOrder)
{
    runGuarded(parent, [&] {
        QPointer<StatisticsWindow> window =
            new StatisticsWindow(store, filter, store.statistics(filter), editOrder, parent);
        shownHook().armFor(window);
        window->exec();
        delete window;
    });
}

namespace statswindow_seam {

void setShownHook(std::function<void(StatisticsWindow&)> hook)
{
    shownHook().set(std::move(hook));
}

void reset()
{
    shownHook().reset();
}

} // namespace statswindow_seam

} // namespace statswindow
