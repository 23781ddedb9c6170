#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace ui {

// The wait cursor while it lives: work the seller waits for without a window of its own.
class WaitCursor final
{
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    Q_DISABLE_COPY_MOVE(WaitCursor)
};

} // namespace ui
