#include "mainwindow/Statements.h"

#include "mainwindow/MainCaptions.h"
#include "store/OrderTable.h"
#include "store/SqlText.h"

namespace mainwindow {

QString listStatement(const QString& condition)
{
    return QStringLiteral("select * from ddlist where 1=1 ") + condition +
           QStringLiteral("  order by id desc");
}

QString deleteStatement(const QString& id)
{
    return QStringLiteral("select * From ddlist where id=") + id;
}

QString singleDay(const QString& date)
{
    return QStringLiteral(" and  xsdate=#") + date + QStringLiteral("#  ");
}

QString dateRange(const QString& start, const QString& end)
{
    return QStringLiteral(" and  xsdate>=#") + start + QStringLiteral("#   and xsdate<= #") + end +
           QStringLiteral("#   ");
}

QString keywordClause(const QString& column, const QString& keyword)
{
    return QStringLiteral(" and ") + column + QStringLiteral(" like '%") +
           store::sqltext::likeKeyword(keyword) + QStringLiteral("%' ");
}

QString columnOf(const QString& field)
{
    // The text columns c1 offers, by their item.
    static const std::array<std::pair<QString, std::size_t>, 4> searched = {{
        {texts::fieldSpname, store::columnAt("spname")},
        {texts::fieldMjzh, store::columnAt("mjzh")},
        {texts::fieldKddh, store::columnAt("kddh")},
        {texts::fieldBz, store::columnAt("bz")},
    }};
    for (const auto& [item, column] : searched) {
        if (field == item) {
            return QString::fromLatin1(store::orderColumns[column].name);
        }
    }
    return QString();
}

QString queryCondition(const QString& field, const QString& keyword, const QString& start, const QString& end)
{
    QString condition;
    if (!keyword.isEmpty() && keyword != texts::keywordPrompt && field != texts::fieldPrompt) {
        const QString column = columnOf(field);
        if (!column.isEmpty()) {
            condition += keywordClause(column, keyword);
        }
    }
    return condition + dateRange(start, end);
}

} // namespace mainwindow
