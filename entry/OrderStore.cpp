#include "entry/OrderStore.h"

#include "store/DbConfig.h"
#include "store/OrderTable.h"
#include "store/Recordset.h"
#include "store/SqlText.h"

namespace entry {

// The statements exactly as written, blanks and letter case included: "update  ddlist" has two blanks, and
// the separator before mjzh in the insert has none. arg() with several values puts them in one pass, so a
// "%1" typed into a box stays as typed.

QString loadStatement(const QString& id)
{
    return QStringLiteral("Select * From ddlist where id=") + id;
}

QString insertStatement(const OrderTexts& o)
{
    using store::sqltext::quoted;
    return QStringLiteral("INSERT INTO ddlist (spname,jj,sl,sj,mjzh,kddh,xsdate,bz) VALUES "
                          "('%1', '%2', '%3', '%4','%5', '%6', '%7', '%8')")
        .arg(quoted(o.spname), quoted(o.jj), quoted(o.sl), quoted(o.sj), quoted(o.mjzh), quoted(o.kddh),
             quoted(o.xsdate), quoted(o.bz));
}

QString updateStatement(const OrderTexts& o, const QString& id)
{
    using store::sqltext::quoted;
    return QStringLiteral("update  ddlist set spname='%1',jj='%2',sl='%3',sj='%4',mjzh='%5',kddh='%6',"
                          "xsdate='%7',bz='%8'  where id=%9")
        .arg(quoted(o.spname), quoted(o.jj), quoted(o.sl), quoted(o.sj), quoted(o.mjzh), quoted(o.kddh),
             quoted(o.xsdate), quoted(o.bz), id);
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
