#include "store/DbConfig.h"

#include "store/Recordset.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>

namespace db_config {

QString connstr;
QString listmode;
std::unique_ptr<store::Recordset> ddrs;

namespace {
QString& folderOverride()
{
    static QString folder;
    return folder;
}
} // namespace

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

QString buildConnstr(const QString& folder)
{
    QString path = QDir::toNativeSeparators(folder);
    // The folder comes without a trailing separator, except a root folder ("/" or "C:\").
    while (path.size() > 1 && path.endsWith(QDir::separator())) {
        path.chop(1);
    }
    if (path == QDir::separator()) {
        path.clear();
    }
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path + QDir::separator() +
           QStringLiteral("data.mdb;Persist Security Info=False");
}

QString dataSource(const QString& connectionString)
{
    static const QString key = QStringLiteral("Data Source=");
    const qsizetype start = connectionString.indexOf(key, 0, Qt::CaseInsensitive);
    if (start < 0) {
        return QString();
    }
    const qsizetype from = start + key.size();
    // The path ends at the ";" that begins the next "Name=": a folder name may hold a ";" itself.
    qsizetype end = connectionString.indexOf(QLatin1Char(';'), from);
    while (end >= 0) {
        const qsizetype equals = connectionString.indexOf(QLatin1Char('='), end + 1);
        const QStringView name =
            QStringView(connectionString).mid(end + 1, equals < 0 ? 0 : equals - end - 1);
        const bool isName = !name.trimmed().isEmpty() && std::all_of(name.begin(), name.end(), [](QChar c) {
            return (c.unicode() < 128 && c.isLetter()) || c == QLatin1Char(' ');
        });
        if (isName) {
            break;
        }
        end = connectionString.indexOf(QLatin1Char(';'), end + 1);
    }
    return connectionString.mid(from, end < 0 ? -1 : end - from).trimmed();
}

} // namespace db_config
