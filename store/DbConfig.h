#pragma once

#include <QString>
#include <memory>

namespace store {
class Recordset;
}

// The process-wide values that every database operation and every refresh reads.
namespace db_config {

// A connection string with the folder and the data file it was made from kept beside its text, so
// nothing is ever parsed back out of it: a folder may hold ";" and "=" ("x;b=c").
struct ConnectionString
{
    QString text;     // "Provider=...;Data Source=" + dataFile + ";Persist Security Info=False"
    QString folder;   // where data.mdb lies
    QString dataFile; // the path of data.mdb

    bool isEmpty() const { return dataFile.isEmpty(); }
    friend bool operator==(const ConnectionString&, const ConnectionString&) = default;
};

// Connection string of data.mdb beside the executable.
extern ConnectionString connstr;
// Mode string: listmodeQuery when the list follows the filter controls, listmodeAll when it shows every
// order.
extern QString listmode;
inline const QString listmodeQuery = QStringLiteral("cx");
inline const QString listmodeAll = QStringLiteral("all");
// Shared recordset: created on first use, released at the end of every operation that uses it.
extern std::unique_ptr<store::Recordset> ddrs;

// Sets a recordset up as the windows do: on connstr, a client-side static cursor with batch-optimistic
// locking, to run statement.
void prepare(store::Recordset& rs, const QString& statement);

// Returns ddrs, creating it when it is empty.
store::Recordset& takeDdrs();
// Sets ddrs back to empty, ending its connection.
void releaseDdrs();
// Releases ddrs when it goes out of scope, whatever happens to the operation that took it.
struct DdrsScope
{
    DdrsScope() = default;
    DdrsScope(const DdrsScope&) = delete;
    DdrsScope& operator=(const DdrsScope&) = delete;
    ~DdrsScope() { releaseDdrs(); }
};

// The executable's folder, where data.mdb and skin.she lie. Tests point it at a temporary folder.
QString appFolder();
void setAppFolder(const QString& folder);

// The connection string of data.mdb in this folder.
ConnectionString buildConnstr(const QString& folder);

} // namespace db_config
