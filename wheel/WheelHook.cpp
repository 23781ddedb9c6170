#include "wheel/WheelHook.h"

#include "ui/FlexGrid.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>

namespace wheel {

namespace {

// The window whose wheel messages are watched; empty while unhooked, and by itself once that window is gone.
QPointer<QWidget> hookedWindow;

// The one filter object of the module; it forwards to filterWheel.
class WheelFilter final : public QObject
{
public:
    using QObject::QObject;
    Q_DISABLE_COPY_MOVE(WheelFilter)

protected:
    bool eventFilter(QObject* watched, QEvent* event) override { return filterWheel(watched, event); }
};

QPointer<WheelFilter> theFilter;

// Made on first use, owned by the application so it goes with it.
WheelFilter* filter()
{
    if (theFilter.isNull()) {
        theFilter = new WheelFilter(QCoreApplication::instance());
    }
    return theFilter.data();
}

// True for a wheel event that stands for a turn of the vertical wheel. A purely horizontal turn is not one;
// neither are the empty markers a touchpad sends when a gesture starts or ends, which carry no turn at all.
bool isVerticalWheel(const QWheelEvent& wheel)
{
    const QPoint angle = wheel.angleDelta();
    if (angle.y() != 0) {
        return true;
    }
    if (angle.x() != 0) {
        return false;
    }
    return wheel.phase() != Qt::ScrollBegin && wheel.phase() != Qt::ScrollEnd;
}

} // namespace

void hookWheel(QWidget* form)
{
    if (form == nullptr) {
        return;
    }
    WheelFilter* f = filter();
    if (!hookedWindow.isNull() && hookedWindow != form) {
        hookedWindow->removeEventFilter(f);
    }
    hookedWindow = form;
    // Qt keeps a filter object once per watched object, so hooking twice leaves one filter.
    form->installEventFilter(f);
}

void unhookWheel()
{
    if (!theFilter.isNull() && !hookedWindow.isNull()) {
        hookedWindow->removeEventFilter(theFilter.data());
    }
    hookedWindow = nullptr;
}

bool filterWheel(QObject* window, QEvent* event)
{
    if (event == nullptr || event->type() != QEvent::Wheel || hookedWindow.isNull() ||
        window != hookedWindow.data()) {
        return false;
    }
    const auto* wheel = static_cast<const QWheelEvent*>(event);
    if (isVerticalWheel(*wheel)) {
        scrollGrid(hookedWindow->findChild<ui::FlexGrid*>(QStringLiteral("MSFlexGrid1")),
                   wheel->angleDelta().y());
    }
    return false;
}

} // namespace wheel
