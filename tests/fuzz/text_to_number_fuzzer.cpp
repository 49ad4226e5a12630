// Any text typed into a number field, in the point and in the comma convention.
#include "fuzz_check.h"
#include "text/number_text.h"

#include <clocale>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using quorlin::NumberEntry;

constexpr quorlin::RegionalSettings kPointRegion{'.', ','};
constexpr quorlin::RegionalSettings kCommaRegion{',', '.'};

void CheckEntry(const NumberEntry& entry)
{
    FUZZ_CHECK(entry.outOfRange == entry.number.isEmpty());
    const double v = entry.number.value();
    FUZZ_CHECK(std::isfinite(v));
    if (entry.number.isSingle()) FUZZ_CHECK(static_cast<double>(static_cast<float>(v)) == v);
}

std::size_t SkipDigits(std::string_view text, std::size_t i)
{
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    return i;
}

// A number as strtof reads it too: a sign, digits with perhaps a point, perhaps an
// exponent of up to four digits, nothing else.
bool IsPlainNumber(std::string_view text)
{
    std::size_t i = text.starts_with('-') || text.starts_with('+') ? 1 : 0;
    const std::size_t integerStart = i;
    i = SkipDigits(text, i);
    std::size_t mantissaDigits = i - integerStart;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionStart = ++i;
        i = SkipDigits(text, i);
        mantissaDigits += i - fractionStart;
    }
    if (mantissaDigits == 0 || mantissaDigits > 40) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
        const std::size_t exponentStart = i;
        i = SkipDigits(text, i);
        if (i == exponentStart || i - exponentStart > 4) return false;
    }
    return i == text.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    const NumberEntry point = quorlin::textToNumber(text, kPointRegion);
    const NumberEntry comma = quorlin::textToNumber(text, kCommaRegion);
    CheckEntry(point);
    CheckEntry(comma);
    // The first point or comma is the decimal separator in either convention.
    FUZZ_CHECK(point.number == comma.number && point.outOfRange == comma.outOfRange);

    FUZZ_CHECK(quorlin::fixDecimalSeparator(text, kPointRegion).size() == text.size());
    FUZZ_CHECK(quorlin::fixDecimalSeparator(text, kCommaRegion).size() == text.size());

    if (IsPlainNumber(text)) {
        static const bool cLocale = std::setlocale(LC_NUMERIC, "C") != nullptr;
        FUZZ_CHECK(cLocale);
        const float expected = std::strtof(text.c_str(), nullptr);
        if (std::isinf(expected)) {
            FUZZ_CHECK(point.outOfRange);
        } else {
            FUZZ_CHECK(point.number.isSingle());
            FUZZ_CHECK(point.number.value() == static_cast<double>(expected));
        }
    }
    return 0;
}
