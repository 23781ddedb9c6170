#pragma once

#include <QString>

class QWidget;

namespace xl {

// Asks where to save a new workbook: Qt's own save dialog with the .xlsx filter, offering "定单.xlsx" in
// the user's documents folder. Returns the chosen path, or an empty text when the user cancels.
QString askSaveFileName(QWidget* parent);

// Test seam: while armed, no dialog is shown; each question takes the next queued answer, and an empty
// queue answers as a cancel would.
namespace savefile_seam {
void setNextFileName(const QString& path); // arms the seam; an empty path cancels
void reset();                              // disarms and empties the queue and the count
bool armed();
int asked(); // questions put since the last reset
} // namespace savefile_seam

} // namespace xl
