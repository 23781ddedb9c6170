#include "export/WorkbookCheck.h"

#include "export/ExportTexts.h"
#include "export/SheetError.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <algorithm>
#include <cstring>
#include <memory>
#include <unzip.h>
#include <vector>

namespace xl {

namespace {

constexpr qsizetype tailKept = 256;

[[noreturn]] void broken()
{
    throw SheetError(texts::incompleteWorkbook);
}

// Takes a part's text as it unpacks: keeps its head and tail and counts the closed rows, also across
// chunk borders.
class PartText final
{
public:
    void take(const char* data, qsizetype length)
    {
        if (m_head.size() < tailKept) {
            m_head.append(data, std::min(length, tailKept - m_head.size()));
        }
        // A "</row>" split across chunks lies in the end carried over joined with the new beginning; any
        // found there crosses the border, as neither part is long enough to hold one.
        const QByteArrayView chunk(data, length);
        const qsizetype carried = rowEnd.size() - 1;
        if (!m_carry.isEmpty()) {
            m_rows += QByteArray(m_carry).append(chunk.first(std::min(carried, length))).count(rowEnd);
        }
        m_rows += countRowEnds(chunk);
        m_carry =
            length >= carried ? chunk.last(carried).toByteArray() : m_carry.append(chunk).right(carried);
        if (length >= tailKept) {
            m_tail = chunk.last(tailKept).toByteArray();
        } else {
            m_tail.append(chunk);
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

    // Counts "</row>" in the text by its rarest letter, "w", which memchr finds fast.
    static qint64 countRowEnds(QByteArrayView text)
    {
        if (text.size() < rowEnd.size()) {
            return 0;
        }
        qint64 found = 0;
        const char* begin = text.data();
        const char* end = begin + text.size();
        for (const char* at = begin + 4; at < end - 1;) {
            const char* w = static_cast<const char*>(std::memchr(at, 'w', std::size_t(end - 1 - at)));
            if (w == nullptr) {
                break;
            }
            if (std::memcmp(w - 4, "</ro", 4) == 0 && w[1] == '>') {
                ++found;
            }
            at = w + 1;
        }
        return found;
    }
    QByteArray m_head;
    QByteArray m_tail;
    QByteArray m_carry;
    qint64 m_rows = 0;
};

// Unpacks the current part whole: every byte its entry promises, with a matching checksum.
PartText readPart(unzFile zip, quint64 size)
{
    if (unzOpenCurrentFile(zip) != UNZ_OK) {
        broken();
    }
    PartText text;
    std::vector<char> chunk(1 << 16);
    quint64 total = 0;
    int got = 0;
    while ((got = unzReadCurrentFile(zip, chunk.data(), static_cast<unsigned>(chunk.size()))) > 0) {
        text.take(chunk.data(), got);
        total += static_cast<quint64>(got);
    }
    // minizip compares the checksum on closing a part that was read to its end.
    const int closed = unzCloseCurrentFile(zip);
    if (got < 0 || closed != UNZ_OK || total != size) {
        broken();
    }
    return text;
}

} // namespace

void checkWrittenWorkbook(const QString& path, qint64 rows)
{
    const QByteArray name = QFile::encodeName(path);
    const std::unique_ptr<void, int (*)(unzFile)> zip(unzOpen64(name.constData()), unzClose);
    if (!zip) {
        if (!QFile::exists(path)) {
            throw SheetError(texts::cannotReadTemp);
        }
        broken();
    }
    bool sheetSeen = false;
    for (int at = unzGoToFirstFile(zip.get()); at != UNZ_END_OF_LIST_OF_FILE;
         at = unzGoToNextFile(zip.get())) {
        unz_file_info64 info = {};
        char partName[512] = {};
        if (at != UNZ_OK || unzGetCurrentFileInfo64(zip.get(), &info, partName, sizeof partName - 1, nullptr,
                                                    0, nullptr, 0) != UNZ_OK) {
            broken();
        }
        const QByteArrayView part(partName);
        const PartText text = readPart(zip.get(), info.uncompressed_size);
        const bool isXml = part.endsWith(".xml") || part.endsWith(".rels");
        if (isXml && !text.isWholeDocument()) {
            broken();
        }
        if (part.startsWith("xl/worksheets/sheet")) {
            sheetSeen = true;
            if (text.rows() != rows) {
                broken();
            }
        }
    }
    if (!sheetSeen) {
        broken();
    }
}

} // namespace xl
