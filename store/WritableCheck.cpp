#include "store/WritableCheck.h"

#include "store/Connection.h"

namespace store {

void requireWritableStore(const QString& path)
{
    const Connection connection(path);
    connection.requireWritable();
}

} // namespace store
