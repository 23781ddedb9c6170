#include "store/AppFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace store {

namespace {
QString& folderOverride()
{
    static QString folder;
    return folder;
}
} // namespace

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

QString dataFileIn(const QString& folder)
{
    QString path = QDir::toNativeSeparators(folder);
    // The folder comes without a trailing separator, except a root folder ("/" or "C:\").
    while (path.size() > 1 && path.endsWith(QDir::separator())) {
        path.chop(1);
    }
    if (path == QDir::separator()) {
        path.clear();
    }
    return path + QDir::separator() + QStringLiteral("data.mdb");
}

} // namespace store
