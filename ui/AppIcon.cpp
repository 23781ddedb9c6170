#include "ui/AppIcon.h"

#include <QString>

// The icon's images live in a resource compiled into this library; a static library's resources are
// registered only when something asks for them.
static void registerIconResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(tallywick);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace ui {

QList<int> appIconSizes()
{
    return {16, 24, 32, 48, 64, 72, 96, 128};
}

QIcon appIcon()
{
    registerIconResources();
    QIcon icon;
    for (int size : appIconSizes()) {
        icon.addFile(QStringLiteral(":/icons/tallywick-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

} // namespace ui
