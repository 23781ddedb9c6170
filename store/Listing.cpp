#include "store/Listing.h"

#include "store/Connection.h"
#include "store/StoreError.h"
#include "store/StoreTexts.h"

#include <algorithm>
#include <sqlite3.h>

namespace store {

namespace {

// Beyond this share of the table's days a date range reads the table in id order: walking the index for
// most of the rows and sorting them by id costs more than reading the rows it skips.
constexpr double wideRangeShare = 0.2;

DatePlan planFor(Connection& connection, const Translation& list)
{
    if (list.rangeStart.isNull() && list.rangeEnd.isNull()) {
        return DatePlan::Index;
    }
    const auto span = connection.dateSpan();
    if (!span) {
        return DatePlan::Index;
    }
    const auto [first, last] = *span;
    const QDate from = list.rangeStart.isNull() ? first : std::max(list.rangeStart, first);
    const QDate to = list.rangeEnd.isNull() ? last : std::min(list.rangeEnd, last);
    const double days = double(first.daysTo(last) + 1);
    const double covered = std::max<qint64>(from.daysTo(to) + 1, 0);
    return covered / days > wideRangeShare ? DatePlan::Scan : DatePlan::Index;
}

QString dataFile(const db_config::ConnectionString& connectionString)
{
    if (connectionString.isEmpty()) {
        throw StoreError(StoreError::Kind::Refused, texts::noConnection);
    }
    return connectionString.dataFile;
}

// "SELECT <nine columns> FROM ddlist WHERE id IN (?,...)" with readOrdersLimit places: one statement
// text for every page, the places not needed bound to NULL.
const QByteArray& readOrdersSql()
{
    static const QByteArray sql = [] {
        QByteArray text = "SELECT " + QByteArray::fromStdString(columnList()) + " FROM ddlist WHERE id IN (?";
        for (std::size_t i = 1; i < readOrdersLimit; ++i) {
            text += ",?";
        }
        return text + ')';
    }();
    return sql;
}

constexpr int dateColumn = 7;  // xsdate
constexpr int rangeFactor = 4; // a range read of up to four rows for each one wanted beats lookups

const QByteArray& readOrdersRangeSql()
{
    static const QByteArray sql =
        "SELECT " + QByteArray::fromStdString(columnList()) + " FROM ddlist WHERE id BETWEEN ? AND ?";
    return sql;
}

std::vector<StoredOrder> readOrdersOn(Connection& connection, std::span<const qint64> ids)
{
    if (ids.empty()) {
        return {};
    }
    if (ids.size() > readOrdersLimit) {
        ids = ids.first(readOrdersLimit);
    }
    std::vector<qint64> wanted(ids.begin(), ids.end());
    std::sort(wanted.begin(), wanted.end());
    std::vector<StoredOrder> orders;
    orders.reserve(ids.size());
    const auto keep = [&](sqlite3_stmt* st) {
        if (!std::binary_search(wanted.begin(), wanted.end(), sqlite3_column_int64(st, 0))) {
            return;
        }
        StoredOrder& order = orders.emplace_back();
        for (int c = 0; c < int(order.size()); ++c) {
            order[c] = Field::read(st, c, c == dateColumn);
        }
    };
    // Ids close together (a whole table or a day listed) are read as one range: a walk along the table
    // costs less than a lookup per id. Ids far apart (a keyword's matches) are looked up one by one.
    if (quint64(wanted.back() - wanted.front()) < quint64(rangeFactor * wanted.size())) {
        connection.scan(readOrdersRangeSql(), {wanted.front(), wanted.back()}, keep);
        return orders;
    }
    std::vector<SqlValue> params(ids.begin(), ids.end());
    params.resize(readOrdersLimit, params.front()); // an id named twice is found once
    connection.scan(readOrdersSql(), params, keep);
    return orders;
}

} // namespace

Listing runListing(const db_config::ConnectionString& connectionString,
                   const QStringList& totalStatements,
                   const QString& listStatement)
{
    // Every statement is read before the file is touched: a refused one changes nothing.
    Translation list = translate(listStatement);
    std::vector<Aggregate> aggregates;
    for (const QString& statement : totalStatements) {
        Translation total = translate(statement);
        if (!total.aggregate || total.where != list.where || total.params != list.params) {
            throw StoreError(StoreError::Kind::Refused, texts::refused(statement));
        }
        aggregates.push_back(std::move(*total.aggregate));
    }
    if (list.aggregate || list.writes || list.where.isEmpty()) {
        throw StoreError(StoreError::Kind::Refused, texts::refused(listStatement));
    }
    Connection connection(dataFile(connectionString));
    if (planFor(connection, list) == DatePlan::Scan) {
        list = translate(listStatement, DatePlan::Scan);
    }
    // The list's order follows its condition: " ORDER BY id DESC", or nothing.
    const QByteArray order = list.sql.mid(list.sql.indexOf(list.where) + list.where.size());
    const QByteArray scan = "SELECT id,jj,sl,sj FROM ddlist WHERE " + list.where + order;

    Listing listing;
    TotalsScan totals(std::move(aggregates));
    connection.scan(scan, list.params, [&](sqlite3_stmt* st) {
        listing.ids.push_back(sqlite3_column_int64(st, 0));
        totals.addRow(st, 1);
    });
    listing.totals = totals.totals();
    // The first page comes on the same connection: it is what the list shows first.
    listing.firstOrders = readOrdersOn(connection, listing.ids);
    return listing;
}

OrderReader::OrderReader(db_config::ConnectionString connectionString)
    : m_connectionString(std::move(connectionString))
{}

OrderReader::~OrderReader() = default;

std::vector<StoredOrder> OrderReader::read(std::span<const qint64> ids)
{
    if (ids.empty()) {
        return {};
    }
    if (!m_connection) {
        m_connection = std::make_unique<Connection>(dataFile(m_connectionString));
    }
    try {
        return readOrdersOn(*m_connection, ids);
    } catch (...) {
        close(); // the next read starts afresh
        throw;
    }
}

void OrderReader::close()
{
    m_connection.reset();
}

std::vector<StoredOrder> readOrders(const db_config::ConnectionString& connectionString,
                                    std::span<const qint64> ids)
{
    return OrderReader(connectionString).read(ids);
}

} // namespace store
