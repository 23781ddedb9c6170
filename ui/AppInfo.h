#pragma once

#include <QString>

// The program's identity, shown in the title bar and written into its metadata.
namespace ui::appinfo {

inline const QString name = QStringLiteral("Tallywick");
inline const QString versionText = QStringLiteral("1.01");
// The publisher credit, in the main window's title and the organization field.
inline const QString credit = QStringLiteral("Tallywick工作室出品");

} // namespace ui::appinfo
