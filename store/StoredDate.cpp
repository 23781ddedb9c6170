#include "store/StoredDate.h"

namespace store {

namespace {
template <typename Text> std::optional<QDate> parse(const Text& t)
{
    if (t.size() != 10 || t[4] != '-' || t[7] != '-') {
        return std::nullopt;
    }
    int parts[3] = {0, 0, 0};
    const int starts[3] = {0, 5, 8};
    const int lengths[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p) {
        for (int i = starts[p]; i < starts[p] + lengths[p]; ++i) {
            const auto c = t[i];
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

// QStringView indexes as QChar; compare by code unit.
struct Units
{
    QStringView v;
    qsizetype size() const { return v.size(); }
    char16_t operator[](qsizetype i) const { return v[i].unicode(); }
};
} // namespace

std::optional<QDate> storedDate(std::string_view utf8)
{
    return parse(utf8);
}

std::optional<QDate> storedDate(QStringView text)
{
    return parse(Units{text});
}

} // namespace store
