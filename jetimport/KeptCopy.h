#pragma once

#include <QString>

// The original Jet file, kept byte for byte under a name that never overwrites anything.
namespace jetimport {

// The name the original keeps: data-jet-YYYYMMDD-HHMMSS.mdb, with -2, -3... when that name is taken.
QString keptName(const QString& dataFile);
// Copies dataFile to a free name (a file that appears under that name meanwhile is never overwritten)
// and compares the copy's bytes; returns its path. Throws ConversionError.
QString keepCopy(const QString& dataFile);
// Whether two files hold the same bytes.
bool sameBytes(const QString& a, const QString& b);

} // namespace jetimport
