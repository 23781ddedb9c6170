#pragma once

#include <QStringView>
#include <memory>

namespace xl {

class CellHost;
class SpreadsheetApp;

// The number a version text begins with: 11 for "11.0", 0 when it begins with no digit.
int leadingVersion(QStringView version);

// The object the cells are written through: the active sheet from version 8 on; before 8 the
// application object itself serves as the sheet. Throws SheetError.
std::shared_ptr<CellHost> chooseSheetObject(const std::shared_ptr<SpreadsheetApp>& app);

} // namespace xl
