#include "orderimport/SellerNumber.h"

#include "orderimport/SellerText.h"

#include <QRegularExpression>
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

} // namespace

std::optional<double> readSellerNumber(QStringView text)
{
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
