#pragma once

#include <cstdint>

namespace quorlin {

// A value that remembers its precision: typed text gives single precision, a data file
// gives double, and a typed number beyond single range gives no value at all.
// Arithmetic stays single only while no operand is double, so shown digits depend on
// where a value came from.
class Number {
public:
    enum class Kind : std::uint8_t { Empty, Single, Double };

    constexpr Number() = default;
    static constexpr Number fromSingle(float v) { return Number(Kind::Single, v); }
    static constexpr Number fromDouble(double v) { return Number(Kind::Double, v); }

    constexpr Kind kind() const { return kind_; }
    constexpr bool isEmpty() const { return kind_ == Kind::Empty; }
    constexpr bool isSingle() const { return kind_ == Kind::Single; }
    constexpr bool isDouble() const { return kind_ == Kind::Double; }

    // The value widened to double; no value reads as 0.
    constexpr double value() const { return value_; }

    friend constexpr bool operator==(Number, Number) = default;

private:
    constexpr Number(Kind k, double v) : kind_(k), value_(v) {}

    Kind kind_ = Kind::Empty;
    double value_ = 0.0;
};

namespace detail {
// An empty operand counts as 0 without forcing double precision.
constexpr bool anyDouble(Number a, Number b) { return a.isDouble() || b.isDouble(); }
constexpr float asSingle(Number n) { return static_cast<float>(n.value()); }
}  // namespace detail

constexpr Number operator+(Number a, Number b)
{
    if (detail::anyDouble(a, b)) return Number::fromDouble(a.value() + b.value());
    return Number::fromSingle(detail::asSingle(a) + detail::asSingle(b));
}

constexpr Number operator-(Number a, Number b)
{
    if (detail::anyDouble(a, b)) return Number::fromDouble(a.value() - b.value());
    return Number::fromSingle(detail::asSingle(a) - detail::asSingle(b));
}

constexpr Number operator*(Number a, Number b)
{
    if (detail::anyDouble(a, b)) return Number::fromDouble(a.value() * b.value());
    return Number::fromSingle(detail::asSingle(a) * detail::asSingle(b));
}

// Division by zero follows IEEE rules here; callers that must stop on it test first.
constexpr Number operator/(Number a, Number b)
{
    if (detail::anyDouble(a, b)) return Number::fromDouble(a.value() / b.value());
    return Number::fromSingle(detail::asSingle(a) / detail::asSingle(b));
}

constexpr Number operator-(Number a)
{
    if (a.isDouble()) return Number::fromDouble(-a.value());
    return Number::fromSingle(-detail::asSingle(a));
}

}  // namespace quorlin
