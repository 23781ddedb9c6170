#pragma once

#include "entry/EntryTexts.h"

#include <QString>
#include <optional>

// The entry window's two trips to the data file. Both throw store::StoreError.
namespace entry {

// True for the decimal text of an id: only such a text may stand unquoted after "where id=".
bool isIdText(const QString& id);

// Reads the order whose id is the text id through the shared recordset (released again at the end).
// Returns nothing when id is not the decimal text of an id, or when no stored order has it.
// A NULL remark reads as a single blank.
std::optional<entrytexts::OrderTexts> loadOrder(const QString& id);

// Runs an insert or update on a recordset of its own; returns the number of rows it changed.
qint64 runSave(const QString& statement);

} // namespace entry
