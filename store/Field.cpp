#include "store/Recordset.h"

#include "store/StoredDate.h"
#include "store/TextForms.h"

#include <QDate>

namespace store {

Field::Field(QVariant value)
    : m_kind(Kind::Null)
{
    if (value.isNull()) {
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        m_kind = Kind::Integer;
        m_integer = value.toLongLong();
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        m_kind = Kind::Real;
        m_real = value.toDouble();
        break;
    case QMetaType::QDate:
        m_kind = Kind::Date;
        m_text = value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
        break;
    default:
        m_kind = Kind::Text;
        m_text = value.toString();
    }
}

Field::Field(Kind kind, qint64 integer, double real, QString text)
    : m_kind(kind)
    , m_integer(integer)
    , m_real(real)
    , m_text(std::move(text))
{}

QVariant Field::value() const
{
    switch (m_kind) {
    case Kind::Null:
        return QVariant();
    case Kind::Integer:
        return QVariant(m_integer);
    case Kind::Real:
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
