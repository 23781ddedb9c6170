#include "store/StoreError.h"

namespace store {

StoreError::StoreError(Kind kind, const QString& description)
    : std::runtime_error(description.toStdString())
    , m_kind(kind)
    , m_description(description)
{}

} // namespace store
