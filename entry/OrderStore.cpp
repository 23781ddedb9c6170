#include "entry/OrderStore.h"

#include "store/DbConfig.h"
#include "store/Recordset.h"

namespace entry {

namespace {

constexpr int clientCursor = 3;
constexpr int staticCursor = 3;
constexpr int batchOptimistic = 4;

void prepare(store::Recordset& rs, const QString& statement)
{
    rs.ActiveConnection = db_config::connstr;
    rs.CursorLocation = clientCursor;
    rs.CursorType = staticCursor;
    rs.LockType = batchOptimistic;
    rs.Source = statement;
}

} // namespace

bool isIdText(const QString& id)
{
    if (id.isEmpty()) {
        return false;
    }
    for (const QChar ch : id) {
        if (ch < u'0' || ch > u'9') {
            return false;
        }
    }
    return true;
}

std::optional<entrytexts::OrderTexts> loadOrder(const QString& id)
{
    if (!isIdText(id)) {
        return std::nullopt;
    }
    db_config::DdrsScope release;
    store::Recordset& rs = db_config::takeDdrs();
    prepare(rs, entrytexts::loadStatement(id));
    rs.Open();
    if (rs.Eof()) {
        rs.Close();
        return std::nullopt;
    }
    entrytexts::OrderTexts o;
    o.spname = rs.Fields(QStringLiteral("spname")).text();
    o.sl = rs.Fields(QStringLiteral("sl")).text();
    o.jj = rs.Fields(QStringLiteral("jj")).text();
    o.sj = rs.Fields(QStringLiteral("sj")).text();
    o.mjzh = rs.Fields(QStringLiteral("mjzh")).text();
    o.kddh = rs.Fields(QStringLiteral("kddh")).text();
    o.xsdate = rs.Fields(QStringLiteral("xsdate")).text();
    const store::Field bz = rs.Fields(QStringLiteral("bz"));
    o.bz = bz.isNull() ? entrytexts::nullRemark : bz.text();
    rs.Close();
    return o;
}

qint64 runSave(const QString& statement)
{
    store::Recordset rs;
    prepare(rs, statement);
    rs.Open();
    return rs.RecordsAffected();
}

} // namespace entry
