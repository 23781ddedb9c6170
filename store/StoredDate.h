#pragma once

#include <QDate>
#include <QStringView>
#include <optional>
#include <string_view>

namespace store {

// xsdate is stored as yyyy-mm-dd text. Reads that form only; anything else is shown as it stands.
std::optional<QDate> storedDate(std::string_view utf8);
std::optional<QDate> storedDate(QStringView text);

} // namespace store
