#pragma once

#include "export/Worksheet.h"

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <QtGlobal>
#include <cstdio>
#include <functional>
#include <optional>

struct lxw_workbook;

namespace xl {

// A Qt date pattern ("yyyy/M/d") as a spreadsheet's number format ("yyyy/m/d").
QByteArray excelDateFormat(const QString& pattern);

// A new workbook with one sheet. Its cells go into a working file in a temporary folder; closing with
// "save changes" asks where to save it (a new workbook has no name yet) and puts the finished file there
// in one piece.
class Workbook final
{
public:
    // owner: the window the save question belongs to. Throws SheetError when no workbook can be begun.
    explicit Workbook(QWidget* owner);
    ~Workbook();
    Q_DISABLE_COPY_MOVE(Workbook)

    // The sheet that receives the cells.
    Worksheet& activeSheet() { return *m_sheet; }
    // Closes with "save changes": asks where and as what, then writes the workbook there, or has
    // writeCsv write the same cells as CSV text when that type is chosen (a workbook's cells go to disk as
    // they come, so the text is made from where they came from). Returns false when the user cancels:
    // nothing is written and the workbook stays open. Throws SheetError when writing fails; nothing is
    // left under the chosen name then.
    bool closeSaving(const std::function<void(const QString& path)>& writeCsv,
                     const QString& startFolder = QString());
    // Where closeSaving put the file; empty before.
    const QString& savedPath() const { return m_savedPath; }

    bool isOpen() const { return m_book != nullptr; }

private:
    void discard();
    void takeOverRows(lxw_worksheet* sheet);
    void releaseRows();
    void tellCutCells() const;

    QTemporaryDir m_work;
    QByteArray m_workDir; // the folder libxlsxwriter keeps its own temporary files in
    QString m_workFile;   // the workbook as libxlsxwriter writes it, before it goes into place
    QString m_savedPath;
    lxw_workbook* m_book = nullptr;
    std::optional<Worksheet> m_sheet;
    QPointer<QWidget> m_owner;
    // The file the library keeps the sheet's rows in until the workbook is written out (see takeOverRows).
    FILE* m_rows = nullptr;
    int m_rowsHandle = -1;
    QString m_rowsPath;
};

} // namespace xl
