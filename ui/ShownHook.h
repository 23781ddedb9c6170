#pragma once

#include <QPointer>
#include <QTimer>
#include <functional>
#include <utility>

namespace ui {

// A test seam for a modal window: while a hook is set, each opening calls it with the live window once it
// runs modally, then closes the window if the hook left it open. Never waits on a timer of its own.
template <class Window> class ShownHook final
{
public:
    void set(std::function<void(Window&)> hook) { m_hook = std::move(hook); }
    void reset() { m_hook = nullptr; }

    // Called just before window->exec().
    void armFor(Window* window) const
    {
        if (!m_hook) {
            return;
        }
        QPointer<Window> shown = window;
        QTimer::singleShot(0, window, [shown, hook = m_hook] {
            hook(*shown);
            if (shown && shown->isVisible()) {
                shown->close();
            }
        });
    }

private:
    std::function<void(Window&)> m_hook;
};

} // namespace ui
