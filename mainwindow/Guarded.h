#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace mainwindow {

// Turns a failure's text into the message shown; the identity when empty.
using Explain = std::function<QString(const QString&)>;

// The guarded edge of a handler: runs body; a store failure shows its description, any other exception a
// generic Chinese message, both in a box titled ui::texts::noticeTitle over parent. Returns false when body
// failed.
bool runGuarded(QWidget* parent, const std::function<void()>& body, const Explain& explain = {});

} // namespace mainwindow
