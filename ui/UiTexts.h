#pragma once

#include <QString>

// The texts every window shares.
namespace ui::texts {

// The title of the program's messages.
inline const QString noticeTitle = QStringLiteral("提示");
// The words before a failure's description, and before any failure the program did not foresee.
inline const QString failedPrefix = QStringLiteral("操作未能完成：");

} // namespace ui::texts
