#pragma once

class QWidget;

namespace ui {
class FlexGrid;
}

namespace xl {

// Copies the grid (header row included, the hidden id column left out) into a new workbook.
// Returns true when the export ran to its end. parent: the window its dialogs and messages belong to.
bool ExportToExcel(ui::FlexGrid& grid, QWidget* parent = nullptr);

} // namespace xl
