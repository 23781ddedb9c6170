#include "orderimport/ImportError.h"

#include <QFileInfo>

namespace orderimport {

ImportError::ImportError(Kind kind, const QString& message)
    : std::runtime_error(message.toStdString())
    , m_kind(kind)
    , m_message(message)
{}

QString shownName(const QString& path)
{
    return QFileInfo(path).fileName();
}

} // namespace orderimport
