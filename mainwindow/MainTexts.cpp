#include "mainwindow/MainTexts.h"

#include "store/SqlText.h"

namespace main_texts {

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

QString keywordClause(const QString& column, const QString& keyword)
{
    return QStringLiteral(" and ") + column + QStringLiteral(" like '%") + sqltext::likeKeyword(keyword) +
           QStringLiteral("%' ");
}

QString columnOf(const QString& field)
{
    namespace cap = mainwindow::captions;
    if (field == cap::fieldSpname) {
        return QStringLiteral("spname");
    }
    if (field == cap::fieldMjzh) {
        return QStringLiteral("mjzh");
    }
    if (field == cap::fieldKddh) {
        return QStringLiteral("kddh");
    }
    if (field == cap::fieldBz) {
        return QStringLiteral("bz");
    }
    return QString();
}

QString queryCondition(const QString& field, const QString& keyword, const QString& start, const QString& end)
{
    QString condition;
    if (!keyword.isEmpty() && keyword != keywordPrompt && field != fieldPrompt) {
        const QString column = columnOf(field);
        if (!column.isEmpty()) {
            condition += keywordClause(column, keyword);
        }
    }
    return condition + dateRange(start, end);
}

} // namespace main_texts
