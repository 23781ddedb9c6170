#pragma once

#include "store/Listing.h"
#include "ui/GridRows.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace mainwindow {

// The grid's rows of one listing: the listed ids, newest first, and a few pages of orders read by id
// when the grid paints them or a caller reads a cell. Nothing else of the listing is kept, so a million
// orders cost their ids and the rows on screen. An order deleted since the listing shows its id only.
class ListedOrders final : public ui::GridRows
{
public:
    // The listing's first orders make the first page: the list shows them without another read.
    ListedOrders(db_config::ConnectionString connectionString,
                 std::vector<qint64> ids,
                 std::vector<store::StoredOrder> firstOrders = {});
    Q_DISABLE_COPY_MOVE(ListedOrders)

    // Grid row (from 1) and grid column (0 the id, then the columns of the grid's titles). Throws
    // StoreError when the page cannot be read.
    QString text(int row, int col) override;

    // Pages read from the store so far, for the tests of the cache.
    int pageReads() const { return m_reads; }

    static constexpr std::size_t pageRows = store::readOrdersLimit;
    static constexpr std::size_t cachedPages = 8;

private:
    struct Page
    {
        std::size_t first = 0; // index of its first id
        std::vector<std::optional<store::StoredOrder>> orders;
        quint64 used = 0; // when it was last read, for dropping the least recently used
    };
    const Page& page(std::size_t index);
    // Keeps the orders read for the page that starts at first.
    Page& keep(std::size_t first, std::vector<store::StoredOrder> orders);

    // One connection for the pages read in one go, closed once the event loop turns again: no
    // connection stays open between the seller's actions.
    std::shared_ptr<store::OrderReader> m_reader;
    std::vector<qint64> m_ids;
    std::vector<Page> m_pages;
    quint64 m_clock = 0;
    int m_reads = 0;
};

} // namespace mainwindow
