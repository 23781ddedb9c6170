#include "export/SheetError.h"

namespace xl {

SheetError::SheetError(const QString& description)
    : std::runtime_error(description.toStdString())
    , m_description(description)
{}

} // namespace xl
