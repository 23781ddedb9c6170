#include "entry/OrderStore.h"

#include "store/DbConfig.h"
#include "store/OrderTable.h"
#include "store/Recordset.h"
#include "store/SqlText.h"

namespace entry {

namespace {

// Statement pieces. Blanks and letter case are exact: "update  ddlist" has two blanks, the separator
// before mjzh in the insert has none.
const QString loadHead = QStringLiteral("Select * From ddlist where id=");

const QString insertHead =
    QStringLiteral("INSERT INTO ddlist (spname,jj,sl,sj,mjzh,kddh,xsdate,bz) VALUES ('");
const QString insertNext = QStringLiteral("', '");
const QString insertBeforeMjzh = QStringLiteral("','");
const QString insertTail = QStringLiteral("')");

const QString updateHead = QStringLiteral("update  ddlist set spname='");
const QString updateJj = QStringLiteral("',jj='");
const QString updateSl = QStringLiteral("',sl='");
const QString updateSj = QStringLiteral("',sj='");
const QString updateMjzh = QStringLiteral("',mjzh='");
const QString updateKddh = QStringLiteral("',kddh='");
const QString updateXsdate = QStringLiteral("',xsdate='");
const QString updateBz = QStringLiteral("',bz='");
const QString updateWhere = QStringLiteral("'  where id=");

} // namespace

QString loadStatement(const QString& id)
{
    return loadHead + id;
}

QString insertStatement(const OrderTexts& o)
{
    using store::sqltext::quoted;
    return insertHead + quoted(o.spname) + insertNext + quoted(o.jj) + insertNext + quoted(o.sl) +
           insertNext + quoted(o.sj) + insertBeforeMjzh + quoted(o.mjzh) + insertNext + quoted(o.kddh) +
           insertNext + quoted(o.xsdate) + insertNext + quoted(o.bz) + insertTail;
}

QString updateStatement(const OrderTexts& o, const QString& id)
{
    using store::sqltext::quoted;
    return updateHead + quoted(o.spname) + updateJj + quoted(o.jj) + updateSl + quoted(o.sl) + updateSj +
           quoted(o.sj) + updateMjzh + quoted(o.mjzh) + updateKddh + quoted(o.kddh) + updateXsdate +
           quoted(o.xsdate) + updateBz + quoted(o.bz) + updateWhere + id;
}

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

std::optional<OrderTexts> loadOrder(const QString& id)
{
    if (!isIdText(id)) {
        return std::nullopt;
    }
    db_config::DdrsScope release;
    store::Recordset& rs = db_config::takeDdrs();
    db_config::prepare(rs, loadStatement(id));
    rs.Open();
    if (rs.Eof()) {
        rs.Close();
        return std::nullopt;
    }
    OrderTexts o;
    o.spname = rs.Fields(QStringLiteral("spname")).text();
    o.sl = rs.Fields(QStringLiteral("sl")).text();
    o.jj = rs.Fields(QStringLiteral("jj")).text();
    o.sj = rs.Fields(QStringLiteral("sj")).text();
    o.mjzh = rs.Fields(QStringLiteral("mjzh")).text();
    o.kddh = rs.Fields(QStringLiteral("kddh")).text();
    o.xsdate = rs.Fields(QStringLiteral("xsdate")).text();
    const store::Field bz = rs.Fields(QStringLiteral("bz"));
    o.bz = bz.isNull() ? QLatin1String(store::nullRemark) : bz.text();
    rs.Close();
    return o;
}

qint64 runSave(const QString& statement)
{
    store::Recordset rs;
    db_config::prepare(rs, statement);
    rs.Open();
    return rs.RecordsAffected();
}

} // namespace entry
