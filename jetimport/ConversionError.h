#pragma once

#include <QString>
#include <exception>

namespace jetimport {

// A conversion that cannot go on; description() is the Chinese reason shown to the user.
class ConversionError final : public std::exception
{
public:
    explicit ConversionError(QString why)
        : m_why(std::move(why))
    {}
    const QString& description() const { return m_why; }
    const char* what() const noexcept override { return "jet conversion failed"; }

private:
    QString m_why;
};

} // namespace jetimport
