#include "ui/EnterPressesButton.h"

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QPushButton>
#include <QWidget>

namespace ui {

namespace {

class EnterFilter final : public QObject
{
    Q_DISABLE_COPY_MOVE(EnterFilter)
public:
    explicit EnterFilter(QObject* parent)
        : QObject(parent)
    {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        // Shift, Ctrl or Alt with Enter mean something else; the keypad's Enter comes with its own flag.
        if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
            return false;
        }
        auto* button = qobject_cast<QPushButton*>(watched);
        if (!button || !button->isEnabled() || !button->isVisible()) {
            return false;
        }
        // Held down, Enter repeats: one press per stroke, as with Space.
        if (!key->isAutoRepeat()) {
            button->click();
        }
        return true;
    }
};

} // namespace

void pressButtonsOnEnter(QWidget& window)
{
    auto* filter = new EnterFilter(&window);
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        button->installEventFilter(filter);
    }
}

} // namespace ui
