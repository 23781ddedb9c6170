#pragma once

#include <QString>
#include <vector>

namespace store {

// One token of a statement: a word (keyword or column), digits, a '...' text ('' read as one apostrophe),
// a #...# date, or one of ( ) * , = < > <= >= - +. The last token of a statement is End.
struct Token
{
    enum class Type { Word, Number, String, Date, Symbol, End };
    Type type = Type::End;
    QString text;
};

// The statement as tokens. Throws StoreError Refused for a character outside the dialect, an unclosed
// literal, or anything after a ";" (a second statement).
std::vector<Token> tokenize(const QString& statement);

// A statement as a message shows it: cut after a few hundred characters.
QString shownPart(const QString& statement);
// Throws StoreError Refused naming the statement.
[[noreturn]] void refuseStatement(const QString& statement);

} // namespace store
