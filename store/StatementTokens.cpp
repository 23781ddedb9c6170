#include "store/StatementTokens.h"

#include "store/StoreError.h"
#include "store/StoreTexts.h"

namespace store {

namespace {
constexpr qsizetype shownChars = 200; // of a refused statement, in its message

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

QString shownPart(const QString& statement)
{
    return statement.size() > shownChars ? statement.left(shownChars) + QStringLiteral("…") : statement;
}

void refuseStatement(const QString& statement)
{
    throw StoreError(StoreError::Kind::Refused, texts::refused(shownPart(statement)));
}

// Splits the statement into tokens. A ";" may only end it: anything after one is a second statement.
std::vector<Token> tokenize(const QString& s)
{
    std::vector<Token> tokens;
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (i < n) {
        const QChar c = s.at(i);
        if (c.isSpace()) {
            ++i;
        } else if (isAsciiLetter(c) || c == QLatin1Char('_')) {
            const qsizetype start = i;
            while (i < n &&
                   (isAsciiLetter(s.at(i)) || isAsciiDigit(s.at(i)) || s.at(i) == QLatin1Char('_'))) {
                ++i;
            }
            tokens.push_back({Token::Type::Word, s.mid(start, i - start)});
        } else if (isAsciiDigit(c)) {
            const qsizetype start = i;
            while (i < n && isAsciiDigit(s.at(i))) {
                ++i;
            }
            tokens.push_back({Token::Type::Number, s.mid(start, i - start)});
        } else if (c == QLatin1Char('\'')) {
            // '' inside the literal is one apostrophe.
            QString value;
            ++i;
            for (;;) {
                if (i >= n) {
                    refuseStatement(s);
                }
                if (s.at(i) == QLatin1Char('\'')) {
                    if (i + 1 < n && s.at(i + 1) == QLatin1Char('\'')) {
                        value += QLatin1Char('\'');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += s.at(i++);
            }
            tokens.push_back({Token::Type::String, value});
        } else if (c == QLatin1Char('#')) {
            const qsizetype end = s.indexOf(QLatin1Char('#'), i + 1);
            if (end < 0) {
                refuseStatement(s);
            }
            tokens.push_back({Token::Type::Date, s.mid(i + 1, end - i - 1)});
            i = end + 1;
        } else if (c == QLatin1Char(';')) {
            for (qsizetype j = i + 1; j < n; ++j) {
                if (!s.at(j).isSpace()) {
                    throw StoreError(StoreError::Kind::Refused, texts::secondStatement);
                }
            }
            break;
        } else if ((c == QLatin1Char('>') || c == QLatin1Char('<')) && i + 1 < n &&
                   s.at(i + 1) == QLatin1Char('=')) {
            tokens.push_back({Token::Type::Symbol, s.mid(i, 2)});
            i += 2;
        } else if (QStringView(u"()*,=<>-+").contains(c)) {
            tokens.push_back({Token::Type::Symbol, QString(c)});
            ++i;
        } else {
            refuseStatement(s);
        }
    }
    tokens.push_back({Token::Type::End, QString()});
    return tokens;
}

} // namespace store
