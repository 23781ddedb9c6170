#pragma once

#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <QStringDecoder>
#include <QStringView>
#include <optional>

namespace orderimport {

// The encodings a seller's text table comes in. Chinese spreadsheet programs write GBK, which GB18030
// contains.
enum class Encoding { Utf8, Utf16LE, Utf16BE, Gb18030 };

QString encodingName(Encoding encoding);

// The encoding a byte-order mark at the start names.
std::optional<Encoding> encodingFromBom(QByteArrayView head);

// UTF-16 written without a mark, told by the zero byte of each ASCII character (separators, digits, line
// ends) falling on one side only.
std::optional<Encoding> unmarkedUtf16(QByteArrayView head);

// Checks bytes for UTF-8 a block at a time, so that a long file need not be held whole.
class Utf8Check final
{
public:
    void feed(QByteArrayView bytes);
    // True when everything fed is UTF-8 and no character is left unfinished.
    bool finish() const { return m_valid && m_pending == 0; }
    bool failed() const { return !m_valid; }

private:
    bool m_valid = true;
    int m_pending = 0;
    uchar m_low = 0x80;
    uchar m_high = 0xBF;
};

// The encoding of the device's bytes from its current position: a mark decides; else bytes that are all
// UTF-8 are UTF-8; else GB18030. Reads to the end when there is no mark and seeks back to where it began.
Encoding detectEncoding(QIODevice& device);

// A decoder that keeps its state between blocks and drops a leading byte-order mark. Check isValid():
// GB18030 needs Qt's ICU support.
QStringDecoder decoderFor(Encoding encoding);

// True for a decoded first block that is not text: a NUL, or more than a tenth control characters.
bool looksBinary(QStringView text);

} // namespace orderimport
