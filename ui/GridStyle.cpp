#include "ui/GridStyle.h"

#include <QColor>

namespace ui {

GridStyle::GridStyle(QObject* parent)
    : QProxyStyle()
{
    setParent(parent);
}

int GridStyle::styleHint(StyleHint hint,
                         const QStyleOption* option,
                         const QWidget* widget,
                         QStyleHintReturn* returnData) const
{
    if (hint == QStyle::SH_Table_GridLineColor) {
        return static_cast<int>(QColor(128, 128, 192).rgba());
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

} // namespace ui
