#include "jetimport/OrderFrame.h"

#include "jetimport/ConversionError.h"
#include "jetimport/HelperRun.h"
#include "jetimport/JetFrames.h"
#include "jetimport/JetTexts.h"

#include <QDate>
#include <QHash>
#include <cmath>

namespace jetimport {

namespace {

QString name(int column)
{
    return QString::fromLatin1(store::orderColumns[std::size_t(column)].name);
}

void refuseUnsupported(char tag, int column)
{
    if (tag == frames::unsupported) {
        throw ConversionError(texts::unsupportedColumn(name(column)));
    }
}

} // namespace

void Digest::add(const Order& o)
{
    QByteArray bytes;
    const auto put = [&](QByteArrayView v) {
        const qint64 n = v.size();
        bytes.append(reinterpret_cast<const char*>(&n), sizeof n);
        bytes.append(v);
    };
    const auto number = [&](double v) { bytes.append(reinterpret_cast<const char*>(&v), sizeof v); };
    bytes.append(reinterpret_cast<const char*>(&o.id), sizeof o.id);
    put(o.spname);
    number(o.jj);
    number(o.sl);
    number(o.sj);
    put(o.mjzh);
    put(o.kddh);
    put(o.xsdate);
    bytes.append(o.bzNull ? 'N' : 'T');
    put(o.bz);
    a += qHash(QByteArrayView(bytes), size_t(0x9e3779b97f4a7c15ull));
    b += qHash(QByteArrayView(bytes), size_t(0xc2b2ae3d27d4eb4full));
    ++count;
}

Order OrderReader::read(QByteArrayView payload)
{
    QByteArrayView rest = payload;
    char tags[frames::columnCount];
    QByteArrayView values[frames::columnCount];
    for (int c = 0; c < frames::columnCount; ++c) {
        if (rest.size() < 5) {
            throw ConversionError(texts::helperGarbled);
        }
        tags[c] = rest.at(0);
        const quint32 n = frameLength(rest.data() + 1);
        if (rest.size() - 5 < qsizetype(n)) {
            throw ConversionError(texts::helperGarbled);
        }
        values[c] = rest.sliced(5, n);
        rest = rest.sliced(5 + n);
    }
    if (!rest.isEmpty()) {
        throw ConversionError(texts::helperGarbled);
    }
    Order o;
    m_blank = false;
    refuseUnsupported(tags[0], 0);
    const QString id = QString::fromUtf8(values[0]);
    bool ok = tags[0] == frames::number;
    o.id = ok ? values[0].toLongLong(&ok) : 0;
    if (!ok) {
        throw ConversionError(texts::badValue(id.isEmpty() ? QStringLiteral("?") : id, name(0), id));
    }
    o.spname = text(tags[1], values[1], 1);
    o.jj = number(tags[2], values[2], 2, id);
    o.sl = number(tags[3], values[3], 3, id);
    o.sj = number(tags[4], values[4], 4, id);
    o.mjzh = text(tags[5], values[5], 5);
    o.kddh = text(tags[6], values[6], 6);
    o.xsdate = date(tags[7], values[7], id);
    // The remark is the one column whose NULL the program keeps.
    refuseUnsupported(tags[8], 8);
    o.bzNull = tags[8] == frames::null;
    if (!o.bzNull) {
        o.bz = values[8].toByteArray();
    }
    blanks += m_blank ? 1 : 0;
    return o;
}

QByteArray OrderReader::text(char tag, QByteArrayView v, int column)
{
    refuseUnsupported(tag, column);
    if (tag == frames::null) {
        m_blank = true;
        return QByteArray("");
    }
    return v.toByteArray(); // text, or a number or date of a column of that type as its text
}

double OrderReader::number(char tag, QByteArrayView v, int column, const QString& id)
{
    refuseUnsupported(tag, column);
    if (tag == frames::null) {
        m_blank = true;
        return 0;
    }
    bool ok = tag == frames::number || tag == frames::text;
    const double d = ok ? v.trimmed().toDouble(&ok) : 0;
    if (!ok || !std::isfinite(d)) {
        throw ConversionError(texts::badValue(id, name(column), QString::fromUtf8(v)));
    }
    return d;
}

QByteArray OrderReader::date(char tag, QByteArrayView v, const QString& id)
{
    refuseUnsupported(tag, 7);
    if (tag == frames::null) {
        throw ConversionError(texts::noDate(id));
    }
    if (tag == frames::date && v.size() >= 10) {
        withTime += v.size() > 10 ? 1 : 0;
        return v.first(10).toByteArray();
    }
    // A date kept as text: the day in the forms Access and the seller write it.
    const QString written = QString::fromUtf8(v).trimmed();
    const QString day = written.section(QLatin1Char(' '), 0, 0);
    for (const QString& form : {QStringLiteral("yyyy-M-d"), QStringLiteral("yyyy/M/d")}) {
        const QDate parsed = QDate::fromString(day, form);
        if (parsed.isValid()) {
            withTime += written.contains(QLatin1Char(' ')) ? 1 : 0;
            return parsed.toString(Qt::ISODate).toUtf8();
        }
    }
    throw ConversionError(texts::badValue(id, name(7), written));
}

} // namespace jetimport
