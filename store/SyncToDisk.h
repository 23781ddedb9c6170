#pragma once

#include <QString>

namespace store {

// Writes a file's (or a folder's) data to the disk: after it, a power loss keeps what was written, and a
// folder's renames and new names.
void syncToDisk(const QString& path, bool directory = false);

} // namespace store
