#pragma once

#include <QString>

namespace xl {

// A Chinese description of a libxlsxwriter error number, with the library's own words beside it.
QString describeLxw(int error);

} // namespace xl
