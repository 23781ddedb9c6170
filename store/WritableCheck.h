#pragma once

#include <QString>

namespace store {

// Throws StoreError (ReadOnly, naming the file or its folder) when orders could not be saved into the data
// file at path: SQLite opens a write-protected file read-only without an error, so the windows ask ahead.
// Also throws what opening the file throws.
void requireWritableStore(const QString& path);

} // namespace store
