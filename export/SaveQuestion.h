#pragma once

#include <QString>

class QWidget;

namespace xl {

// What the saved file is: the workbook itself, or its cells as CSV text.
enum class FileType { Workbook, Csv };

struct SaveAnswer
{
    QString path; // empty: the user cancelled
    FileType type = FileType::Workbook;
};

// Asks where to save a new workbook: Qt's own save dialog offering "定单.xlsx" in startFolder when it
// exists, else in the user's documents folder, with a second type "CSV 文件 (*.csv)". The chosen type decides
// the format and the suffix added to a name typed without one.
SaveAnswer askSaveFile(QWidget* parent, const QString& startFolder = QString());

// Test seam: while armed, no dialog is shown; each question takes the next queued answer, and an empty
// queue answers as a cancel would.
namespace savefile_seam {
void setNextFileName(const QString& path); // arms the seam; an empty path cancels; the workbook type
// As setNextFileName, with the name filter the user picked in the dialog ("CSV 文件 (*.csv)").
void setNextAnswer(const QString& path, const QString& nameFilter);
void reset();          // disarms and empties the queue and the count
int asked();           // questions put since the last reset
QString startFolder(); // the folder the last question would have started in
} // namespace savefile_seam

} // namespace xl
