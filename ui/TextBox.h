#pragma once

class QLineEdit;
class QWidget;

namespace ui {

// A single-line text box of the windows: left-aligned, and with no limit on the length of its text
// (QLineEdit cuts text at 32767 characters by default, which would silently shorten a pasted remark).
QLineEdit* newTextBox(QWidget* parent);

} // namespace ui
