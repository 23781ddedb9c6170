#include "jetimport/FileKind.h"

#include <QFile>

namespace jetimport {

namespace {

constexpr int headerSize = 0x15;

QByteArray firstBytes(const QString& path, bool& readable)
{
    QFile file(path);
    readable = file.open(QIODevice::ReadOnly);
    return readable ? file.read(headerSize) : QByteArray();
}

} // namespace

FileKind sniffFile(const QString& path)
{
    bool readable = false;
    const QByteArray head = firstBytes(path, readable);
    if (!readable) {
        return FileKind::Missing;
    }
    if (head.startsWith(QByteArrayView("SQLite format 3\0", 16))) {
        return FileKind::Sqlite;
    }
    const QByteArrayView start("\0\1\0\0", 4);
    if (head.size() < headerSize || !head.startsWith(start)) {
        return FileKind::Other;
    }
    const QByteArrayView name = QByteArrayView(head).sliced(4, 16);
    if (name == QByteArrayView("Standard ACE DB\0", 16)) {
        return FileKind::Ace;
    }
    if (name != QByteArrayView("Standard Jet DB\0", 16)) {
        return FileKind::Other;
    }
    switch (head.at(0x14)) {
    case 0:
        return FileKind::Jet3;
    case 1:
        return FileKind::Jet4;
    default:
        return FileKind::JetOther;
    }
}

int jetVersionByte(const QString& path)
{
    bool readable = false;
    const QByteArray head = firstBytes(path, readable);
    return head.size() >= headerSize ? static_cast<unsigned char>(head.at(0x14)) : -1;
}

} // namespace jetimport
