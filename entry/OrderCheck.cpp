#include "entry/OrderCheck.h"

#include "entry/EntryTexts.h"
#include "store/TextForms.h"

namespace entry {

namespace {

bool isNumber(const QString& text)
{
    return store::textforms::readNumber(text).has_value();
}

// A date the calendar cannot show (typed "0026" for 2026): stored, no query would ever find it.
bool outsideCalendar(const QString& text)
{
    const std::optional<QDate> date = store::textforms::readDate(text);
    return date && !store::textforms::inCalendarRange(*date);
}

} // namespace

std::optional<CheckFailure> checkOrder(const OrderTexts& o)
{
    using namespace texts;
    if (o.spname.isEmpty()) {
        return CheckFailure{needSpname, Box::spname};
    }
    if (o.sl.isEmpty()) {
        return CheckFailure{needSl, Box::sl};
    }
    if (!isNumber(o.sl)) {
        return CheckFailure{slNotNumber, Box::sl};
    }
    if (o.jj.isEmpty()) {
        return CheckFailure{needJj, Box::jj};
    }
    if (!isNumber(o.jj)) {
        return CheckFailure{jjNotNumber, Box::jj};
    }
    if (o.sj.isEmpty()) {
        return CheckFailure{needSj, Box::sj};
    }
    if (!isNumber(o.sj)) {
        return CheckFailure{sjNotNumber, Box::sj};
    }
    if (o.mjzh.isEmpty()) {
        return CheckFailure{needMjzh, Box::mjzh};
    }
    if (o.kddh.isEmpty()) {
        return CheckFailure{needKddh, Box::kddh};
    }
    if (o.xsdate.isEmpty() || outsideCalendar(o.xsdate)) {
        return CheckFailure{needXsdate, Box::xsdate};
    }
    return std::nullopt;
}

} // namespace entry
