#pragma once

#include <QString>
#include <exception>
#include <new>
#include <optional>

namespace ui {

// What a handler's body threw, told apart for the message that shows it.
struct Failure
{
    enum class Kind { Described, OutOfMemory, Other, Unknown };
    Kind kind;
    QString words;             // a described failure's description, the what() of any other exception
    std::exception_ptr thrown; // an Unknown one, for an edge that leaves it to the edge around it

    bool described() const { return kind == Kind::Described; }
};

// what() as text; empty when even that cannot be had (out of memory).
inline QString whatText(const std::exception& e) noexcept
{
    try {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QString();
    }
}

// The edge of every handler: runs body and catches whatever it throws, so that nothing reaches Qt's event
// loop. Described is the error type of the layer below, whose description() is meant to be shown.
template <class Described, class Body> std::optional<Failure> guarded(Body&& body)
{
    try {
        body();
        return std::nullopt;
    } catch (const Described& e) {
        return Failure{Failure::Kind::Described, e.description(), nullptr};
    } catch (const std::bad_alloc& e) {
        return Failure{Failure::Kind::OutOfMemory, whatText(e), nullptr};
    } catch (const std::exception& e) {
        return Failure{Failure::Kind::Other, whatText(e), nullptr};
    } catch (...) {
        return Failure{Failure::Kind::Unknown, QString(), std::current_exception()};
    }
}

} // namespace ui
