#include "ui/FlexGrid.h"
#include "wheel/WheelHook.h"

namespace wheel {

void scrollGrid(ui::FlexGrid* grid, int rotation)
{
    if (grid == nullptr) {
        return;
    }
    int top = 0;
    if (rotation > 0) {
        top = grid->TopRow() - wheelScrollRows;
        if (top < 1) {
            top = 1; // row 0 is the header
        }
    } else {
        top = grid->TopRow() + wheelScrollRows;
        if (top > grid->Rows() - 1) {
            top = grid->Rows() - 1;
        }
    }
    grid->setTopRow(top);
}

} // namespace wheel
