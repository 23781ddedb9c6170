#include "store/StoreError.h"

namespace store {

StoreError::StoreError(Kind kind, const QString& description, const QString& detail)
    : std::runtime_error(description.toStdString())
    , m_kind(kind)
    , m_description(description)
    , m_detail(detail)
{}

} // namespace store
