#include "statswindow/ShowStatistics.h"

#include "statswindow/StatisticsWindow.h"
#include "statswindow/StatsTexts.h"
#include "store/OrderStore.h"
#include "store/StoreError.h"
#include "ui/Guarded.h"
#include "ui/MessageBox.h"
#include "ui/ShownHook.h"
#include "ui/UiTexts.h"

#include <QPointer>
#include <optional>

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
    std::optional<store::Statistics> statistics;
    const auto failure = ui::guarded<store::StoreError>([&] {
        statistics = store.statistics(filter);
        QPointer<StatisticsWindow> window =
            new StatisticsWindow(store, filter, std::move(*statistics), editOrder, parent);
        shownHook().armFor(window);
        window->exec();
        delete window;
    });
    if (failure) {
        ui::MsgBox(failure->described() ? failure->words : texts::unexpectedFailure, ui::MB_OK_EXCLAMATION,
                   ui::texts::noticeTitle, parent);
    }
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
