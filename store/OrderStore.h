#pragma once

#include "store/Order.h"
#include "store/OrderFilter.h"
#include "store/Statistics.h"
#include "store/Totals.h"

#include <QDate>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace store {

class Database;
struct PageStatements;

// One listing: the ids of the listed orders, newest first, which is all it takes to find each order
// again, the five totals over the same orders, and the orders of the first page.
struct Listing
{
    std::vector<qint64> ids;
    Totals totals;
    std::vector<Order> firstOrders;
};

// The orders of one data file. Every call opens the file, checks that it is an order store this program
// can read, does its work and closes it again, so nothing stays open between the seller's actions.
// Every failure is a StoreError naming the file.
class OrderStore final
{
public:
    explicit OrderStore(QString dataFile);

    const QString& dataFile() const { return m_dataFile; }

    // The orders the filter covers and their totals, in one pass over them.
    Listing list(const OrderFilter& filter) const;
    // The stored orders of these ids, at most pageSize of them, in no particular order; an id that names
    // no stored order (deleted since it was listed) has none.
    static constexpr std::size_t pageSize = 256;
    std::vector<Order> read(std::span<const qint64> ids) const;
    std::optional<Order> load(qint64 id) const;
    // The statistics of the orders the filter covers, in one pass over them.
    Statistics statistics(const OrderFilter& filter) const;
    // The first and the last day of sale of every stored order; nullopt for none.
    std::optional<std::pair<QDate, QDate>> dateSpan() const;

    // Stores a new order; returns the id the store gave it.
    qint64 insert(const Order& order) const;
    // Stores every value of the order under its id; false when no stored order has that id.
    bool update(const Order& order) const;
    // False when no stored order has that id.
    bool remove(qint64 id) const;
    // Stores the orders in one transaction: every one, or none. Returns their ids, in order.
    std::vector<qint64> insertAll(std::span<const Order> orders) const;
    // Those of the waybill numbers that some stored order has, in one pass over the orders.
    QSet<QString> storedWaybills(const QStringList& waybills) const;

    // Throws ReadOnly when the file or its folder (where the rollback journal goes) cannot be written.
    void requireWritable() const;
    // True when the file has an older layout version than this program writes.
    bool needsUpgrade() const;
    // Brings the file to this program's layout version, in one transaction.
    void upgrade() const;

private:
    QString m_dataFile;
};

// Pages of orders read again and again on one connection, opened at the first read and kept until
// close(): a window reads many pages in one go (an export, a scroll) and closes it when the go is over.
class OrderPages final
{
public:
    explicit OrderPages(QString dataFile);
    ~OrderPages();
    Q_DISABLE_COPY_MOVE(OrderPages)

    std::vector<Order> read(std::span<const qint64> ids);
    void close();

private:
    QString m_dataFile;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<PageStatements> m_statements;
};

} // namespace store
