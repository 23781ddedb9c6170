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
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace store
