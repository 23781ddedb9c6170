#pragma once

#include <QString>
#include <memory>

namespace store {
class Recordset;
}

// The process-wide values that every database operation and every refresh reads.
namespace db_config {

// Connection string: the provider text with the path of data.mdb beside the executable.
extern QString connstr;
// Mode string: "cx" when the list follows the filter controls, "all" when it shows every order.
extern QString listmode;
// Shared recordset: created on first use, released at the end of every operation that uses it.
extern std::unique_ptr<store::Recordset> ddrs;

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

// "Provider=...;Data Source=" + folder + separator + "data.mdb;Persist Security Info=False".
QString buildConnstr(const QString& folder);
// The Data Source of a connection string: the path of the data file.
QString dataSource(const QString& connectionString);

} // namespace db_config
