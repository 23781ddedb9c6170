#include "store/ListedOrders.h"

#include "store/OrderStore.h"

#include <QTimer>
#include <algorithm>

namespace store {

ListedOrders::ListedOrders(const QString& dataFile, std::vector<qint64> ids, std::vector<Order> firstOrders)
    : m_reader(std::make_shared<OrderPages>(dataFile))
    , m_ids(std::move(ids))
{
    if (!firstOrders.empty() && !m_ids.empty()) {
        keep(0, std::move(firstOrders));
    }
}

ListedOrders::~ListedOrders() = default;

const Order* ListedOrders::order(std::size_t index)
{
    if (index >= m_ids.size()) {
        return nullptr;
    }
    Page& p = page(index);
    std::optional<Order>& order = p.orders[index - p.first];
    return order ? &*order : nullptr;
}

ListedOrders::Page& ListedOrders::page(std::size_t index)
{
    const std::size_t first = index - index % OrderStore::pageSize;
    ++m_clock;
    for (Page& p : m_pages) {
        if (p.first == first) {
            p.used = m_clock;
            return p;
        }
    }
    const std::size_t count = std::min(OrderStore::pageSize, m_ids.size() - first);
    std::vector<Order> read = m_reader->read(std::span<const qint64>(m_ids.data() + first, count));
    ++m_reads;
    closeLater();
    return keep(first, std::move(read));
}

void ListedOrders::forEach(const std::function<void(std::size_t index, const Order* order)>& visit)
{
    for (std::size_t first = 0; first < m_ids.size(); first += OrderStore::pageSize) {
        const std::size_t count = std::min(OrderStore::pageSize, m_ids.size() - first);
        std::vector<Order> read = m_reader->read(std::span<const qint64>(m_ids.data() + first, count));
        ++m_reads;
        closeLater();
        // Found by halves among the orders read, in the order of their ids.
        const auto byId = [](const Order& order, qint64 id) { return order.id < id; };
        std::sort(read.begin(), read.end(), [](const Order& a, const Order& b) { return a.id < b.id; });
        for (std::size_t i = first; i < first + count; ++i) {
            const auto at = std::lower_bound(read.begin(), read.end(), m_ids[i], byId);
            visit(i, at != read.end() && at->id == m_ids[i] ? &*at : nullptr);
        }
    }
}

void ListedOrders::closeLater()
{
    QTimer::singleShot(0, [reader = std::weak_ptr<OrderPages>(m_reader)] {
        if (const auto open = reader.lock()) {
            open->close();
        }
    });
}

ListedOrders::Page& ListedOrders::keep(std::size_t first, std::vector<Order> orders)
{
    const std::size_t count = std::min(OrderStore::pageSize, m_ids.size() - first);
    Page fresh;
    fresh.first = first;
    fresh.used = ++m_clock;
    fresh.orders.resize(count);
    // The page's ids with their places, sorted: each order read finds its place by halves.
    std::vector<std::pair<qint64, std::size_t>> place(count);
    for (std::size_t i = 0; i < count; ++i) {
        place[i] = {m_ids[first + i], i};
    }
    std::sort(place.begin(), place.end());
    for (Order& order : orders) {
        const auto at = std::lower_bound(place.begin(), place.end(), std::pair(order.id, std::size_t(0)));
        if (at != place.end() && at->first == order.id) {
            fresh.orders[at->second] = std::move(order);
        }
    }
    if (m_pages.size() < cachedPages) {
        m_pages.push_back(std::move(fresh));
        return m_pages.back();
    }
    Page& oldest = *std::min_element(m_pages.begin(), m_pages.end(),
                                     [](const Page& a, const Page& b) { return a.used < b.used; });
    oldest = std::move(fresh);
    return oldest;
}

} // namespace store
