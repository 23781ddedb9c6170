#include "entry/EntryTexts.h"

#include "store/SqlText.h"

namespace entrytexts {

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
    using sqltext::quoted;
    return insertHead + quoted(o.spname) + insertNext + quoted(o.jj) + insertNext + quoted(o.sl) +
           insertNext + quoted(o.sj) + insertBeforeMjzh + quoted(o.mjzh) + insertNext + quoted(o.kddh) +
           insertNext + quoted(o.xsdate) + insertNext + quoted(o.bz) + insertTail;
}

QString updateStatement(const OrderTexts& o, const QString& id)
{
    using sqltext::quoted;
    return updateHead + quoted(o.spname) + updateJj + quoted(o.jj) + updateSl + quoted(o.sl) + updateSj +
           quoted(o.sj) + updateMjzh + quoted(o.mjzh) + updateKddh + quoted(o.kddh) + updateXsdate +
           quoted(o.xsdate) + updateBz + quoted(o.bz) + updateWhere + id;
}

} // namespace entrytexts
