#pragma once

#include <QString>
#include <QtGlobal>

class QSaveFile;

namespace xl {

// Copies the finished file at source to target in one piece: it is written beside target under a
// temporary name and renamed into place only when complete, so target is either the whole new file or
// untouched. Throws SheetError with the reason when the folder cannot be written or the disk is full.
void saveInPlace(const QString& source, const QString& target);

// The two ends of writing a file in one piece: opening out (a QSaveFile on the target, never writing
// straight into it), and putting it in place once the disk holds exactly `written` bytes of it. Both
// throw SheetError saying in Chinese why and what to do; nothing is left under the target's name then.
void openInPlace(QSaveFile& out);
void commitInPlace(QSaveFile& out, qint64 written);
// A write to out fell short: drops the temporary file and throws that the disk may be full.
[[noreturn]] void abandonInPlace(QSaveFile& out);

} // namespace xl
