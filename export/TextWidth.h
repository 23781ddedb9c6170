#pragma once

#include <QStringView>

namespace xl {

// How many narrow characters wide a text shows in a cell: a wide or full-width (CJK) character counts as
// two, every other character as one.
int displayWidth(QStringView text);

} // namespace xl
