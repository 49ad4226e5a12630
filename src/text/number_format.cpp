#include "text/decimal_digits.h"
#include "text/number_text.h"
#include "text/powers_of_ten.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace quorlin {

namespace {

// Every shown value is first taken to this many significant digits, so a value such as
// 2.675 (stored a hair below) still rounds up as its decimal text says.
constexpr int kDisplayDigits = 15;

// What a display pattern asks for: "0" digits always shown, a point for the decimal
// separator, and "E-"/"E+" with "0"s for the exponent. A "#" marks an integer digit shown
// only when significant, which every integer digit is, so it changes nothing.
struct Pattern {
    int minIntegerDigits = 0;
    bool hasSeparator = false;
    int decimals = 0;
    bool scientific = false;
    bool exponentPlusSign = false;
    int minExponentDigits = 0;
};

Pattern parsePattern(std::string_view text)
{
    Pattern p;
    enum class Section { Integer, Decimals, Exponent } section = Section::Integer;
    for (const char c : text) {
        if (c == '.' && section == Section::Integer) {
            p.hasSeparator = true;
            section = Section::Decimals;
        } else if (c == 'E' || c == 'e') {
            p.scientific = true;
            section = Section::Exponent;
        } else if (c == '+' && section == Section::Exponent) {
            p.exponentPlusSign = true;
        } else if (c == '0') {
            if (section == Section::Integer)
                ++p.minIntegerDigits;
            else if (section == Section::Decimals)
                ++p.decimals;
            else
                ++p.minExponentDigits;
        }
    }
    return p;
}

std::string nonFiniteText(double value)
{
    if (std::isnan(value)) return "NaN";
    return value < 0 ? "-Infinity" : "Infinity";
}

std::string padLeft(std::string text, int width, char fill)
{
    if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<std::size_t>(width) - text.size(), fill);
    return text;
}

// The digits from place `high` down to place `low`.
std::string digitRun(const DecimalDigits& d, int high, int low)
{
    std::string run;
    for (int place = high; place >= low; --place) run.push_back(d.digitAt(place));
    return run;
}

std::string exponentText(int exponent, bool plusSign, int minDigits)
{
    std::string text = exponent < 0 ? "-" : (plusSign ? "+" : "");
    return text + padLeft(std::to_string(std::abs(exponent)), minDigits, '0');
}

std::string formatFixed(const DecimalDigits& d, const Pattern& p, char separator)
{
    std::string text = d.isZero() || d.exponent < 0 ? std::string() : digitRun(d, d.exponent, 0);
    text = padLeft(std::move(text), p.minIntegerDigits, '0');
    if (p.hasSeparator) text.push_back(separator);
    return text + digitRun(d, -1, -p.decimals);
}

std::string formatScientific(const DecimalDigits& d, const Pattern& p, char separator)
{
    // Zero keeps the exponent 0; otherwise the first digit is the non-zero one.
    std::string text(1, d.isZero() ? '0' : d.digits[0]);
    if (p.hasSeparator) text.push_back(separator);
    text += digitRun(d, d.exponent - 1, d.exponent - p.decimals);
    return text + 'E' + exponentText(d.exponent, p.exponentPlusSign, p.minExponentDigits);
}

// The shown digits rounded to whole hundredths, halves away from zero, as formatFixed
// rounds them: the digits run from place `exponent` down, so those below place -2 go.
std::uint64_t hundredths(const RoundedInteger& shown)
{
    const int dropped = kDisplayDigits - 3 - shown.exponent;
    if (dropped <= 0) return shown.digits * kPowersOfTen[static_cast<std::size_t>(-dropped)];
    if (dropped > kDisplayDigits) return 0;
    const std::uint64_t unit = kPowersOfTen[static_cast<std::size_t>(dropped)];
    return (shown.digits + unit / 2) / unit;
}

}  // namespace

std::string formatNumber(double value, std::string_view pattern, const RegionalSettings& regional)
{
    if (!std::isfinite(value)) return nonFiniteText(value);
    const Pattern p = parsePattern(pattern);
    const DecimalDigits shown = roundedDigits(value, kDisplayDigits);
    // Scientific patterns keep one digit before the separator; carrying 9.96 up to 10.0
    // moves the exponent, which roundToCount already does.
    const DecimalDigits d = p.scientific ? roundToCount(shown, 1 + p.decimals) : roundToPlace(shown, -p.decimals);
    const std::string text =
        p.scientific ? formatScientific(d, p, regional.decimalSeparator) : formatFixed(d, p, regional.decimalSeparator);
    // A negative value that rounds to zero shows as zero, not as "-0.00".
    return value < 0 && !d.isZero() ? "-" + text : text;
}

void appendTwoDecimalText(std::string& out, double value, const RegionalSettings& regional)
{
    // Below 2^52 and above some 10^-5 the shown digits fit a 64-bit integer; the rest
    // (zero, tiny, huge, not finite) takes the general way.
    const std::optional<RoundedInteger> shown =
        std::isfinite(value) && value != 0.0 ? roundedInteger(std::fabs(value), kDisplayDigits) : std::nullopt;
    if (!shown) {
        out += formatNumber(value, "###0.00", regional);
        return;
    }
    const std::uint64_t cents = hundredths(*shown);
    std::array<char, 32> text{};
    char* end = text.data();
    if (value < 0 && cents != 0) *end++ = '-';
    end = std::to_chars(end, text.data() + text.size(), cents / 100).ptr;
    *end++ = regional.decimalSeparator;
    *end++ = static_cast<char>('0' + cents / 10 % 10);
    *end++ = static_cast<char>('0' + cents % 10);
    out.append(text.data(), end);
}

}  // namespace quorlin
