#include "store/OrderStore.h"

#include "store/Database.h"
#include "store/Schema.h"
#include "store/StoreError.h"
#include "store/StoreTexts.h"
#include "store/StoredDate.h"
#include "store/TextForms.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <array>

namespace store {

namespace {

// Every statement of the store, written once. Values are bound, never written into the text.
// The nine columns in stored order, as readOrder takes them.
constexpr char selectById[] = "SELECT id,spname,jj,sl,sj,mjzh,kddh,xsdate,bz FROM ddlist WHERE id=?";
constexpr char selectIdRange[] =
    "SELECT id,spname,jj,sl,sj,mjzh,kddh,xsdate,bz FROM ddlist WHERE id BETWEEN ? AND ?";
// The ids as one JSON array: one statement for every page, however many ids it has.
constexpr char selectIdList[] =
    "SELECT id,spname,jj,sl,sj,mjzh,kddh,xsdate,bz FROM ddlist WHERE id IN (SELECT value FROM json_each(?))";
constexpr char insertSql[] =
    "INSERT INTO ddlist (spname,jj,sl,sj,mjzh,kddh,xsdate,bz) VALUES (?,?,?,?,?,?,?,?)";
constexpr char updateSql[] =
    "UPDATE ddlist SET spname=?,jj=?,sl=?,sj=?,mjzh=?,kddh=?,xsdate=?,bz=? WHERE id=?";
constexpr char deleteSql[] = "DELETE FROM ddlist WHERE id=?";
constexpr char storedWaybillsSql[] =
    "SELECT DISTINCT kddh FROM ddlist WHERE kddh IN (SELECT value FROM json_each(?))";
// Two subqueries: SQLite reads a lone min() or max() off the index, but both in one select scan the table.
constexpr char dateSpanSql[] = "SELECT (SELECT min(xsdate) FROM ddlist),(SELECT max(xsdate) FROM ddlist)";

// The scans of the listed orders: the listing's, for the ids newest first with the three numbers the totals
// need, and the statistics', for the numbers and the texts orders are grouped by (in no particular order),
// both with the same filter. A date range is read by the xsdate index when it is narrow; a wide one reads
// the table in id order (the unary + keeps SQLite off the index), where walking the index and sorting by id
// would cost more than the rows it skips.
enum class DatePlan { None, Index, Scan };
enum class ScanColumns { Listing, Statistics };
constexpr char listingColumnsSql[] = "SELECT id,jj,sl,sj FROM ddlist";
constexpr char statisticsColumnsSql[] = "SELECT jj,sl,sj,xsdate,spname,mjzh,kddh,id FROM ddlist";
constexpr char byIndex[] = " WHERE xsdate BETWEEN ?1 AND ?2";
constexpr char byScan[] = " WHERE +xsdate BETWEEN ?1 AND ?2";
constexpr char newestFirst[] = " ORDER BY id DESC";
// A keyword is a plain substring, ASCII letters in either case and full-width ASCII forms the same as their
// ASCII ones: fold() (store/Database.cpp) maps the column and the keyword alike, and instr compares the
// bytes, NULs and all, with no pattern characters and no length limit. Any: one of the four columns holds it.
constexpr char anyFieldCondition[] =
    "(instr(fold(spname),fold(?3))>0 OR instr(fold(mjzh),fold(?3))>0 OR instr(fold(kddh),fold(?3))>0 OR "
    "instr(fold(bz),fold(?3))>0)";
constexpr const char* keywordConditions[] = {
    "instr(fold(spname),fold(?3))>0",
    "instr(fold(mjzh),fold(?3))>0",
    "instr(fold(kddh),fold(?3))>0",
    "instr(fold(bz),fold(?3))>0",
    anyFieldCondition,
};
static_assert(std::size(keywordConditions) == std::size_t(SearchField::Any) + 1);
constexpr std::size_t keywordForms = std::size(keywordConditions) + 1; // and none

// Beyond this share of the table's days a date range reads the table in id order.
constexpr double wideRangeShare = 0.2;
// A range read of up to four rows for each one wanted beats looking each one up.
constexpr qint64 rangeFactor = 4;

// The scan's statement: by its columns, the date plan and the field a keyword is searched in.
const QByteArray& scanSql(ScanColumns columns, DatePlan plan, std::optional<SearchField> field)
{
    static const auto table = [] {
        std::array<std::array<std::array<QByteArray, keywordForms>, 3>, 2> t;
        const char* dates[] = {"", byIndex, byScan};
        for (std::size_t c = 0; c < 2; ++c) {
            for (std::size_t d = 0; d < 3; ++d) {
                for (std::size_t k = 0; k < keywordForms; ++k) {
                    QByteArray sql = QByteArray(c == 0 ? listingColumnsSql : statisticsColumnsSql) + dates[d];
                    if (k > 0) {
                        sql += d > 0 ? " AND " : " WHERE ";
                        sql += keywordConditions[k - 1];
                    }
                    t[c][d][k] = c == 0 ? sql + newestFirst : sql;
                }
            }
        }
        return t;
    }();
    return table[std::size_t(columns)][std::size_t(plan)][field ? 1 + std::size_t(*field) : 0];
}

// Opens the data file as an order store: the file exists and is a database of this program's layout, or
// an older one, with the order table and its nine columns. Rollback journal, synchronous EXTRA.
std::unique_ptr<Database> openStore(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        throw StoreError(StoreError::Kind::FileMissing, texts::fileMissing(path));
    }
    if (info.isDir()) {
        throw StoreError(StoreError::Kind::NotADatabase, texts::notADatabase(path));
    }
    auto db = std::make_unique<Database>(path, Database::Mode::ReadWrite);
    // EXTRA also syncs the folder once the journal is deleted: a power loss right after "saved" cannot
    // bring the journal back and roll the order away.
    db->exec("PRAGMA synchronous=EXTRA");
    // The first read of the header: it also finds a file that is no database. A newer program's file is
    // left as it is, before anything below could change it.
    refuseNewer(*db);
    requireOrderTable(*db);
    // data.mdb alone must be a whole copy when the program is closed: never a write-ahead log beside it. A
    // write-protected file keeps the mode it has.
    try {
        db->exec("PRAGMA journal_mode=DELETE");
    } catch (const StoreError& e) {
        if (e.kind() != StoreError::Kind::ReadOnly) {
            throw;
        }
    }
    return db;
}

void requireWritableOn(const Database& db)
{
    if (db.isReadOnly()) {
        throw StoreError(StoreError::Kind::ReadOnly, texts::readOnlyFile(db.path()));
    }
    const QString folder = QFileInfo(db.path()).absolutePath();
    if (!QFileInfo(folder).isWritable()) {
        throw StoreError(StoreError::Kind::ReadOnly, texts::readOnlyFolder(folder));
    }
}

StoredNumber storedNumber(const Statement& st, int column)
{
    if (st.isNull(column)) {
        return {};
    }
    if (st.isInteger(column)) {
        return {StoredNumber::Kind::Integer, st.integer(column), 0};
    }
    return {StoredNumber::Kind::Real, 0, st.real(column)};
}

// The order on the current row of a statement that selects the nine columns in stored order.
Order readOrder(const Statement& st)
{
    Order o;
    o.id = st.integer(0);
    o.goods = st.text(1);
    o.purchasePrice = Number(st.real(2));
    o.quantity = Number(st.real(3));
    o.sellingPrice = Number(st.real(4));
    o.buyer = st.text(5);
    o.waybill = st.text(6);
    o.saleDate = storedDate(st.utf8(7)).value_or(QDate());
    if (!st.isNull(8)) {
        o.remark = st.text(8);
    }
    return o;
}

// Binds the eight stored values of an order to the places from first on.
void bindOrder(Statement& st, const Order& o, int first = 1)
{
    // A day outside the calendar's years could be stored but never picked or found again.
    if (!textforms::inCalendarRange(o.saleDate)) {
        throw StoreError(StoreError::Kind::TypeMismatch,
                         texts::typeMismatch(o.saleDate.toString(Qt::ISODate)));
    }
    st.bind(first, o.goods);
    st.bind(first + 1, o.purchasePrice.stored());
    st.bind(first + 2, o.quantity.stored());
    st.bind(first + 3, o.sellingPrice.stored());
    st.bind(first + 4, o.buyer);
    st.bind(first + 5, o.waybill);
    st.bind(first + 6, storedDateText(o.saleDate));
    if (o.remark) {
        st.bind(first + 7, *o.remark);
    } else {
        st.bindNull(first + 7);
    }
}

// insertSql for a batch of orders at once: many orders cost one statement's work, not one each.
constexpr int insertBatch = 64;
const QByteArray& insertBatchSql()
{
    static const QByteArray sql = [] {
        QByteArray text = insertSql;
        for (int i = 1; i < insertBatch; ++i) {
            text += ",(?,?,?,?,?,?,?,?)";
        }
        return text;
    }();
    return sql;
}

// The texts as one JSON array, for json_each: one statement however many there are.
QString jsonArray(const QStringList& texts)
{
    QString json = QStringLiteral("[");
    json.reserve(texts.size() * 16);
    for (const QString& text : texts) {
        if (json.size() > 1) {
            json += u',';
        }
        json += u'"';
        for (const QChar c : text) {
            if (c == u'"' || c == u'\\') {
                json += u'\\';
                json += c;
            } else if (c.unicode() < 0x20) {
                json += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            } else {
                json += c;
            }
        }
        json += u'"';
    }
    return json + u']';
}

} // namespace

