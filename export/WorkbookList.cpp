#include "export/WorkbookList.h"

#include "export/Workbook.h"

#include <algorithm>

namespace xl {

std::shared_ptr<Workbook> WorkbookList::add()
{
    // Closed workbooks leave the list here, so it never grows with them.
    std::erase_if(m_books, [](const std::shared_ptr<Workbook>& book) { return !book->isOpen(); });
    auto book = std::make_shared<Workbook>(m_owner);
    m_books.push_back(book);
    return book;
}

std::shared_ptr<Workbook> WorkbookList::active()
{
    const auto open = std::find_if(m_books.rbegin(), m_books.rend(),
                                   [](const std::shared_ptr<Workbook>& book) { return book->isOpen(); });
    return open == m_books.rend() ? nullptr : *open;
}

} // namespace xl
