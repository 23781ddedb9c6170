#include "store/Translator.h"

#include "store/OrderTable.h"
#include "store/StatementTokens.h"
#include "store/StoreError.h"
#include "store/StoreTexts.h"
#include "store/TextForms.h"

namespace store {

namespace {

constexpr int maxClauses = 64;            // far beyond the two the filter builds
constexpr int maxExprDepth = 16;          // nesting of parentheses in a sum
constexpr std::size_t maxSumSteps = 256;  // terms of a sum
constexpr qsizetype maxLikeBytes = 40000; // below SQLite's like-pattern limit of 50,000 bytes

const OrderColumn* findColumn(const QString& word)
{
    for (const OrderColumn& c : orderColumns) {
        if (word.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0) {
            return &c;
        }
    }
    return nullptr;
}

// One element of a like pattern: any run, any one character, or a literal character.
struct PatternPart
{
    enum class Kind { AnyRun, AnyOne, Literal };
    Kind kind;
    QChar c;
};

class Parser final
{
public:
    Parser(const QString& statement, DatePlan plan)
        : m_statement(statement)
        , m_tokens(tokenize(statement))
        , m_plan(plan)
    {}

    Translation run()
    {
        if (isWord("select")) {
            select();
        } else if (isWord("update")) {
            update();
        } else if (isWord("insert")) {
            insert();
        } else {
            fail();
        }
        if (peek().type != Token::Type::End) {
            fail();
        }
        m_out.sql = m_sql.toUtf8();
        return std::move(m_out);
    }

private:
    [[noreturn]] void fail() const { refuseStatement(m_statement); }

