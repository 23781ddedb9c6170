#pragma once

#include <QString>

namespace ui {

// Where the grid's data rows come from when a window lists more than it could write cell by cell: the
// grid asks for a cell's text only when it paints the cell or a caller reads it.
class GridRows
{
public:
    virtual ~GridRows() = default;
    // The text of data cell (row from 1, col from 0). May throw when the rows cannot be read: a painted
    // cell then stays empty, TextMatrix passes the failure on to its caller.
    virtual QString text(int row, int col) = 0;
};

} // namespace ui
