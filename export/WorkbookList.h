#pragma once

#include <QPointer>
#include <QtGlobal>
#include <memory>
#include <vector>

#include <QWidget>

namespace xl {

class Workbook;

// The application's open workbooks.
class WorkbookList final
{
public:
    WorkbookList() = default;
    Q_DISABLE_COPY_MOVE(WorkbookList)

    // Begins a new, unnamed workbook with one sheet and makes it the active one. Throws SheetError.
    std::shared_ptr<Workbook> add();
    // The newest workbook still open, or null.
    std::shared_ptr<Workbook> active();

    // The window that new workbooks' save questions belong to.
    void setOwnerWindow(QWidget* owner) { m_owner = owner; }

private:
    std::vector<std::shared_ptr<Workbook>> m_books;
    QPointer<QWidget> m_owner;
};

} // namespace xl
