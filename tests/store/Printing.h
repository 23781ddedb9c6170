#pragma once

#include <QString>
#include <ostream>

// Failed expectations show texts as text, not as a list of code units.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