// The two statements a read of ids runs, prepared once for a connection that reads many pages.
struct PageStatements
{
    std::optional<Statement> range;
    std::optional<Statement> list;
};

namespace {

// The statement of sql, prepared on db, or kept's one made ready to run again.
Statement& preparedOn(Database& db, const char* sql, std::optional<Statement>& kept)
{
    if (kept) {
        kept->reset();
    } else {
        kept.emplace(db.prepare(sql));
    }
    return *kept;
}

std::vector<Order> readOn(Database& db, std::span<const qint64> ids, PageStatements* kept = nullptr)
{
    if (ids.empty()) {
        return {};
    }
    ids = ids.first(std::min(ids.size(), OrderStore::pageSize));
    std::vector<qint64> wanted(ids.begin(), ids.end());
    std::sort(wanted.begin(), wanted.end());
    std::vector<Order> orders;
    orders.reserve(ids.size());
    // Ids close together (a whole table or a day listed) are read as one range: a walk along the table
    // costs less than a lookup per id. Ids far apart (a keyword's matches) are looked up one by one.
    const bool range = quint64(wanted.back() - wanted.front()) < quint64(rangeFactor * qint64(wanted.size()));
    PageStatements local;
    PageStatements& statements = kept ? *kept : local;
    Statement& st = range ? preparedOn(db, selectIdRange, statements.range)
                          : preparedOn(db, selectIdList, statements.list);
    if (range) {
        st.bind(1, wanted.front());
        st.bind(2, wanted.back());
    } else {
        QByteArray list = "[";
        for (const qint64 id : wanted) {
            list += QByteArray::number(id) + ',';
        }
        list.back() = ']';
        st.bindUtf8(1, list);
    }
    while (st.step()) {
        if (std::binary_search(wanted.begin(), wanted.end(), st.integer(0))) {
            orders.push_back(readOrder(st));
        }
    }
    st.reset(); // a kept statement holds no read of the file between pages
    return orders;
}

std::optional<std::pair<QDate, QDate>> dateSpanOn(Database& db)
{
    Statement st = db.prepare(dateSpanSql);
    if (!st.step()) {
        return std::nullopt;
    }
    const std::optional<QDate> first = storedDate(st.utf8(0));
    const std::optional<QDate> last = storedDate(st.utf8(1));
    if (!first || !last) {
        return std::nullopt;
    }
    return std::pair(*first, *last);
}

DatePlan planFor(Database& db, const OrderFilter& filter)
{
    if (!filter.hasDates()) {
        return DatePlan::None;
    }
    const auto span = dateSpanOn(db);
    if (!span) {
        return DatePlan::Index;
    }
    const auto [first, last] = *span;
    const QDate from = filter.first.isValid() ? std::max(filter.first, first) : first;
    const QDate to = filter.last.isValid() ? std::min(filter.last, last) : last;
    const double days = double(first.daysTo(last) + 1);
    const double covered = double(std::max<qint64>(from.daysTo(to) + 1, 0));
    return covered / days > wideRangeShare ? DatePlan::Scan : DatePlan::Index;
}

// The scan of the orders the filter covers, its values bound.
Statement prepareScan(Database& db, const OrderFilter& filter, ScanColumns columns)
{
    const DatePlan plan = planFor(db, filter);
    const std::optional<SearchField> field = filter.hasKeyword() ? filter.field : std::nullopt;
    Statement st = db.prepare(scanSql(columns, plan, field));
    if (plan != DatePlan::None) {
        // A missing end is open: every stored date text lies between these two.
        st.bind(1, filter.first.isValid() ? storedDateText(filter.first) : QString());
        st.bind(2, filter.last.isValid() ? storedDateText(filter.last) : QStringLiteral("9999-12-31"));
    }
    if (field) {
        st.bind(3, filter.keyword);
    }
    return st;
}

} // namespace

