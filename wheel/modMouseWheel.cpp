#include "wheel/modMouseWheel.h"

#include "ui/FlexGrid.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWheelEvent>

namespace modMouseWheel {

QPointer<QWidget> hookedForm;
WId hookedWindow = 0;
bool previousWindowProc = false;

namespace {

// The one filter object of the module; it forwards to WheelWindowProc and notices when the hooked window
// goes away without being unhooked, so the marker never claims a filter on a window that is gone.
class WheelFilter final : public QObject
{
public:
    using QObject::QObject;
    Q_DISABLE_COPY_MOVE(WheelFilter)

    void watch(QWidget* form)
    {
        m_watched = form;
        connect(form, &QObject::destroyed, this, &WheelFilter::formGone, Qt::UniqueConnection);
    }
    void unwatch() { m_watched = nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override { return WheelWindowProc(watched, event); }

private:
    void formGone(QObject* gone)
    {
        if (gone == m_watched) {
            m_watched = nullptr;
            previousWindowProc = false;
        }
    }

    const QObject* m_watched = nullptr; // compared only, never used: it may be half destroyed
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

void HookWheel(QWidget* form)
{
    if (form == nullptr) {
        return;
    }
    // Failures to hook only mean the wheel does not scroll the grid; the window goes on as usual.
    try {
        WheelFilter* f = filter();
        if (!hookedForm.isNull() && hookedForm != form) {
            hookedForm->removeEventFilter(f);
        }
        hookedForm = form;
        hookedWindow = form->internalWinId();
        // Qt keeps a filter object once per watched object, so hooking twice leaves one filter.
        form->installEventFilter(f);
        f->watch(form);
        previousWindowProc = true;
    } catch (...) {
    }
}

void UnhookWheel()
{
    try {
        if (!theFilter.isNull()) {
            if (!hookedForm.isNull()) {
                hookedForm->removeEventFilter(theFilter.data());
            }
            theFilter->unwatch();
        }
    } catch (...) {
    }
    hookedForm = nullptr;
    previousWindowProc = false;
}

bool WheelWindowProc(QObject* window, QEvent* event)
{
    if (event == nullptr || event->type() != QEvent::Wheel) {
        return false;
    }
    // No failure of the scroll may reach the event loop; the event goes on whatever happens here.
    try {
        if (hookedForm.isNull() || window != hookedForm.data()) {
            return false;
        }
        const auto* wheel = static_cast<const QWheelEvent*>(event);
        if (!isVerticalWheel(*wheel)) {
            return false;
        }
        ScrollFlexGrid(hookedForm->findChild<ui::FlexGrid*>(QStringLiteral("MSFlexGrid1")),
                       wheel->angleDelta().y());
    } catch (...) {
    }
    return false;
}

} // namespace modMouseWheel
