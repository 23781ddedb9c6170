#pragma once

#include "export/ExportRows.h"

#include <span>

class QWidget;

namespace xl {

// Writes the listed orders (orders may be null: nothing listed), the title row first, into a new workbook
// and saves it where the seller says. Returns true when the export ran to its end. parent: the window its
// dialogs and messages belong to.
bool exportOrders(store::ListedOrders* orders,
                  std::span<const ExportColumn> columns,
                  QWidget* parent = nullptr);

} // namespace xl