OrderStore::OrderStore(QString dataFile)
    : m_dataFile(std::move(dataFile))
{}

Listing OrderStore::list(const OrderFilter& filter) const
{
    const auto db = openStore(m_dataFile);
    Statement st = prepareScan(*db, filter, ScanColumns::Listing);
    Listing listing;
    TotalsScan totals;
    while (st.step()) {
        listing.ids.push_back(st.integer(0));
        totals.add(storedNumber(st, 1), storedNumber(st, 2), storedNumber(st, 3));
    }
    listing.totals = totals.totals();
    // The first page comes on the same connection: it is what the list shows first.
    listing.firstOrders = readOn(*db, listing.ids);
    return listing;
}

Statistics OrderStore::statistics(const OrderFilter& filter) const
{
    const auto db = openStore(m_dataFile);
    Statement st = prepareScan(*db, filter, ScanColumns::Statistics);
    StatisticsScan scan;
    while (st.step()) {
        const OrderTerms terms(storedNumber(st, 0), storedNumber(st, 1), storedNumber(st, 2));
        if (scan.add(terms, st.utf8(3), st.utf8(4), st.utf8(5))) {
            scan.addLoss(st.integer(7), st.text(6));
        }
    }
    return scan.statistics();
}

std::vector<Order> OrderStore::read(std::span<const qint64> ids) const
{
    if (ids.empty()) {
        return {};
    }
    return readOn(*openStore(m_dataFile), ids);
}

