#pragma once

#include <bit>
#include <cstdint>

namespace quorlin {

// A value that remembers its precision: typed text gives single precision, a data file
// gives double, and a typed number beyond single range gives no value at all.
// Arithmetic stays single only while no operand is double, so shown digits depend on
// where a value came from.
//
// Eight bytes, so that a million points take half the memory: a double is held as it is,
// and the other kinds live among the signalling NaNs, which no arithmetic produces.
class Number {
public:
    enum class Kind : std::uint8_t { Empty, Single, Double };

    constexpr Number() = default;
    static constexpr Number fromSingle(float v) { return Number(kTag | kSingleFlag | std::bit_cast<std::uint32_t>(v)); }
    static constexpr Number fromDouble(double v)
    {
        // A NaN is a NaN whatever its payload; one that would read as a tag becomes the quiet one.
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(v);
        return Number((bits & kTagMask) == kTag ? kQuietNaN : bits);
    }

    constexpr Kind kind() const
    {
        if ((bits_ & kTagMask) != kTag) return Kind::Double;
        return (bits_ & kSingleFlag) != 0 ? Kind::Single : Kind::Empty;
    }
    constexpr bool isEmpty() const { return bits_ == kTag; }
    constexpr bool isSingle() const { return kind() == Kind::Single; }
    constexpr bool isDouble() const { return (bits_ & kTagMask) != kTag; }

    // The value widened to double; no value reads as 0.
    constexpr double value() const
    {
        if ((bits_ & kTagMask) != kTag) return std::bit_cast<double>(bits_);
        return static_cast<double>(std::bit_cast<float>(static_cast<std::uint32_t>(bits_)));
    }

    // Equal kinds and equal values, as doubles compare (0 equals -0, a NaN nothing).
    friend constexpr bool operator==(Number a, Number b) { return a.kind() == b.kind() && a.value() == b.value(); }

private:
    static constexpr std::uint64_t kTagMask = 0xFFFF'0000'0000'0000;
    static constexpr std::uint64_t kTag = 0x7FF5'0000'0000'0000;
    static constexpr std::uint64_t kSingleFlag = std::uint64_t{1} << 32;
    static constexpr std::uint64_t kQuietNaN = 0x7FF8'0000'0000'0000;

    constexpr explicit Number(std::uint64_t bits) : bits_(bits) {}

    // Empty holds +0.0f in its low half, so it reads as 0.
    std::uint64_t bits_ = kTag;
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
