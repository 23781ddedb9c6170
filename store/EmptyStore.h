#pragma once

#include <QString>

namespace store {

// Writes a new data.mdb with the empty order table. Refuses (StoreError) when the file already exists:
// an existing store holds the seller's orders and is never replaced.
void createEmptyStore(const QString& path);

} // namespace store
