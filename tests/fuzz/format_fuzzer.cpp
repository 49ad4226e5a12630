// Any double (the first 8 input bytes as its bit pattern) through every display pattern,
// with a point and with a comma as decimal separator.
#include "fuzz_check.h"
#include "text/number_text.h"

#include <clocale>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct PatternShape {
    const char* pattern;
    bool separator;
    int decimals;
    bool scientific;
    int minExponentDigits;
};

constexpr PatternShape kPatterns[] = {
    {"###0", false, 0, false, 0},       {"###0.", true, 0, false, 0},
    {"###0.0", true, 1, false, 0},      {"###0.00", true, 2, false, 0},
    {"###0.000", true, 3, false, 0},    {"###0.0000", true, 4, false, 0},
    {"###0.00000", true, 5, false, 0},  {"###0.000000", true, 6, false, 0},
    {"###0.0000000", true, 7, false, 0}, {"#0.0000", true, 4, false, 0},
    {"0.0", true, 1, false, 0},         {"0.00", true, 2, false, 0},
    {"0.000", true, 3, false, 0},       {"0.0E-00", true, 1, true, 2},
    {"0.00E-0", true, 2, true, 1},      {"0.0E-0", true, 1, true, 1},
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t DigitRun(const std::string& text, std::size_t from)
{
    std::size_t end = from;
    while (end < text.size() && IsDigit(text[end])) ++end;
    return end - from;
}

// The shown text read back, with the separator as a point.
long double ReadBack(std::string text, char separator)
{
    for (char& c : text)
        if (c == separator) c = '.';
    return std::strtold(text.c_str(), nullptr);
}

void CheckFinite(double value, const PatternShape& shape, char separator, const std::string& text)
{
    std::size_t i = text.starts_with('-') ? 1 : 0;
    const std::size_t integer = DigitRun(text, i);
    FUZZ_CHECK(integer >= 1);
    FUZZ_CHECK(text[i] != '0' || integer == 1);  // no leading zeros
    if (shape.scientific) FUZZ_CHECK(integer == 1 && (text[i] != '0' || value == 0.0));
    i += integer;
    if (shape.separator) FUZZ_CHECK(i < text.size() && text[i++] == separator);
    FUZZ_CHECK(DigitRun(text, i) == static_cast<std::size_t>(shape.decimals));
    i += static_cast<std::size_t>(shape.decimals);

    long double unit = std::pow(10.0L, -shape.decimals);  // of the last digit shown
    if (shape.scientific) {
        FUZZ_CHECK(i < text.size() && text[i++] == 'E');
        if (i < text.size() && text[i] == '-') ++i;
        const std::size_t exponentDigits = DigitRun(text, i);
        FUZZ_CHECK(exponentDigits >= static_cast<std::size_t>(shape.minExponentDigits));
        FUZZ_CHECK(exponentDigits == static_cast<std::size_t>(shape.minExponentDigits) || text[i] != '0');
        unit *= std::pow(10.0L, std::strtol(text.c_str() + text.find('E') + 1, nullptr, 10));
        i += exponentDigits;
    }
    FUZZ_CHECK(i == text.size());

    // Rounded to 15 significant digits first, then to the digits shown.
    const long double shown = ReadBack(text, separator);
    const long double exact = value;
    const long double tolerance = unit / 2 * (1 + 1e-12L) + std::fabs(exact) * 6e-15L;
    FUZZ_CHECK(std::fabs(shown - exact) <= tolerance);
    // A minus sign only on a negative value that does not round to zero.
    FUZZ_CHECK(text.starts_with('-') == (value < 0 && shown != 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool cLocale = std::setlocale(LC_NUMERIC, "C") != nullptr;
    FUZZ_CHECK(cLocale);

    std::uint64_t bits = 0;
    std::memcpy(&bits, data, size < sizeof bits ? size : sizeof bits);
    double value;
    std::memcpy(&value, &bits, sizeof value);

    for (const quorlin::RegionalSettings regional : {quorlin::RegionalSettings{'.', ','},
                                                     quorlin::RegionalSettings{',', '.'}}) {
        for (const PatternShape& shape : kPatterns) {
            const std::string text = quorlin::formatNumber(value, shape.pattern, regional);
            if (std::isnan(value)) FUZZ_CHECK(text == "NaN");
            else if (std::isinf(value)) FUZZ_CHECK(text == (value < 0 ? "-Infinity" : "Infinity"));
            else CheckFinite(value, shape, regional.decimalSeparator, text);
        }
    }
    return 0;
}
