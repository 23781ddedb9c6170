#pragma once

#include <QList>
#include <QString>

class QWidget;

// Every message box of the program goes through MsgBox.
namespace ui {

// Flag values the windows pass.
constexpr int MB_OK = 0;               // OK alone, no icon
constexpr int MB_OK_EXCLAMATION = 48;  // OK with the exclamation icon
constexpr int MB_YESNO_QUESTION = 292; // Yes and No, question icon, No the default
// Answers.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDRETRY = 4;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Shows a modal message box and returns the answer. An empty title gives the application's name.
int MsgBox(const QString& text,
           int flags = MB_OK,
           const QString& title = QString(),
           QWidget* parent = nullptr);

// Test seam: while armed, no box is shown; each call records what it would show and takes the next
// queued answer (or the default button's answer when the queue is empty).
namespace msgbox_seam {
struct Shown
{
    QString text;
    int flags;
    QString title;
    bool overShownWindow = false; // the parent's window was on the screen when the box came up
};
void arm();
void reset(); // disarms, empties the queue and the record
bool armed();
void setNextAnswer(int answer);
const QList<Shown>& shown();
} // namespace msgbox_seam

} // namespace ui
