#include "export/CellText.h"

namespace xl {

QByteArray cellTextUtf8(const QString& text)
{
    if (!text.contains(QChar(0))) {
        return text.toUtf8(); // nearly every cell
    }
    QString stored = text;
    stored.replace(QChar(0), QStringLiteral("_x0000_"));
    return stored.toUtf8();
}

} // namespace xl
