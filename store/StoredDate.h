#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <optional>

namespace store {

// The date of sale is stored as yyyy-mm-dd text, which sorts and compares as the days do.
// Reads that form only; anything else is no date.
std::optional<QDate> storedDate(QByteArrayView utf8);
QString storedDateText(QDate day);

} // namespace store
