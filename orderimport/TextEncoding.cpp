#include "orderimport/TextEncoding.h"

namespace orderimport {

namespace {

constexpr qint64 scanBlock = 1 << 16;

} // namespace

QString encodingName(Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8:
        return QStringLiteral("UTF-8");
    case Encoding::Utf16LE:
        return QStringLiteral("UTF-16LE");
    case Encoding::Utf16BE:
        return QStringLiteral("UTF-16BE");
    case Encoding::Gb18030:
        return QStringLiteral("GB18030");
    }
    return QString();
}

std::optional<Encoding> encodingFromBom(QByteArrayView head)
{
    if (head.startsWith("\xEF\xBB\xBF")) {
        return Encoding::Utf8;
    }
    // A UTF-32 LE mark begins like UTF-16 LE; nobody writes UTF-32 tables, so it reads as UTF-16 and
    // then fails the binary check on its zero characters.
    if (head.startsWith("\xFF\xFE")) {
        return Encoding::Utf16LE;
    }
    if (head.startsWith("\xFE\xFF")) {
        return Encoding::Utf16BE;
    }
    return std::nullopt;
}

std::optional<Encoding> unmarkedUtf16(QByteArrayView head)
{
    const qsizetype pairs = std::min<qsizetype>(head.size(), 4096) / 2;
    if (pairs < 2) {
        return std::nullopt;
    }
    qsizetype evenZeros = 0;
    qsizetype oddZeros = 0;
    for (qsizetype i = 0; i < pairs; ++i) {
        evenZeros += head[2 * i] == '\0';
        oddZeros += head[2 * i + 1] == '\0';
    }
    // At least a fifth of the characters ASCII on one side, next to none on the other.
    if (oddZeros * 5 >= pairs && evenZeros * 50 <= pairs) {
        return Encoding::Utf16LE;
    }
    if (evenZeros * 5 >= pairs && oddZeros * 50 <= pairs) {
        return Encoding::Utf16BE;
    }
    return std::nullopt;
}

void Utf8Check::feed(QByteArrayView bytes)
{
    for (const char ch : bytes) {
        if (!m_valid) {
            return;
        }
        const auto b = static_cast<uchar>(ch);
        if (m_pending > 0) {
            if (b < m_low || b > m_high) {
                m_valid = false;
                return;
            }
            m_low = 0x80;
            m_high = 0xBF;
            --m_pending;
        } else if (b < 0x80) {
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            m_pending = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            // No overlong forms and no surrogates.
            m_pending = 2;
            m_low = b == 0xE0 ? 0xA0 : 0x80;
            m_high = b == 0xED ? 0x9F : 0xBF;
        } else if (b >= 0xF0 && b <= 0xF4) {
            // Nothing past U+10FFFF.
            m_pending = 3;
            m_low = b == 0xF0 ? 0x90 : 0x80;
            m_high = b == 0xF4 ? 0x8F : 0xBF;
        } else {
            m_valid = false;
        }
    }
}

Encoding detectEncoding(QIODevice& device)
{
    const qint64 start = device.pos();
    const QByteArray head = device.peek(scanBlock);
    if (const auto marked = encodingFromBom(head)) {
        return *marked;
    }
    if (const auto utf16 = unmarkedUtf16(head)) {
        return *utf16;
    }
    Utf8Check check;
    while (!check.failed()) {
        const QByteArray block = device.read(scanBlock);
        if (block.isEmpty()) {
            break;
        }
        check.feed(block);
    }
    device.seek(start);
    return check.finish() ? Encoding::Utf8 : Encoding::Gb18030;
}

QStringDecoder decoderFor(Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8:
        return QStringDecoder(QStringConverter::Utf8);
    case Encoding::Utf16LE:
        return QStringDecoder(QStringConverter::Utf16LE);
    case Encoding::Utf16BE:
        return QStringDecoder(QStringConverter::Utf16BE);
    case Encoding::Gb18030:
        return QStringDecoder("GB18030");
    }
    return QStringDecoder();
}

bool looksBinary(QStringView text)
{
    qsizetype odd = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == 0) {
            return true;
        }
        // Tab, line ends, form feed and the old end-of-file mark are at home in text.
        const bool control =
            (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r' && u != u'\f' && u != 0x1A) ||
            (u >= 0x7F && u <= 0x9F);
        // Undecodable bytes are not counted: they come from a wrongly chosen encoding as much as from binary
        // data, and the seller should see the garbled text and choose another.
        odd += control;
    }
    return odd * 10 > text.size();
}

} // namespace orderimport
