#pragma once

#include "export/ExportRows.h"

#include <QString>
#include <span>

class QWidget;

namespace xl {

// Writes the listed orders (orders may be null: nothing listed), the title row first, into a new workbook
// and saves it where the seller says. Returns true when the export ran to its end. parent: the window its
// dialogs and messages belong to; startFolder: where the save question starts (the folder last used);
// savedPath, when given, gets the saved file's path.
bool exportOrders(store::ListedOrders* orders,
                  std::span<const ExportColumn> columns,
                  QWidget* parent = nullptr,
                  const QString& startFolder = QString(),
                  QString* savedPath = nullptr);

} // namespace xl
