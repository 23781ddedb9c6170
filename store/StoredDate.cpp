#include "store/StoredDate.h"

namespace store {

std::optional<QDate> storedDate(QByteArrayView t)
{
    if (t.size() != 10 || t[4] != '-' || t[7] != '-') {
        return std::nullopt;
    }
    int parts[3] = {0, 0, 0};
    const int starts[3] = {0, 5, 8};
    const int lengths[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p) {
        for (int i = starts[p]; i < starts[p] + lengths[p]; ++i) {
            const char c = t[i];
            if (c < '0' || c > '9') {
                return std::nullopt;
            }
            parts[p] = parts[p] * 10 + int(c - '0');
        }
    }
    if (!QDate::isValid(parts[0], parts[1], parts[2])) {
        return std::nullopt;
    }
    return QDate(parts[0], parts[1], parts[2]);
}

QString storedDateText(QDate day)
{
    // Written by hand: a save of many orders writes one per order, and a format string is parsed anew
    // each time.
    if (!day.isValid() || day.year() < 1 || day.year() > 9999) {
        return QString();
    }
    char16_t text[10];
    const auto put = [&](int at, int value, int width) {
        for (int i = width - 1; i >= 0; --i, value /= 10) {
            text[at + i] = char16_t(u'0' + value % 10);
        }
    };
    put(0, day.year(), 4);
    text[4] = u'-';
    put(5, day.month(), 2);
    text[7] = u'-';
    put(8, day.day(), 2);
    return QString(reinterpret_cast<const QChar*>(text), 10);
}

} // namespace store
