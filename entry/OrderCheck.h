#pragma once

#include "entry/OrderTexts.h"

#include <QString>
#include <optional>

namespace entry {

// The box a failed check sends the focus to.
enum class Box { spname, sl, jj, sj, mjzh, kddh, xsdate };

struct CheckFailure
{
    QString message;
    Box focus;
};

// The field check of both save commands: ten steps in order, the first that fails is returned.
// "Empty" is the empty text (a blank passes); "a number" is the shown-number test of the locale; a date
// of sale before the calendar's first year fails like an empty one.
std::optional<CheckFailure> checkOrder(const OrderTexts& order);

} // namespace entry
