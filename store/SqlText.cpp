#include "store/SqlText.h"

namespace store::sqltext {

QString quoted(const QString& value)
{
    QString out = value;
    out.replace(QLatin1Char('\''), QLatin1String("''"));
    return out;
}

QString likeKeyword(const QString& keyword)
{
    QString out;
    out.reserve(keyword.size() + 8);
    for (const QChar c : keyword) {
        switch (c.unicode()) {
        case u'\'':
            out += QLatin1String("''");
            break;
        case u'%':
            out += QLatin1String("[%]");
            break;
        case u'_':
            out += QLatin1String("[_]");
            break;
        case u'[':
            out += QLatin1String("[[]");
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace store::sqltext
