#pragma once

#include <QString>
#include <new>
#include <optional>
#include <stdexcept>

namespace ui {

// The words before a failure's description, and before any failure the program did not foresee.
inline const QString failedPrefix = QStringLiteral("操作未能完成：");

// What a handler's body threw, told apart for the message that shows it.
struct Failure
{
    enum class Kind { Described, OutOfMemory, Other, Unknown };
    Kind kind;
    QString words; // a described failure's description, the what() of any other exception

    bool described() const { return kind == Kind::Described; }
};

// The edge of every handler: runs body and catches whatever it throws, so that nothing reaches Qt's event
// loop. Described is the error type of the layer below, whose description() is meant to be shown.
template <class Described, class Body> std::optional<Failure> guarded(Body&& body)
{
    try {
        body();
        return std::nullopt;
    } catch (const Described& e) {
        return Failure{Failure::Kind::Described, e.description()};
    } catch (const std::bad_alloc& e) {
        return Failure{Failure::Kind::OutOfMemory, QString::fromLocal8Bit(e.what())};
    } catch (const std::exception& e) {
        return Failure{Failure::Kind::Other, QString::fromLocal8Bit(e.what())};
    } catch (...) {
        return Failure{Failure::Kind::Unknown, QString()};
    }
}

} // namespace ui
