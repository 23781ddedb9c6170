#include "orderimport/HeaderGuess.h"

#include "orderimport/SellerText.h"

#include <algorithm>

namespace orderimport {

namespace {

struct FieldName
{
    OrderField field;
    const char16_t* name;
};

// Each field's first name is this program's own export header (买家呢称, sic).
constexpr FieldName fieldNames[] = {
    {OrderField::Goods, u"商品名称"},
    {OrderField::Goods, u"宝贝标题"},
    {OrderField::Goods, u"商品标题"},
    {OrderField::Goods, u"宝贝名称"},
    {OrderField::Goods, u"商品"},
    {OrderField::Buyer, u"买家呢称"},
    {OrderField::Buyer, u"买家昵称"},
    {OrderField::Buyer, u"买家会员名"},
    {OrderField::Buyer, u"买家账号"},
    {OrderField::Buyer, u"买家"},
    {OrderField::Quantity, u"购买数量"},
    {OrderField::Quantity, u"宝贝数量"},
    {OrderField::Quantity, u"数量"},
    {OrderField::PurchasePrice, u"进价"},
    {OrderField::PurchasePrice, u"成本价"},
    {OrderField::PurchasePrice, u"成本"},
    {OrderField::PurchasePrice, u"采购价"},
    {OrderField::SellingPrice, u"售价"},
    {OrderField::SellingPrice, u"商品单价"},
    {OrderField::SellingPrice, u"单价"},
    {OrderField::SellingPrice, u"价格"},
    {OrderField::SaleDate, u"销售日期"},
    {OrderField::SaleDate, u"订单付款时间"},
    {OrderField::SaleDate, u"付款时间"},
    {OrderField::SaleDate, u"订单创建时间"},
    {OrderField::SaleDate, u"下单时间"},
    {OrderField::SaleDate, u"日期"},
    {OrderField::Waybill, u"快递单号"},
    {OrderField::Waybill, u"运单号"},
    {OrderField::Waybill, u"物流单号"},
    {OrderField::Remark, u"备注"},
    {OrderField::Remark, u"订单备注"},
    {OrderField::Remark, u"卖家备注"},
    {OrderField::Remark, u"买家留言"},
};

// How well a header names a field; higher is better, 0 not at all.
struct Match
{
    OrderField field = OrderField::Goods;
    int rank = 0; // 2 exact, 1 contained
    qsizetype length = 0;
    bool atEnd = false; // Chinese puts the head word last: 商品数量 is a quantity

    bool betterThan(const Match& other) const
    {
        if (rank != other.rank) {
            return rank > other.rank;
        }
        return length != other.length ? length > other.length : atEnd && !other.atEnd;
    }
};

// Folded and without the notes shops add to a header: blanks, "(元)", "（必填）", a required mark "*".
QString comparable(QStringView header)
{
    QString text = foldForReading(header).toCaseFolded();
    text.remove(u' ');
    text.remove(u'*');
    // NFKC has made full-width brackets ASCII.
    while (text.endsWith(u')')) {
        const qsizetype open = text.lastIndexOf(u'(');
        if (open <= 0) {
            break;
        }
        text.truncate(open);
    }
    return text;
}

Match bestMatch(QStringView header)
{
    const QString text = comparable(header);
    Match best;
    if (text.isEmpty()) {
        return best;
    }
    for (const FieldName& entry : fieldNames) {
        const QStringView name(entry.name);
        Match match{entry.field, 0, name.size(), text.endsWith(name)};
        if (text == name) {
            match.rank = 2;
        } else if (text.contains(name)) {
            match.rank = 1;
        }
        if (match.rank > 0 && match.betterThan(best)) {
            best = match;
        }
    }
    return best;
}

} // namespace

QString fieldName(OrderField field)
{
    // Each field's first name is this program's own.
    for (const FieldName& name : fieldNames) {
        if (name.field == field) {
            return QString::fromUtf16(name.name);
        }
    }
    return QString();
}

std::optional<OrderField> fieldForHeader(QStringView header)
{
    const Match match = bestMatch(header);
    return match.rank > 0 ? std::optional<OrderField>(match.field) : std::nullopt;
}

ColumnMap guessColumns(const std::vector<QString>& headers)
{
    struct Candidate
    {
        Match match;
        int column;
    };
    std::vector<Candidate> candidates;
    for (std::size_t column = 0; column < headers.size(); ++column) {
        const Match match = bestMatch(headers[column]);
        if (match.rank > 0) {
            candidates.push_back({match, int(column)});
        }
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.match.betterThan(b.match); });
    ColumnMap columns;
    for (const Candidate& candidate : candidates) {
        std::optional<int>& slot = columns[std::size_t(candidate.match.field)];
        if (!slot) {
            slot = candidate.column;
        }
    }
    return columns;
}

} // namespace orderimport
