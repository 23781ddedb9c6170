#include "orderimport/FileKind.h"

#include <QByteArray>
#include <QtEndian>

namespace orderimport {

Container containerOf(QByteArrayView head)
{
    // A local file header, or the end record of an empty archive.
    if (head.startsWith("PK\x03\x04") || head.startsWith("PK\x05\x06")) {
        return Container::Zip;
    }
    if (head.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) {
        return Container::Ole;
    }
    return Container::Other;
}

bool looksLikeMarkup(QByteArrayView head)
{
    const QByteArray start = head.first(std::min<qsizetype>(head.size(), 1024)).toByteArray().toLower();
    qsizetype i = start.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < start.size() && QChar::isSpace(uchar(start[i]))) {
        ++i;
    }
    if (i >= start.size() || start[i] != '<') {
        return false;
    }
    return start.contains("<html") || start.contains("<table") || start.contains("<?xml") ||
           start.contains("<!doctype");
}

bool hasEncryptedPackage(QIODevice& device)
{
    // A directory entry: 64 bytes of UTF-16 LE name, its length in bytes with the terminator, and its type
    // (2, a stream). Entries sit on 128-byte steps after the 512-byte header, whatever the sector size, so a
    // scan of those steps finds the entry without following the directory's sector chain.
    static const QByteArray name = [] {
        QByteArray utf16(64, '\0');
        const QByteArrayView ascii("EncryptedPackage");
        for (qsizetype i = 0; i < ascii.size(); ++i) {
            utf16[2 * i] = ascii[i];
        }
        return utf16;
    }();
    constexpr qint64 entrySize = 128;
    constexpr qint64 block = entrySize * 512;
    device.seek(0);
    bool found = false;
    QByteArray bytes = device.read(512); // the header
    while (!found) {
        bytes = device.read(block);
        if (bytes.size() < entrySize) {
            break;
        }
        for (qsizetype at = 0; at + entrySize <= bytes.size(); at += entrySize) {
            const char* entry = bytes.constData() + at;
            if (QByteArrayView(entry, 64) == name && qFromLittleEndian<quint16>(entry + 64) == 34 &&
                entry[66] == 2) {
                found = true;
                break;
            }
        }
    }
    device.seek(0);
    return found;
}

} // namespace orderimport
