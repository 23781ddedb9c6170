#pragma once

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>
#include <memory>

#include <QWidget>
#include <cstdio>
#include <functional>
struct lxw_workbook;
struct lxw_worksheet;

namespace xl {

class Worksheet;

// A new workbook with one sheet. Its cells go into a working file in a temporary folder; closing with
// "save changes" asks where to save it (a new workbook has no name yet) and puts the finished file there
// in one piece.
class Workbook final : public std::enable_shared_from_this<Workbook>
{
public:
    // owner: the window the save question belongs to. Throws SheetError when no workbook can be begun.
    explicit Workbook(QWidget* owner);
    ~Workbook();
    Q_DISABLE_COPY_MOVE(Workbook)

    // The sheet that receives the cells; it keeps the workbook alive while it is held.
    std::shared_ptr<Worksheet> ActiveSheet();
    // saveChanges true: asks where to save, then writes the file there (the workbook, or the CSV text
    // when that type is chosen); false: discards the workbook.
    // Returns false when the user cancels the question: nothing is written and the workbook stays open.
    // Throws SheetError when writing fails; nothing is left under the chosen name then.
    bool Close(bool saveChanges);

    bool isOpen() const { return m_book != nullptr; }

    // Writes the same cells as CSV text to a path, when the save question chooses that type. The cells
    // of a workbook go to disk as they come, so the text is made from where they came from.
    void setTextExport(std::function<void(const QString& path)> write) { m_textExport = std::move(write); }

private:
    void discard();
    void takeOverRows(lxw_worksheet* sheet);
    void releaseRows();
    void tellCutCells() const;

    QTemporaryDir m_work;
    QByteArray m_workDir; // the folder libxlsxwriter keeps its own temporary files in
    QString m_workFile;   // the workbook as libxlsxwriter writes it, before it goes into place
    lxw_workbook* m_book = nullptr;
    std::unique_ptr<Worksheet> m_sheet;
    QPointer<QWidget> m_owner;
    std::function<void(const QString&)> m_textExport;
    // The file the library keeps the sheet's rows in until the workbook is written out (see takeOverRows).
    FILE* m_rows = nullptr;
    int m_rowsHandle = -1;
    QString m_rowsPath;
};

} // namespace xl
