#pragma once

#include "store/Order.h"

#include <functional>
#include <memory>
#include <vector>

namespace store {

class OrderPages;

// The orders of one listing, newest first, as the grid and the export read them: the listed ids, and a
// few pages of orders read by id when somebody asks for one. Nothing else of the listing is kept, so a
// million orders cost their ids and the pages in use. A go of reads shares one connection, closed once
// the event loop turns again: no connection stays open between the seller's actions.
class ListedOrders final
{
public:
    // The listing's first orders make the first page, read with the listing.
    ListedOrders(const QString& dataFile, std::vector<qint64> ids, std::vector<Order> firstOrders = {});
    ~ListedOrders();
    Q_DISABLE_COPY_MOVE(ListedOrders)

    std::size_t size() const { return m_ids.size(); }
    qint64 id(std::size_t index) const { return m_ids[index]; }
    // The order at index (from 0); nullptr when it was deleted since the listing. Throws StoreError when
    // its page cannot be read. Valid until the next call.
    const Order* order(std::size_t index);

    // Each listed order in turn, from the first: visit gets its index and the order, nullptr when it was
    // deleted since the listing. A walk through the whole list (an export): the pages are read one after
    // another and none is kept. Throws StoreError when a page cannot be read.
    void forEach(const std::function<void(std::size_t index, const Order* order)>& visit);

    // Pages read from the store so far.
    int pageReads() const { return m_reads; }
    static constexpr std::size_t cachedPages = 8;

private:
    struct Page
    {
        std::size_t first = 0; // index of its first id
        std::vector<std::optional<Order>> orders;
        quint64 used = 0; // when it was last read, for dropping the least recently used
    };
    Page& page(std::size_t index);
    // Closes the pages' connection once the event loop turns again.
    void closeLater();
    // Keeps the orders read for the page that starts at first.
    Page& keep(std::size_t first, std::vector<Order> orders);

    std::shared_ptr<OrderPages> m_reader;
    std::vector<qint64> m_ids;
    std::vector<Page> m_pages;
    quint64 m_clock = 0;
    int m_reads = 0;
};

} // namespace store
