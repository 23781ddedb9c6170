#pragma once

#include "store/OrderTable.h"
#include "store/Recordset.h"
#include "store/Totals.h"

#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <span>
#include <vector>

namespace store {

// One stored order, its columns in stored order (orderColumns).
using StoredOrder = std::array<Field, orderColumns.size()>;

// One listing: the ids of the listed orders in the list's order, which is all it takes to find each
// row again, the totals over the same orders, and the orders of the first page (readOrders of the first
// ids).
struct Listing
{
    std::vector<qint64> ids;
    std::vector<Total> totals; // one per total statement, in their order
    std::vector<StoredOrder> firstOrders;
};

// Runs total statements (count and sums) and a list statement ("select * ... order by id desc") that
// share one condition, in one pass over the matching rows on one connection to the file named by the
// connection string. Throws StoreError; Refused when the statements do not share their condition.
Listing runListing(const db_config::ConnectionString& connectionString,
                   const QStringList& totalStatements,
                   const QString& listStatement);

// The stored orders of these ids, at most readOrdersLimit of them, in no particular order; an id that
// names no stored order (deleted since it was listed) has none. Throws StoreError.
constexpr std::size_t readOrdersLimit = 256;
std::vector<StoredOrder> readOrders(const db_config::ConnectionString& connectionString,
                                    std::span<const qint64> ids);

class Connection;

// readOrders again and again on one connection, opened at the first read and kept until close(): a
// window reads many pages in one go (an export, a scroll) and closes it when the go is over.
class OrderReader final
{
public:
    explicit OrderReader(db_config::ConnectionString connectionString);
    ~OrderReader();
    Q_DISABLE_COPY_MOVE(OrderReader)

    std::vector<StoredOrder> read(std::span<const qint64> ids);
    void close();

private:
    db_config::ConnectionString m_connectionString;
    std::unique_ptr<Connection> m_connection;
};

} // namespace store
