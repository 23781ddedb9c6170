#pragma once

#include <array>
#include <cstddef>

// The order table ddlist, described once: the store's schema and checks, its statements, the grid's
// columns and the Jet import all take its columns from here. Plain C++, so the Jet reading helper can use
// it too.
namespace store {

// The columns of an order, in stored order.
enum class OrderColumn : unsigned char {
    Id,
    Goods,
    PurchasePrice,
    Quantity,
    SellingPrice,
    Buyer,
    Waybill,
    SaleDate,
    Remark,
};

enum class ColumnKind : unsigned char { Key, Text, Number, Date };

struct ColumnDescription
{
    const char* name;
    ColumnKind kind;
    const char* sqlType; // as the store creates it
    bool required;       // NOT NULL
};

// In stored order, one for each OrderColumn.
inline constexpr std::array<ColumnDescription, 9> orderColumns{{
    {"id", ColumnKind::Key, "INTEGER PRIMARY KEY AUTOINCREMENT", false},
    {"spname", ColumnKind::Text, "TEXT", true},
    {"jj", ColumnKind::Number, "REAL", true},
    {"sl", ColumnKind::Number, "REAL", true},
    {"sj", ColumnKind::Number, "REAL", true},
    {"mjzh", ColumnKind::Text, "TEXT", true},
    {"kddh", ColumnKind::Text, "TEXT", true},
    {"xsdate", ColumnKind::Date, "TEXT", true},
    {"bz", ColumnKind::Text, "TEXT", false}, // NULL when no remark was ever given
}};

constexpr const ColumnDescription& describe(OrderColumn column)
{
    return orderColumns[std::size_t(column)];
}

} // namespace store
