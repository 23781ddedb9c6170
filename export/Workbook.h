#pragma once

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>
#include <memory>

#include <QWidget>
struct lxw_workbook;

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
    // saveChanges true: asks where to save, then writes the file there; false: discards the workbook.
    // Returns false when the user cancels the question: nothing is written and the workbook stays open.
    // Throws SheetError when writing fails; nothing is left under the chosen name then.
    bool Close(bool saveChanges);

    bool isOpen() const { return m_book != nullptr; }

private:
    void discard();

    QTemporaryDir m_work;
    QByteArray m_workDir; // the folder libxlsxwriter keeps its own temporary files in
    QString m_workFile;   // the workbook as libxlsxwriter writes it, before it goes into place
    lxw_workbook* m_book = nullptr;
    std::unique_ptr<Worksheet> m_sheet;
    QPointer<QWidget> m_owner;
};

} // namespace xl
