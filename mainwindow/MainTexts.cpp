#include "mainwindow/MainTexts.h"

namespace mainwindow::texts {

QString startupFailure(const QString& description, const QString& dataFile)
{
    if (description.contains(dataFile)) {
        return description;
    }
    return description + QLatin1Char('\n') + dataFileLine + dataFile;
}

QString totalCaption(const store::Total& total, const QString& unit)
{
    return (total.tooLarge() ? totalTooLarge : total.text()) + unit;
}

} // namespace mainwindow::texts
