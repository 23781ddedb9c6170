// Saves orders through the real store in an endless loop and reports each one that the store
// acknowledged: "add N" after order N's insert returned, "edit N" after its update returned. The
// crash test kills this process at random moments.
#include "CrashOrder.h"

#include "store/DbConfig.h"
#include "store/Recordset.h"
#include "store/SqlText.h"
#include "store/StoreError.h"
#include "store/TextForms.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace {

QString q(const QString& text)
{
    return store::sqltext::quoted(text);
}

QString num(double value)
{
    return store::textforms::numberText(value);
}

void run(const QString& statement)
{
    store::Recordset rs;
    rs.ActiveConnection = db_config::connstr;
    rs.CursorLocation = 3;
    rs.CursorType = 3;
    rs.LockType = 4;
    rs.Source = statement;
    rs.Open();
}

QString insertText(const crashorder::Order& o)
{
    return QStringLiteral("INSERT INTO ddlist (spname,jj,sl,sj,mjzh,kddh,xsdate,bz) VALUES ('") +
           q(o.spname) + QStringLiteral("', '") + num(o.jj) + QStringLiteral("', '") + num(o.sl) +
           QStringLiteral("', '") + num(o.sj) + QStringLiteral("','") + q(o.mjzh) + QStringLiteral("', '") +
           q(o.kddh) + QStringLiteral("', '") + store::textforms::dateText(o.xsdate) +
           QStringLiteral("', '") + q(o.bz) + QStringLiteral("')");
}

QString updateText(const crashorder::Order& o, qint64 id)
{
    return QStringLiteral("update  ddlist set spname='") + q(o.spname) + QStringLiteral("',jj='") +
           num(o.jj) + QStringLiteral("',sl='") + num(o.sl) + QStringLiteral("',sj='") + num(o.sj) +
           QStringLiteral("',mjzh='") + q(o.mjzh) + QStringLiteral("',kddh='") + q(o.kddh) +
           QStringLiteral("',xsdate='") + store::textforms::dateText(o.xsdate) + QStringLiteral("',bz='") +
           q(o.bz) + QStringLiteral("'  where id=") + QString::number(id);
}

} // namespace

// crash_child FOLDER FIRST: saves orders FIRST, FIRST+1, ... into FOLDER/data.mdb.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        return 2;
    }
    store::textforms::setUiLocale(QLocale(QLocale::Chinese, QLocale::China));
    db_config::connstr = db_config::buildConnstr(args.at(1));
    const int first = args.at(2).toInt();
    try {
        for (int n = first;; ++n) {
            run(insertText(crashorder::make(n, 1)));
            std::printf("add %d\n", n);
            std::fflush(stdout);
            if (n % 3 == 0) {
                // The orders' ids are 1, 2, ... in the order they were added, as the test counts them.
                run(updateText(crashorder::make(n, 2), n));
                std::printf("edit %d\n", n);
                std::fflush(stdout);
            }
        }
    } catch (const store::StoreError& e) {
        std::fprintf(stderr, "%s\n", e.description().toUtf8().constData());
        return 1;
    }
}
