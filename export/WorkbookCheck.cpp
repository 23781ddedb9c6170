#include "export/WorkbookCheck.h"

#include "export/ExportTexts.h"
#include "export/SheetError.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <algorithm>
#include <zlib.h>

namespace xl {

namespace {

constexpr quint32 endOfDirectorySig = 0x06054b50;
constexpr quint32 directoryEntrySig = 0x02014b50;
constexpr quint32 localHeaderSig = 0x04034b50;
constexpr qsizetype endOfDirectorySize = 22;
constexpr qsizetype directoryEntrySize = 46;
constexpr qsizetype localHeaderSize = 30;
constexpr quint16 stored = 0;
constexpr quint16 deflated = 8;
constexpr qsizetype tailKept = 256;

[[noreturn]] void broken()
{
    throw SheetError(exporttexts::incompleteWorkbook);
}

// The file's bytes, read as little-endian fields with every offset checked.
class Bytes final
{
public:
    Bytes(const uchar* data, qsizetype size)
        : m_data(data)
        , m_size(size)
    {}

    const uchar* at(qsizetype offset, qsizetype length) const
    {
        if (offset < 0 || length < 0 || offset > m_size || length > m_size - offset) {
            broken();
        }
        return m_data + offset;
    }
    quint16 u16(qsizetype offset) const
    {
        const uchar* p = at(offset, 2);
        return static_cast<quint16>(p[0] | (p[1] << 8));
    }
    quint32 u32(qsizetype offset) const
    {
        const uchar* p = at(offset, 4);
        return static_cast<quint32>(p[0]) | (static_cast<quint32>(p[1]) << 8) |
               (static_cast<quint32>(p[2]) << 16) | (static_cast<quint32>(p[3]) << 24);
    }
    qsizetype size() const { return m_size; }

private:
    const uchar* m_data;
    qsizetype m_size;
};

// Takes a part's text as it inflates: keeps its head and tail and counts the closed rows, also across
// chunk borders.
class PartText final
{
public:
    void take(const char* data, qsizetype length)
    {
        if (m_head.size() < tailKept) {
            m_head.append(data, std::min(length, tailKept - m_head.size()));
        }
        // Count "</row>" in the tail carried over joined with the new bytes, so that a split one counts.
        QByteArray joined = m_carry;
        joined.append(data, length);
        m_rows += joined.count(rowEnd);
        const qsizetype keep = std::min<qsizetype>(rowEnd.size() - 1, joined.size());
        m_carry = joined.right(keep);
        m_tail.append(data, length);
        if (m_tail.size() > tailKept) {
            m_tail = m_tail.right(tailKept);
        }
    }

    // Begins with the XML declaration and ends by closing the element it opened first.
    bool isWholeDocument() const
    {
        if (!m_head.startsWith("<?xml")) {
            return false;
        }
        const qsizetype open = m_head.indexOf('<', m_head.indexOf("?>"));
        if (open < 0) {
            return false;
        }
        qsizetype end = open + 1;
        while (end < m_head.size() && m_head[end] != ' ' && m_head[end] != '>' && m_head[end] != '/' &&
               m_head[end] != '\n' && m_head[end] != '\r' && m_head[end] != '\t') {
            ++end;
        }
        const QByteArray root = m_head.mid(open + 1, end - open - 1);
        return !root.isEmpty() && m_tail.trimmed().endsWith("</" + root + ">");
    }

    qint64 rows() const { return m_rows; }

private:
    static constexpr QByteArrayView rowEnd{"</row>"};
    QByteArray m_head;
    QByteArray m_tail;
    QByteArray m_carry;
    qint64 m_rows = 0;
};

// Inflates one part, checking its size and checksum.
PartText readPart(const Bytes& file, qsizetype directoryEntry)
{
    const quint16 method = file.u16(directoryEntry + 10);
    const quint32 crc = file.u32(directoryEntry + 16);
    const quint32 packedSize = file.u32(directoryEntry + 20);
    const quint32 plainSize = file.u32(directoryEntry + 24);
    const qsizetype local = file.u32(directoryEntry + 42);
    if (file.u32(local) != localHeaderSig) {
        broken();
    }
    const qsizetype dataAt = local + localHeaderSize + file.u16(local + 26) + file.u16(local + 28);
    const uchar* packed = file.at(dataAt, packedSize);

    PartText text;
    uLong sum = crc32(0, nullptr, 0);
    qint64 total = 0;
    const auto take = [&](const uchar* data, qsizetype length) {
        sum = crc32(sum, data, static_cast<uInt>(length));
        total += length;
        text.take(reinterpret_cast<const char*>(data), length);
    };
    if (method == stored) {
        take(packed, packedSize);
    } else if (method == deflated) {
        z_stream z = {};
        if (inflateInit2(&z, -MAX_WBITS) != Z_OK) {
            throw SheetError(exporttexts::outOfMemory);
        }
        z.next_in = const_cast<Bytef*>(packed);
        z.avail_in = packedSize;
        uchar chunk[1 << 16];
        int status = Z_OK;
        while (status == Z_OK) {
            z.next_out = chunk;
            z.avail_out = sizeof chunk;
            status = inflate(&z, Z_NO_FLUSH);
            take(chunk, static_cast<qsizetype>(sizeof chunk - z.avail_out));
        }
        inflateEnd(&z);
        if (status != Z_STREAM_END) {
            broken();
        }
    } else {
        broken();
    }
    if (total != plainSize || sum != crc) {
        broken();
    }
    return text;
}

} // namespace

void checkWrittenWorkbook(const QString& path, qint64 rows)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        throw SheetError(exporttexts::cannotReadTemp);
    }
    QByteArray whole;
    const uchar* data = in.size() > 0 ? in.map(0, in.size()) : nullptr;
    if (data == nullptr) {
        whole = in.readAll();
        data = reinterpret_cast<const uchar*>(whole.constData());
    }
    const Bytes file(data, data == nullptr ? 0 : in.size());

    // The end-of-directory record: the last one in the file, after at most a 64 KiB comment.
    qsizetype end = file.size() - endOfDirectorySize;
    const qsizetype earliest = std::max<qsizetype>(0, end - 0xFFFF);
    while (end >= earliest && file.u32(end) != endOfDirectorySig) {
        --end;
    }
    if (end < earliest) {
        broken();
    }
    const quint16 parts = file.u16(end + 10);
    qsizetype entry = file.u32(end + 16);
    bool sheetSeen = false;
    for (quint16 i = 0; i < parts; ++i) {
        if (file.u32(entry) != directoryEntrySig) {
            broken();
        }
        const quint16 nameLength = file.u16(entry + 28);
        const QByteArray name(reinterpret_cast<const char*>(file.at(entry + directoryEntrySize, nameLength)),
                              nameLength);
        const PartText text = readPart(file, entry);
        const bool isXml = name.endsWith(".xml") || name.endsWith(".rels");
        if (isXml && !text.isWholeDocument()) {
            broken();
        }
        if (name.startsWith("xl/worksheets/sheet")) {
            sheetSeen = true;
            if (text.rows() != rows) {
                broken();
            }
        }
        entry += directoryEntrySize + nameLength + file.u16(entry + 30) + file.u16(entry + 32);
    }
    if (!sheetSeen) {
        broken();
    }
}

} // namespace xl
