#include "store/EmptyStore.h"

#include "store/Database.h"
#include "store/Schema.h"
#include "store/StoreError.h"
#include "store/StoreTexts.h"

#include <QFile>

namespace store {

void createEmptyStore(const QString& path)
{
    // Creating the file exclusively first means an existing store is never opened, let alone replaced,
    // even when one appears between a check and the write.
    QFile file(path);
    if (file.exists()) {
        throw StoreError(StoreError::Kind::Refused, texts::storeExists(path));
    }
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (file.exists()) {
            throw StoreError(StoreError::Kind::Refused, texts::storeExists(path));
        }
        throw StoreError(StoreError::Kind::IoError, texts::cannotCreate(path, file.errorString()));
    }
    file.close();
    try {
        Database db(path, Database::Mode::ReadWrite);
        db.exec("PRAGMA journal_mode=DELETE");
        db.exec("PRAGMA synchronous=FULL");
        createSchema(db);
    } catch (const StoreError& e) {
        QFile::remove(path); // the file is our own half-made one
        throw StoreError(StoreError::Kind::IoError, texts::cannotCreate(path, e.detail()));
    }
}

} // namespace store
