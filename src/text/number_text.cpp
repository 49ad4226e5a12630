#include "text/number_text.h"

#include "text/shortest_text.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <system_error>

namespace quorlin {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }
// The leading-number reading also steps over line breaks inside the text.
bool isSkippable(char c) { return isBlank(c) || c == '\n' || c == '\r'; }

// The pieces of a number text, digits only, in a form std::from_chars reads whatever
// the decimal separator was.
struct NumberParts {
    bool negative = false;
    std::string integerDigits;
    std::string fractionDigits;
    bool exponentNegative = false;
    std::string exponentDigits;

    bool hasMantissa() const { return !integerDigits.empty() || !fractionDigits.empty(); }

    std::string canonical() const
    {
        std::string text = negative ? "-" : "";
        text += integerDigits.empty() ? "0" : integerDigits;
        text += "." + fractionDigits;
        if (!exponentDigits.empty()) text += std::string(exponentNegative ? "e-" : "e") + exponentDigits;
        return text;
    }

    // Above 1 in magnitude, so a range error is an overflow rather than an underflow.
    bool isLarge() const
    {
        std::int64_t exponent = 0;
        for (const char c : exponentDigits) {
            if (exponent < 1'000'000'000) exponent = exponent * 10 + (c - '0');
        }
        if (exponentNegative) exponent = -exponent;

        std::int64_t lead = -1;  // power of ten of the first non-zero digit
        const auto firstInteger = integerDigits.find_first_not_of('0');
        if (firstInteger != std::string::npos) {
            lead = static_cast<std::int64_t>(integerDigits.size() - firstInteger) - 1;
        } else {
            const auto firstFraction = fractionDigits.find_first_not_of('0');
            if (firstFraction == std::string::npos) return false;
            lead = -static_cast<std::int64_t>(firstFraction) - 1;
        }
        return lead + exponent > 0;
    }
};

// Where a text is looked at, and which blanks are stepped over on the way.
class Cursor {
public:
    Cursor(std::string_view text, bool skipBlanksEverywhere) : text_(text), skipAll_(skipBlanksEverywhere) {}

    char peek()
    {
        if (skipAll_) skipWhile(isSkippable);
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    void advance() { ++pos_; }
    bool take(char c)
    {
        if (peek() != c) return false;
        advance();
        return true;
    }
    void skipWhile(bool (*pred)(char))
    {
        while (pos_ < text_.size() && pred(text_[pos_])) ++pos_;
    }
    bool atEnd()
    {
        peek();
        return pos_ >= text_.size();
    }
    std::size_t position() const { return pos_; }
    void rewind(std::size_t pos) { pos_ = pos; }

private:
    std::string_view text_;
    bool skipAll_;
    std::size_t pos_ = 0;
};

void readSign(Cursor& c, bool& negative)
{
    if (c.take('-'))
        negative = true;
    else
        c.take('+');
}

std::string readDigits(Cursor& c)
{
    std::string digits;
    while (isDigit(c.peek())) {
        digits.push_back(c.peek());
        c.advance();
    }
    return digits;
}

// Optional "E" with an optional sign and at least one digit; false when an "E" is not
// followed by a complete exponent (the cursor then stays before the "E").
bool readExponent(Cursor& c, NumberParts& parts)
{
    const std::size_t start = c.position();
    if (!c.take('e') && !c.take('E')) return true;
    readSign(c, parts.exponentNegative);
    parts.exponentDigits = readDigits(c);
    if (!parts.exponentDigits.empty()) return true;
    parts.exponentNegative = false;
    c.rewind(start);
    return false;
}

// The whole text as a number in the regional convention: blanks around it, an optional
// sign, digits with grouping symbols only between digits of the integer part, the
// regional decimal separator, digits, and an optional exponent.
std::optional<NumberParts> readRegional(std::string_view text, const RegionalSettings& regional)
{
    const char grouping = regional.groupingSymbol != regional.decimalSeparator ? regional.groupingSymbol : '\0';
    Cursor c(text, false);
    NumberParts parts;
    c.skipWhile(isBlank);
    readSign(c, parts.negative);
    while (true) {
        parts.integerDigits += readDigits(c);
        const std::size_t before = c.position();
        if (grouping == '\0' || parts.integerDigits.empty() || !c.take(grouping)) break;
        if (!isDigit(c.peek())) {
            c.rewind(before);
            break;
        }
    }
    if (c.take(regional.decimalSeparator)) parts.fractionDigits = readDigits(c);
    if (!parts.hasMantissa() || !readExponent(c, parts)) return std::nullopt;
    c.skipWhile(isBlank);
    if (!c.atEnd()) return std::nullopt;
    return parts;
}

// The longest leading part of the text that reads as a number with a point as decimal
// separator, blanks anywhere stepped over.
NumberParts readLeadingNumber(std::string_view text)
{
    Cursor c(text, true);
    NumberParts parts;
    readSign(c, parts.negative);
    parts.integerDigits = readDigits(c);
    if (c.take('.')) parts.fractionDigits = readDigits(c);
    if (parts.hasMantissa()) readExponent(c, parts);
    return parts;
}

template <typename T>
std::errc convert(const NumberParts& parts, T& value)
{
    const std::string text = parts.canonical();
    return std::from_chars(text.data(), text.data() + text.size(), value).ec;
}

// A range error below the smallest magnitude is taken as zero, not as a failure.
template <typename T>
std::optional<T> convertInRange(const NumberParts& parts)
{
    T value{};
    if (convert(parts, value) == std::errc()) return value;
    if (parts.isLarge()) return std::nullopt;
    return parts.negative ? -T{0} : T{0};
}

template <typename T>
void appendShortestText(std::string& out, T value)
{
    char text[kShortestTextCapacity];
    out.append(text, writeShortestText(text, value));
}

}  // namespace

void appendRoundTripText(std::string& out, float value) { appendShortestText(out, value); }

void appendRoundTripText(std::string& out, double value) { appendShortestText(out, value); }

std::string roundTripText(float value)
{
    std::string text;
    appendShortestText(text, value);
    return text;
}

std::string roundTripText(double value)
{
    std::string text;
    appendShortestText(text, value);
    return text;
}

std::string_view trimSpaces(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::string fixDecimalSeparator(std::string_view text, const RegionalSettings& regional)
{
    const std::string probe = formatNumber(3.0 / 2.0, "0.0", regional);
    const bool commaRegion = probe.size() > 1 && probe[1] == ',';
    const char from = commaRegion ? '.' : ',';
    const char to = commaRegion ? ',' : '.';

    std::string fixed(text);
    const auto first = fixed.find(from);
    if (first != std::string::npos) fixed[first] = to;
    return fixed;
}

NumberEntry textToNumber(std::string_view text, const RegionalSettings& regional)
{
    if (const auto parts = readRegional(fixDecimalSeparator(text, regional), regional)) {
        const auto value = convertInRange<float>(*parts);
        if (!value) return {Number(), true};
        return {Number::fromSingle(*value), false};
    }
    const NumberParts leading = readLeadingNumber(text);
    if (!leading.hasMantissa()) return {Number::fromDouble(0.0), false};
    const auto value = convertInRange<double>(leading);
    if (!value) return {Number(), true};
    return {Number::fromDouble(*value), false};
}

}  // namespace quorlin