std::optional<Order> OrderStore::load(qint64 id) const
{
    const auto db = openStore(m_dataFile);
    Statement st = db->prepare(selectById);
    st.bind(1, id);
    if (!st.step()) {
        return std::nullopt;
    }
    return readOrder(st);
}

std::optional<std::pair<QDate, QDate>> OrderStore::dateSpan() const
{
    return dateSpanOn(*openStore(m_dataFile));
}

qint64 OrderStore::insert(const Order& order) const
{
    return insertAll(std::span(&order, 1)).front();
}

bool OrderStore::update(const Order& order) const
{
    const auto db = openStore(m_dataFile);
    requireWritableOn(*db);
    Statement st = db->prepare(updateSql);
    bindOrder(st, order);
    st.bind(9, order.id);
    st.step();
    return db->changes() > 0;
}

bool OrderStore::remove(qint64 id) const
{
    const auto db = openStore(m_dataFile);
    requireWritableOn(*db);
    Statement st = db->prepare(deleteSql);
    st.bind(1, id);
    st.step();
    return db->changes() > 0;
}

std::vector<qint64> OrderStore::insertAll(std::span<const Order> orders) const
{
    const auto db = openStore(m_dataFile);
    requireWritableOn(*db);
    std::vector<qint64> ids;
    ids.reserve(orders.size());
    Transaction transaction(*db);
    std::size_t done = 0;
    if (orders.size() >= std::size_t(insertBatch)) {
        Statement batch = db->prepare(insertBatchSql());
        for (; orders.size() - done >= std::size_t(insertBatch); done += insertBatch) {
            batch.reset();
            for (int i = 0; i < insertBatch; ++i) {
                bindOrder(batch, orders[done + std::size_t(i)], 1 + 8 * i);
            }
            batch.step();
            // One statement's new ids follow each other: each is one more than the largest before it.
            for (qint64 id = db->lastInsertId() - insertBatch + 1; id <= db->lastInsertId(); ++id) {
                ids.push_back(id);
            }
        }
    }
    Statement single = db->prepare(insertSql);
    for (; done < orders.size(); ++done) {
        single.reset();
        bindOrder(single, orders[done]);
        single.step();
        ids.push_back(db->lastInsertId());
    }
    transaction.commit();
    return ids;
}

QSet<QString> OrderStore::storedWaybills(const QStringList& waybills) const
{
    QSet<QString> stored;
    if (waybills.isEmpty()) {
        return stored;
    }
    const auto db = openStore(m_dataFile);
    Statement st = db->prepare(storedWaybillsSql);
    st.bind(1, jsonArray(waybills));
    while (st.step()) {
        stored.insert(st.text(0));
    }
    return stored;
}

void OrderStore::requireWritable() const
{
    requireWritableOn(*openStore(m_dataFile));
}

bool OrderStore::needsUpgrade() const
{
    return store::needsUpgrade(*openStore(m_dataFile));
}

void OrderStore::upgrade() const
{
    const auto db = openStore(m_dataFile);
    requireWritableOn(*db);
    store::upgrade(*db);
}

OrderPages::OrderPages(QString dataFile)
    : m_dataFile(std::move(dataFile))
{}

OrderPages::~OrderPages() = default;

std::vector<Order> OrderPages::read(std::span<const qint64> ids)
{
    if (ids.empty()) {
        return {};
    }
    try {
        if (!m_db) {
            m_db = openStore(m_dataFile);
            m_statements = std::make_unique<PageStatements>();
        }
        return readOn(*m_db, ids, m_statements.get());
    } catch (...) {
        close(); // the next read starts afresh
        throw;
    }
}

void OrderPages::close()
{
    m_statements.reset(); // before the connection they were prepared on
    m_db.reset();
}

} // namespace store
