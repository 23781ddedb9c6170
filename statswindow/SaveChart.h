#pragma once

#include <QString>

class QWidget;

namespace statswindow {

// Asks where to save a chart (Qt's save dialog, "销售统计.png" in the user's pictures folder, PNG images)
// and saves what widget shows there as a PNG; a name typed without a suffix gets ".png". A file that cannot
// be written is told to the user. Returns the path saved to, empty when the user cancelled or it failed.
QString saveChart(QWidget& widget);

// Test seam: while armed, no dialog is shown; each question takes the next queued answer, and an empty
// queue answers as a cancel would.
namespace chartfile_seam {
void setNextFileName(const QString& path); // arms the seam; an empty path cancels
void reset();                              // disarms and empties the queue and the count
int asked();                               // questions put since the last reset
} // namespace chartfile_seam

} // namespace statswindow
