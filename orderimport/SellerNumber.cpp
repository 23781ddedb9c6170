#include "orderimport/SellerNumber.h"

#include "orderimport/SellerText.h"

#include <QRegularExpression>
#include <charconv>
#include <cmath>

namespace orderimport {

namespace {

bool dropCurrency(QString& text)
{
    // ￥ folds to ¥.
    const QChar yen(0x00A5);
    const QChar yuan(0x5143);
    bool dropped = false;
    if (text.startsWith(yen) || text.startsWith(yuan)) {
        text = text.mid(1).trimmed();
        dropped = true;
    }
    if (text.endsWith(yen) || text.endsWith(yuan)) {
        text.chop(1);
        text = text.trimmed();
        dropped = true;
    }
    return dropped;
}

// Nearly every number of a file is plain ASCII, a sign and digits with at most one point: read at once,
// rounded as the general way rounds (both are correctly rounded).
std::optional<std::optional<double>> readPlainNumber(QStringView text)
{
    char ascii[64];
    if (text.isEmpty() || text.size() >= qsizetype(sizeof ascii)) {
        return std::nullopt;
    }
    qsizetype digits = 0;
    qsizetype points = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9') {
            ++digits;
        } else if (c == u'.') {
            ++points;
        } else if (!(i == 0 && c == u'-')) {
            return std::nullopt;
        }
        ascii[i] = char(c);
    }
    if (digits == 0 || points > 1) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(ascii, ascii + text.size(), value);
    if (error != std::errc() || end != ascii + text.size() || !std::isfinite(value)) {
        return std::optional<double>();
    }
    return std::optional<double>(value);
}

} // namespace

std::optional<double> readSellerNumber(QStringView text)
{
    if (const std::optional<std::optional<double>> plain = readPlainNumber(text)) {
        return *plain;
    }
    QString plain = foldForReading(text);
    // The sign may stand before the currency ("-¥5") or after it ("¥-5").
    QString sign;
    if (plain.startsWith(u'-') || plain.startsWith(u'+')) {
        sign = plain.left(1);
        plain = plain.mid(1).trimmed();
    }
    if (dropCurrency(plain)) {
        if (sign.isEmpty() && (plain.startsWith(u'-') || plain.startsWith(u'+'))) {
            sign = plain.left(1);
            plain = plain.mid(1).trimmed();
        }
    }
    static const QRegularExpression number(
        QStringLiteral("\\A(?:[0-9]{1,3}(?:,[0-9]{3})+|[0-9]+)?(?:\\.[0-9]*)?(?:[eE][-+]?[0-9]{1,3})?\\z"));
    if (plain.isEmpty() || (!plain.front().isDigit() && plain.front() != u'.')) {
        return std::nullopt;
    }
    if (!number.match(plain).hasMatch()) {
        return std::nullopt;
    }
    plain.remove(u',');
    bool ok = false;
    const double value = (sign + plain).toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace orderimport
