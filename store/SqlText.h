#pragma once

#include <QString>

// Helpers of the statement builders: a typed value placed between apostrophes can never end its literal.
namespace store::sqltext {

// Doubles every apostrophe, for a value between apostrophes.
QString quoted(const QString& value);
// For a keyword inside like '%...%': doubles apostrophes and writes %, _ and [ as [%], [_] and [[],
// so that the keyword matches literally.
QString likeKeyword(const QString& keyword);

} // namespace store::sqltext
