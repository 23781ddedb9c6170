#include "mainwindow/MainTexts.h"

#include "store/TextForms.h"

namespace mainwindow::texts {

QString startupFailure(const QString& description, const QString& dataFile)
{
    if (description.contains(dataFile)) {
        return description;
    }
    return description + QLatin1Char('\n') + dataFileLine + dataFile;
}

QString sumCaption(const store::AmountSum& sum, const QString& unit)
{
    if (sum.isNull()) {
        return unit;
    }
    if (sum.tooLarge()) {
        return totalTooLarge + unit;
    }
    return sum.value().text(store::textforms::uiLocale().decimalPoint().front()) + unit;
}

} // namespace mainwindow::texts
