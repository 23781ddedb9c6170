#include "ui/ScreenFit.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace ui {

namespace {

// Before a window is mapped its frame is unknown: a title bar and thin borders as most window managers
// draw them.
constexpr QMargins usualFrame(4, 32, 4, 4);

// Start of the span of length size inside [low, low + room): moved the least from start; low when it
// cannot fit.
int placeSpan(int start, int size, int low, int room)
{
    return std::max(low, std::min(start, low + room - size));
}

QMargins frameOf(const QWidget& window)
{
    if (const QWindow* handle = window.windowHandle()) {
        const QMargins reported = handle->frameMargins();
        if (!reported.isNull()) {
            return reported;
        }
    }
    // Another window already on screen has the frame this one will get.
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other != &window && other->isVisible() && other->windowHandle()) {
            const QMargins reported = other->windowHandle()->frameMargins();
            if (!reported.isNull()) {
                return reported;
            }
        }
    }
    return usualFrame;
}

} // namespace

QRect fitOnScreen(const QRect& client, const QMargins& frame, const QRect& available, const QSize& minimum)
{
    if (available.isEmpty() || available.contains(client.marginsAdded(frame))) {
        return client;
    }
    const int frameWidth = frame.left() + frame.right();
    const int frameHeight = frame.top() + frame.bottom();
    const int width = std::max(std::min(client.width(), available.width() - frameWidth), minimum.width());
    const int height =
        std::max(std::min(client.height(), available.height() - frameHeight), minimum.height());
    const int outerLeft =
        placeSpan(client.left() - frame.left(), width + frameWidth, available.left(), available.width());
    const int outerTop =
        placeSpan(client.top() - frame.top(), height + frameHeight, available.top(), available.height());
    return QRect(outerLeft + frame.left(), outerTop + frame.top(), width, height);
}

void keepOnScreen(QWidget& window)
{
    const QRect client = window.geometry();
    QScreen* screen = QGuiApplication::screenAt(client.center());
    if (!screen) {
        screen = window.screen();
    }
    if (!screen) {
        return;
    }
    const QRect fitted =
        fitOnScreen(client, frameOf(window), screen->availableGeometry(), window.minimumSize());
    // The client rectangle, as the design gives it: move() would place the frame's corner instead.
    if (fitted != client) {
        window.setGeometry(fitted);
    }
}

} // namespace ui
