#include "store/Recordset.h"

#include "store/StoreError.h"
#include "store/StoreTexts.h"
#include "store/StoredDate.h"
#include "store/TextForms.h"
#include "store/Totals.h"

#include <QDate>
#include <sqlite3.h>

namespace store {

Field::Field(Kind kind, qint64 integer, double real, QString text)
    : m_kind(kind)
    , m_integer(integer)
    , m_real(real)
    , m_text(std::move(text))
{}

Field Field::read(sqlite3_stmt* st, int column, bool dateColumn)
{
    switch (sqlite3_column_type(st, column)) {
    case SQLITE_NULL:
        return Field();
    case SQLITE_INTEGER:
        return Field(Kind::Integer, sqlite3_column_int64(st, column), 0, QString());
    case SQLITE_FLOAT:
        return Field(Kind::Real, 0, sqlite3_column_double(st, column), QString());
    default:
        break;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, column));
    return Field(dateColumn ? Kind::Date : Kind::Text, 0, 0,
                 QString::fromUtf8(text, sqlite3_column_bytes(st, column)));
}

Field Field::ofTotal(const Total& total)
{
    if (total.count) {
        return Field(Kind::Integer, *total.count, 0, QString());
    }
    if (total.tooLarge()) {
        throw StoreError(StoreError::Kind::IoError, texts::sumTooLarge);
    }
    if (total.isNull()) {
        return Field();
    }
    const QString digits = total.sum.value().text();
    return Field(Kind::Decimal, 0, digits.toDouble(), digits);
}

QVariant Field::value() const
{
    switch (m_kind) {
    case Kind::Null:
        return QVariant();
    case Kind::Integer:
        return QVariant(m_integer);
    case Kind::Real:
    case Kind::Decimal:
        return QVariant(m_real);
    case Kind::Date:
        if (const auto date = storedDate(m_text)) {
            return QVariant(*date);
        }
        return QVariant(m_text);
    case Kind::Text:
        break;
    }
    return QVariant(m_text);
}

QString Field::text() const
{
    switch (m_kind) {
    case Kind::Null:
        return QString();
    case Kind::Integer:
        return QString::number(m_integer);
    case Kind::Real:
        return textforms::numberText(m_real);
    case Kind::Decimal:
        return QString(m_text).replace(QLatin1Char('.'), textforms::uiLocale().decimalPoint());
    case Kind::Date:
        if (const auto date = storedDate(m_text)) {
            return textforms::dateText(*date);
        }
        return m_text;
    case Kind::Text:
        break;
    }
    return m_text;
}

} // namespace store
