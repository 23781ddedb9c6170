#pragma once

#include <QStringView>
#include <optional>

namespace orderimport {

// A number as sellers write one: blanks around it, a currency sign (¥, ￥, or 元 at either end), thousands
// separators in their places ("1,234.50"), full-width digits and signs ("１２３．５", "－５"), an exponent
// as spreadsheets write long numbers ("1.5E+3"). Nothing for anything else, such as "1,2" (a decimal
// comma is not a Chinese seller's) or a text with an apostrophe in front.
std::optional<double> readSellerNumber(QStringView text);

} // namespace orderimport