    const Token& peek() const { return m_tokens[m_pos]; }
    const Token& next()
    {
        const Token& t = m_tokens[m_pos];
        if (t.type != Token::Type::End) {
            ++m_pos;
        }
        return t;
    }
    bool isWord(const char* word) const
    {
        return peek().type == Token::Type::Word &&
               peek().text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool isSymbol(const char* symbol) const
    {
        return peek().type == Token::Type::Symbol && peek().text == QLatin1String(symbol);
    }
    void word(const char* w)
    {
        if (!isWord(w)) {
            fail();
        }
        next();
    }
    void symbol(const char* s)
    {
        if (!isSymbol(s)) {
            fail();
        }
        next();
    }
    const OrderColumn& column()
    {
        if (peek().type != Token::Type::Word) {
            fail();
        }
        const OrderColumn* c = findColumn(next().text);
        if (!c) {
            fail();
        }
        return *c;
    }
    qint64 idNumber()
    {
        if (peek().type != Token::Type::Number) {
            fail();
        }
        bool ok = false;
        const qint64 id = next().text.toLongLong(&ok);
        if (!ok) {
            fail();
        }
        return id;
    }
    QString stringValue()
    {
        if (peek().type != Token::Type::String) {
            fail();
        }
        return next().text;
    }

    QDate bindDate(const QString& text)
    {
        // A day outside the calendar's years could be stored but never picked or found again.
        const std::optional<QDate> date = textforms::readDate(text);
        if (!date || !textforms::inCalendarRange(*date)) {
            throw StoreError(StoreError::Kind::TypeMismatch, texts::typeMismatch(text));
        }
        m_sql += QLatin1Char('?');
        m_out.params.emplace_back(date->toString(QStringLiteral("yyyy-MM-dd")));
        return *date;
    }

    // A quoted value converted to the kind of its column.
    void bindValue(const OrderColumn& c, const QString& text)
    {
        switch (c.kind) {
        case ColumnKind::Number: {
            const std::optional<double> number = textforms::readNumber(text);
            if (!number) {
                throw StoreError(StoreError::Kind::TypeMismatch, texts::typeMismatch(text));
            }
            m_out.params.emplace_back(*number);
            break;
        }
        case ColumnKind::Date:
            bindDate(text);
            return;
        case ColumnKind::Text:
            m_out.params.emplace_back(text);
            break;
        case ColumnKind::Key:
            fail(); // the id is assigned by the store, never written
        }
        m_sql += QLatin1Char('?');
    }

    void fromDdlist()
    {
        word("from");
        word("ddlist");
    }

    void select()
    {
        word("select");
        if (isSymbol("*")) {
            next();
            fromDdlist();
            word("where");
            static const QString selectAll =
                QStringLiteral("SELECT %1 FROM ddlist WHERE ").arg(QString::fromStdString(columnList()));
            m_sql = selectAll;
            if (isWord("id")) {
                next();
                symbol("=");
                m_sql += QStringLiteral("id=?");
                m_out.params.emplace_back(idNumber());
                return;
            }
            whereAll();
            if (isWord("order")) {
                next();
                word("by");
                word("id");
                if (isWord("desc")) {
                    next();
                    m_sql += QStringLiteral(" ORDER BY id DESC");
                } else {
                    if (isWord("asc")) {
                        next();
                    }
                    m_sql += QStringLiteral(" ORDER BY id");
                }
            }
            return;
        }
        m_sql = QStringLiteral("SELECT ");
        if (isWord("count")) {
            next();
            symbol("(");
            symbol("*");
            symbol(")");
            m_sql += QStringLiteral("count(*)");
            m_out.aggregate = Aggregate{true, {}};
        } else if (isWord("sum")) {
            next();
            symbol("(");
            m_sql += QStringLiteral("sum(");
            m_out.aggregate = Aggregate{false, {}};
            expression(0);
            symbol(")");
            m_sql += QLatin1Char(')');
        } else {
            fail();
        }
        word("as");
        if (peek().type != Token::Type::Word || findColumn(peek().text)) {
            fail();
        }
        m_sql += QStringLiteral(" AS \"") + next().text + QStringLiteral("\" FROM ddlist WHERE ");
        fromDdlist();
        word("where");
        whereAll();
    }

    // Arithmetic over the number columns: + - * and parentheses, "*" before "+" and "-". The SQL is the
    // text as written; the sum's steps follow the same precedence.
    void expression(int depth)
    {
        if (depth > maxExprDepth) {
            throw StoreError(StoreError::Kind::Refused, texts::tooComplex);
        }
        term(depth);
        while (isSymbol("+") || isSymbol("-")) {
            const bool add = isSymbol("+");
            m_sql += next().text;
            term(depth);
            step(add ? SumStep::Op::Add : SumStep::Op::Subtract);
        }
    }

    void term(int depth)
    {
        factor(depth);
        while (isSymbol("*")) {
            m_sql += next().text;
            factor(depth);
            step(SumStep::Op::Multiply);
        }
    }

    void step(SumStep::Op op, int column = 0)
    {
        if (m_out.aggregate->sum.size() >= maxSumSteps) {
            throw StoreError(StoreError::Kind::Refused, texts::tooComplex);
        }
        m_out.aggregate->sum.push_back({op, quint8(column)});
    }

    void factor(int depth)
    {
        if (isSymbol("(")) {
            next();
            m_sql += QLatin1Char('(');
            expression(depth + 1);
            symbol(")");
            m_sql += QLatin1Char(')');
            return;
        }
        const OrderColumn& c = column();
        if (c.kind != ColumnKind::Number) {
            fail();
        }
        m_sql += QLatin1String(c.name);
        step(SumStep::Op::Column, int(&c - orderColumns.data()));
    }

    // "1=1" and the clauses that follow it, each beginning with "and".
    void whereAll()
    {
        if (peek().type != Token::Type::Number || peek().text != QLatin1String("1")) {
            fail();
        }
        next();
        symbol("=");
        if (peek().type != Token::Type::Number || peek().text != QLatin1String("1")) {
            fail();
        }
        next();
        const qsizetype start = m_sql.size();
        m_sql += QStringLiteral("1=1");
        int clauses = 0;
        while (isWord("and")) {
            next();
            if (++clauses > maxClauses) {
                throw StoreError(StoreError::Kind::Refused, texts::tooComplex);
            }
            m_sql += QStringLiteral(" AND ");
            clause();
        }
        m_out.where = QStringView(m_sql).mid(start).toUtf8();
    }

    void clause()
    {
        const OrderColumn& c = column();
        if (c.kind == ColumnKind::Date) {
            QString op;
            if (isSymbol("=") || isSymbol(">=") || isSymbol("<=")) {
                op = next().text;
            } else {
                fail();
            }
            if (peek().type != Token::Type::Date) {
                fail();
            }
            const bool range = op != QLatin1String("=");
            // A unary + keeps SQLite from walking the index for a wide range.
            if (range && m_plan == DatePlan::Scan) {
                m_sql += QLatin1Char('+');
            }
            m_sql += QLatin1String(c.name) + op;
            const QDate day = bindDate(next().text);
            if (op == QLatin1String(">=") && (m_out.rangeStart.isNull() || day > m_out.rangeStart)) {
                m_out.rangeStart = day;
            } else if (op == QLatin1String("<=") && (m_out.rangeEnd.isNull() || day < m_out.rangeEnd)) {
                m_out.rangeEnd = day;
            }
            return;
        }
        if (c.kind != ColumnKind::Text) {
            fail();
        }
        word("like");
        like(c, stringValue());
    }

    void like(const OrderColumn& c, const QString& pattern)
    {
        const std::vector<PatternPart> parts = readPattern(pattern);
        // %literal% is the keyword search.
        bool substring = parts.size() >= 2 && parts.front().kind == PatternPart::Kind::AnyRun &&
                         parts.back().kind == PatternPart::Kind::AnyRun;
        QString literal;
        for (std::size_t i = 1; substring && i + 1 < parts.size(); ++i) {
            if (parts[i].kind != PatternPart::Kind::Literal) {
                substring = false;
            } else {
                literal += parts[i].c;
            }
        }
        QString escaped = likeText(parts);
        // SQLite's own LIKE is the fastest test, but refuses patterns beyond its length limit and ends a
        // pattern at its first NUL (which would match every order); such a keyword is searched as a plain
        // substring, letter case ignored as LIKE does (ASCII only).
        if (substring && (escaped.toUtf8().size() > maxLikeBytes || literal.contains(QChar(0)))) {
            m_sql += QStringLiteral("instr(lower(%1),lower(?))>0").arg(QLatin1String(c.name));
            m_out.params.emplace_back(literal);
            return;
        }
        m_sql += QStringLiteral("%1 LIKE ? ESCAPE '\\'").arg(QLatin1String(c.name));
        m_out.params.emplace_back(escaped);
    }

    // The pattern in SQLite's LIKE form with "\" as its escape character.
    static QString likeText(const std::vector<PatternPart>& parts)
    {
        QString escaped;
        for (const PatternPart& p : parts) {
            switch (p.kind) {
            case PatternPart::Kind::AnyRun:
                escaped += QLatin1Char('%');
                break;
            case PatternPart::Kind::AnyOne:
                escaped += QLatin1Char('_');
                break;
            case PatternPart::Kind::Literal:
                if (p.c == QLatin1Char('%') || p.c == QLatin1Char('_') || p.c == QLatin1Char('\\')) {
                    escaped += QLatin1Char('\\');
                }
                escaped += p.c;
                break;
            }
        }
        return escaped;
    }

    // % any run, _ any one character, [c] the character c itself; a lone ] is itself.
    std::vector<PatternPart> readPattern(const QString& pattern) const
    {
        std::vector<PatternPart> parts;
        parts.reserve(pattern.size());
        for (qsizetype i = 0; i < pattern.size(); ++i) {
            const QChar c = pattern.at(i);
            if (c == QLatin1Char('%')) {
                if (parts.empty() || parts.back().kind != PatternPart::Kind::AnyRun) {
                    parts.push_back({PatternPart::Kind::AnyRun, {}});
                }
            } else if (c == QLatin1Char('_')) {
                parts.push_back({PatternPart::Kind::AnyOne, {}});
            } else if (c == QLatin1Char('[')) {
                // Only the one-character escapes are supported; a character class is refused.
                if (i + 2 >= pattern.size() || pattern.at(i + 2) != QLatin1Char(']')) {
                    throw StoreError(StoreError::Kind::Refused, texts::badPattern(shownPart(pattern)));
                }
                parts.push_back({PatternPart::Kind::Literal, pattern.at(i + 1)});
                i += 2;
            } else {
                parts.push_back({PatternPart::Kind::Literal, c});
            }
        }
        return parts;
    }

    void update()
    {
        word("update");
        word("ddlist");
        word("set");
        m_sql = QStringLiteral("UPDATE ddlist SET ");
        unsigned seen = 0;
        for (bool first = true;; first = false) {
            if (!first) {
                m_sql += QLatin1Char(',');
            }
            const OrderColumn& c = column();
            markOnce(c, seen);
            symbol("=");
            m_sql += QLatin1String(c.name) + QLatin1Char('=');
            bindValue(c, stringValue());
            if (!isSymbol(",")) {
                break;
            }
            next();
        }
        word("where");
        word("id");
        symbol("=");
        m_sql += QStringLiteral(" WHERE id=?");
        m_out.params.emplace_back(idNumber());
        m_out.writes = true;
    }

    void insert()
    {
        word("insert");
        word("into");
        word("ddlist");
        symbol("(");
        std::vector<const OrderColumn*> targets;
        unsigned seen = 0;
        for (;;) {
            const OrderColumn& c = column();
            markOnce(c, seen);
            targets.push_back(&c);
            if (!isSymbol(",")) {
                break;
            }
            next();
        }
        symbol(")");
        word("values");
        symbol("(");
        m_sql = QStringLiteral("INSERT INTO ddlist (");
        for (std::size_t i = 0; i < targets.size(); ++i) {
            if (i > 0) {
                m_sql += QLatin1Char(',');
            }
            m_sql += QLatin1String(targets[i]->name);
        }
        m_sql += QStringLiteral(") VALUES (");
        // One quoted value for each named column, in the same order.
        for (std::size_t i = 0; i < targets.size(); ++i) {
            if (i > 0) {
                symbol(",");
                m_sql += QLatin1Char(',');
            }
            bindValue(*targets[i], stringValue());
        }
        symbol(")");
        m_sql += QLatin1Char(')');
        m_out.writes = true;
    }

    void markOnce(const OrderColumn& c, unsigned& seen)
    {
        const unsigned bit = 1u << (&c - orderColumns.data());
        if (seen & bit) {
            fail();
        }
        seen |= bit;
    }

    const QString& m_statement;
    std::vector<Token> m_tokens;
    DatePlan m_plan;
    std::size_t m_pos = 0;
    QString m_sql;
    Translation m_out;
};

} // namespace

Translation translate(const QString& statement, DatePlan plan)
{
    return Parser(statement, plan).run();
}

} // namespace store
