#include "orderimport/SellerText.h"

namespace orderimport {

QString foldForReading(QStringView text)
{
    QString folded = text.toString().normalized(QString::NormalizationForm_KC);
    QString out;
    out.reserve(folded.size());
    for (const QChar c : std::as_const(folded)) {
        switch (c.unicode()) {
        case 0x2212: // minus sign
        case 0x2010: // hyphen
        case 0x2011: // non-breaking hyphen
        case 0x2013: // en dash
        case 0xFE63: // small hyphen-minus
            out.append(u'-');
            break;
        case 0x200B: // zero width space
        case 0x200C:
        case 0x200D:
        case 0xFEFF: // byte-order mark, left over at the head of a header cell
            break;
        default:
            out.append(c);
        }
    }
    return out.trimmed();
}

} // namespace orderimport
