#pragma once

#include <QString>

namespace xl {

// Copies the finished file at source to target in one piece: it is written beside target under a
// temporary name and renamed into place only when complete, so target is either the whole new file or
// untouched. Throws SheetError with the reason when the folder cannot be written or the disk is full.
void saveInPlace(const QString& source, const QString& target);

} // namespace xl
