#pragma once

#include <QFont>
#include <QStringList>

// The interface font: 宋体 at 9 points, or the first installed CJK font that stands in for it.
namespace ui::fonts {

inline const QStringList interfaceFamilies = {
    QStringLiteral("宋体"),
    QStringLiteral("SimSun"),
    QStringLiteral("NSimSun"),
    QStringLiteral("Noto Sans CJK SC"),
    QStringLiteral("Noto Serif CJK SC"),
    QStringLiteral("WenQuanYi Micro Hei"),
    QStringLiteral("Droid Sans Fallback"),
};
constexpr int interfacePointSize = 9;

QFont interfaceFont();

} // namespace ui::fonts
