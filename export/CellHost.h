#pragma once

#include "export/Range.h"

namespace xl {

// What the export writes its cells through: a worksheet, or the application object, which reaches the
// active sheet.
class CellHost
{
public:
    virtual ~CellHost() = default;

    // One cell, counted from 1.
    virtual Range Cells(int row, int column) = 0;
    // Every cell of the sheet.
    virtual Range Cells() = 0;
};

} // namespace xl
