#include "ui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QWindow>

namespace ui {

namespace {

struct Seam
{
    bool armed = false;
    QList<int> answers;
    QList<msgbox_seam::Shown> shown;
};

Seam& seam()
{
    static Seam s;
    return s;
}

// The low four bits pick the buttons, bits 4-6 the icon, bits 8-9 the default button.
constexpr int buttonsMask = 0x0F;
constexpr int iconMask = 0x70;
constexpr int defaultMask = 0x300;

struct ButtonChoice
{
    QMessageBox::StandardButton button;
    int answer;
    QString text;
};

QList<ButtonChoice> buttonsFor(int flags)
{
    const ButtonChoice ok{QMessageBox::Ok, IDOK, QStringLiteral("确定")};
    const ButtonChoice cancel{QMessageBox::Cancel, IDCANCEL, QStringLiteral("取消")};
    const ButtonChoice yes{QMessageBox::Yes, IDYES, QStringLiteral("是")};
    const ButtonChoice no{QMessageBox::No, IDNO, QStringLiteral("否")};
    const ButtonChoice retry{QMessageBox::Retry, IDRETRY, QStringLiteral("重试")};
    switch (flags & buttonsMask) {
    case 1:
        return {ok, cancel};
    case 3:
        return {yes, no, cancel};
    case 4:
        return {yes, no};
    case 5:
        return {retry, cancel};
    default:
        return {ok};
    }
}

QMessageBox::Icon iconFor(int flags)
{
    switch (flags & iconMask) {
    case 16:
        return QMessageBox::Critical;
    case 32:
        return QMessageBox::Question;
    case 48:
        return QMessageBox::Warning;
    case 64:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int defaultIndex(int flags, int buttonCount)
{
    const int index = (flags & defaultMask) >> 8;
    return index < buttonCount ? index : 0;
}

// The answer of the button that Escape and the close box give: Cancel, else No, else the only button.
int escapeAnswer(const QList<ButtonChoice>& buttons)
{
    for (const ButtonChoice& b : buttons) {
        if (b.answer == IDCANCEL) {
            return b.answer;
        }
    }
    for (const ButtonChoice& b : buttons) {
        if (b.answer == IDNO) {
            return b.answer;
        }
    }
    return buttons.size() == 1 ? buttons.front().answer : 0;
}

} // namespace

int MsgBox(const QString& text, int flags, const QString& title, QWidget* parent)
{
    const QString caption = title.isEmpty() ? QApplication::applicationName() : title;
    const QList<ButtonChoice> buttons = buttonsFor(flags);
    const int defaultAt = defaultIndex(flags, static_cast<int>(buttons.size()));

    Seam& s = seam();
    if (s.armed) {
        const QWindow* owner = parent ? parent->window()->windowHandle() : nullptr;
        s.shown.append({text, flags, caption, owner && owner->isVisible()});
        return s.answers.isEmpty() ? buttons.at(defaultAt).answer : s.answers.takeFirst();
    }

    QMessageBox box(iconFor(flags), caption, text, QMessageBox::NoButton, parent);
    QList<QPushButton*> made;
    for (const ButtonChoice& b : buttons) {
        QPushButton* button = box.addButton(b.button);
        button->setText(b.text);
        made.append(button);
    }
    box.setDefaultButton(made.at(defaultAt));
    const int onEscape = escapeAnswer(buttons);
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        if (buttons.at(i).answer == onEscape) {
            box.setEscapeButton(made.at(i));
        }
    }
    if (parent == nullptr) {
        // A box of its own, such as one at start-up before any window: in front of every other window, and
        // the one that takes the keys.
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
        box.setWindowModality(Qt::ApplicationModal);
        box.show();
        box.raise();
        box.activateWindow();
    }
    box.exec();
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        if (box.clickedButton() == made.at(i)) {
            return buttons.at(i).answer;
        }
    }
    return onEscape;
}

namespace msgbox_seam {

void arm()
{
    seam().armed = true;
}

void reset()
{
    seam() = Seam{};
}

bool armed()
{
    return seam().armed;
}

void setNextAnswer(int answer)
{
    seam().answers.append(answer);
}

const QList<Shown>& shown()
{
    return seam().shown;
}

} // namespace msgbox_seam

} // namespace ui
