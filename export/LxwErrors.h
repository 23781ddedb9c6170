#pragma once

#include <QString>

namespace xl {

// A Chinese description of a libxlsxwriter error number that says what to do; never the library's own
// English words.
QString describeLxw(int error);

} // namespace xl
