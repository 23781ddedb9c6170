#include "store/DbConfig.h"

#include "store/Recordset.h"

#include <QCoreApplication>
#include <QDir>

namespace db_config {

ConnectionString connstr;
QString listmode;
std::unique_ptr<store::Recordset> ddrs;

namespace {
QString& folderOverride()
{
    static QString folder;
    return folder;
}
} // namespace

void prepare(store::Recordset& rs, const QString& statement)
{
    rs.ActiveConnection = connstr;
    rs.CursorLocation = 3; // client side
    rs.CursorType = 3;     // static
    rs.LockType = 4;       // batch optimistic
    rs.Source = statement;
}

store::Recordset& takeDdrs()
{
    if (!ddrs) {
        ddrs = std::make_unique<store::Recordset>();
    }
    return *ddrs;
}

void releaseDdrs()
{
    ddrs.reset();
}

QString appFolder()
{
    if (!folderOverride().isEmpty()) {
        return folderOverride();
    }
    return QCoreApplication::applicationDirPath();
}

void setAppFolder(const QString& folder)
{
    folderOverride() = folder;
}

ConnectionString buildConnstr(const QString& folder)
{
    QString path = QDir::toNativeSeparators(folder);
    // The folder comes without a trailing separator, except a root folder ("/" or "C:\").
    while (path.size() > 1 && path.endsWith(QDir::separator())) {
        path.chop(1);
    }
    if (path == QDir::separator()) {
        path.clear();
    }
    ConnectionString made;
    made.folder = folder;
    made.dataFile = path + QDir::separator() + QStringLiteral("data.mdb");
    made.text = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + made.dataFile +
                QStringLiteral(";Persist Security Info=False");
    return made;
}

} // namespace db_config
