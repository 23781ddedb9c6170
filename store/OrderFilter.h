#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace store {

// A text column the keyword is searched in; Any: the goods name, the buyer, the waybill or the remark.
enum class SearchField { Goods, Buyer, Waybill, Remark, Any };

// Which orders a listing covers: the days of sale from first to last (both null: every order), and,
// when a field is given, the orders whose field holds the keyword as it stands (ASCII letters in either
// case, full-width ASCII forms the same as their ASCII ones; "%", "_", "[" and "'" are plain characters).
struct OrderFilter
{
    QDate first;
    QDate last;
    std::optional<SearchField> field;
    QString keyword;

    static OrderFilter everyOrder() { return {}; }
    static OrderFilter days(QDate first, QDate last) { return {first, last, std::nullopt, QString()}; }
    bool hasDates() const { return first.isValid() || last.isValid(); }
    bool hasKeyword() const { return field && !keyword.isEmpty(); }
    friend bool operator==(const OrderFilter&, const OrderFilter&) = default;
};

} // namespace store
