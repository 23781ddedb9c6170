#include "export/TextWidth.h"

#include <algorithm>
#include <unicode/uchar.h>

namespace xl {

namespace {

// No character below U+1100 is wide, which keeps ASCII and Latin text off the property lookup.
constexpr char32_t firstWide = 0x1100;

int widthOf(char32_t c)
{
    if (c < firstWide) {
        return 1;
    }
    const int eaw = u_getIntPropertyValue(static_cast<UChar32>(c), UCHAR_EAST_ASIAN_WIDTH);
    return (eaw == U_EA_WIDE || eaw == U_EA_FULLWIDTH) ? 2 : 1;
}

} // namespace

int displayWidth(QStringView text)
{
    // Most texts (waybills, numbers, dates) have no wide character at all: one pass that the compiler
    // runs many characters at a time finds them. Surrogates lie above firstWide too.
    char16_t highest = 0;
    for (const QChar c : text) {
        highest = std::max(highest, c.unicode());
    }
    if (highest < firstWide) {
        return int(text.size());
    }
    int width = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = text[i].unicode();
        // A surrogate pair is one character (CJK extension B and beyond live there).
        if (QChar::isHighSurrogate(c) && i + 1 < n && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i].unicode(), text[i + 1].unicode());
            ++i;
        }
        width += widthOf(c);
    }
    return width;
}

} // namespace xl
