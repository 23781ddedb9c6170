#include "mainwindow/ListedOrders.h"

#include "mainwindow/GridColumns.h"

#include <QHash>
#include <QTimer>
#include <algorithm>

namespace mainwindow {

ListedOrders::ListedOrders(db_config::ConnectionString connectionString,
                           std::vector<qint64> ids,
                           std::vector<store::StoredOrder> firstOrders)
    : m_reader(std::make_shared<store::OrderReader>(std::move(connectionString)))
    , m_ids(std::move(ids))
{
    if (!firstOrders.empty() && !m_ids.empty()) {
        keep(0, std::move(firstOrders));
    }
}

QString ListedOrders::text(int row, int col)
{
    if (row < 1 || std::size_t(row) > m_ids.size() || col < 0 || col >= int(gridColumns.size())) {
        return QString();
    }
    const std::size_t index = std::size_t(row) - 1;
    if (col == 0) {
        return QString::number(m_ids[index]); // the id needs no read, also for a deleted order
    }
    const Page& p = page(index);
    const std::optional<store::StoredOrder>& order = p.orders[index - p.first];
    if (!order) {
        return QString();
    }
    const std::size_t stored = gridColumns[std::size_t(col)].stored;
    const store::Field& field = (*order)[stored];
    if (stored == store::columnAt("bz") && field.isNull()) {
        return QLatin1String(store::nullRemark);
    }
    return field.text();
}

const ListedOrders::Page& ListedOrders::page(std::size_t index)
{
    const std::size_t first = index - index % pageRows;
    ++m_clock;
    for (Page& p : m_pages) {
        if (p.first == first) {
            p.used = m_clock;
            return p;
        }
    }
    const std::size_t count = std::min(pageRows, m_ids.size() - first);
    std::vector<store::StoredOrder> read =
        m_reader->read(std::span<const qint64>(m_ids.data() + first, count));
    ++m_reads;
    QTimer::singleShot(0, [reader = std::weak_ptr<store::OrderReader>(m_reader)] {
        if (const auto open = reader.lock()) {
            open->close();
        }
    });
    return keep(first, std::move(read));
}

ListedOrders::Page& ListedOrders::keep(std::size_t first, std::vector<store::StoredOrder> orders)
{
    const std::size_t count = std::min(pageRows, m_ids.size() - first);
    Page fresh;
    fresh.first = first;
    fresh.used = ++m_clock;
    fresh.orders.resize(count);
    QHash<qint64, std::size_t> place;
    place.reserve(qsizetype(count));
    for (std::size_t i = 0; i < count; ++i) {
        place.insert(m_ids[first + i], i);
    }
    for (store::StoredOrder& order : orders) {
        const auto at = place.constFind(order[0].value().toLongLong());
        if (at != place.cend()) {
            fresh.orders[*at] = std::move(order);
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

} // namespace mainwindow
