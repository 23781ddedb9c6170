#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

// The order table ddlist, described once: the store's schema and checks, the statement translator, the
// listing's reads, the grid's columns and the Jet import all take its columns from here. Plain C++, so
// the Jet reading helper can use it too.
namespace store {

enum class ColumnKind : unsigned char { Key, Text, Number, Date };

struct OrderColumn
{
    const char* name;
    ColumnKind kind;
    const char* sqlType; // as the store creates it
    bool required;       // NOT NULL
};

// In stored order.
inline constexpr std::array<OrderColumn, 9> orderColumns{{
    {"id", ColumnKind::Key, "INTEGER PRIMARY KEY AUTOINCREMENT", false},
    {"spname", ColumnKind::Text, "TEXT", true}, // goods name
    {"jj", ColumnKind::Number, "REAL", true},   // purchase price of one piece
    {"sl", ColumnKind::Number, "REAL", true},   // quantity
    {"sj", ColumnKind::Number, "REAL", true},   // selling price of one piece
    {"mjzh", ColumnKind::Text, "TEXT", true},   // buyer's account
    {"kddh", ColumnKind::Text, "TEXT", true},   // courier waybill number
    {"xsdate", ColumnKind::Date, "TEXT", true}, // date of sale
    {"bz", ColumnKind::Text, "TEXT", false},    // remark; NULL when none was ever typed
}};

// What a remark that was never typed (NULL) shows, in the grid and in the entry window's box.
inline constexpr char nullRemark[] = " ";

// The place of a column in orderColumns, worked out while compiling: a name that is not a column does not
// compile.
consteval std::size_t columnAt(std::string_view name)
{
    for (std::size_t i = 0; i < orderColumns.size(); ++i) {
        if (name == orderColumns[i].name) {
            return i;
        }
    }
    throw std::invalid_argument("not a column of the order table");
}

// "id,spname,...,bz": every column, in stored order; placeholders() gives as many "?" for them.
inline std::string columnList()
{
    std::string list;
    for (const OrderColumn& c : orderColumns) {
        if (!list.empty()) {
            list += ',';
        }
        list += c.name;
    }
    return list;
}
inline std::string placeholders()
{
    std::string list = "?";
    for (std::size_t i = 1; i < orderColumns.size(); ++i) {
        list += ",?";
    }
    return list;
}

} // namespace store
