// Any double (the first 8 input bytes as its bits) through every display pattern, in
// both conventions.
#include "fuzz_harness.h"

constexpr std::string_view kPatterns[] = {
    "###0",         "###0.",   "###0.0", "###0.00", "###0.000", "###0.0000", "###0.00000", "###0.000000",
    "###0.0000000", "#0.0000", "0.0",    "0.00",    "0.000",    "0.0E-00",   "0.00E-0",    "0.0E-0"};

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const double value = fuzz::bitsOf<double>(data, size);
    for (const quorlin::RegionalSettings& regional : fuzz::kRegions) {
        for (const std::string_view pattern : kPatterns) {
            const std::string text = quorlin::formatNumber(value, pattern, regional);
            FUZZ_CHECK(std::isfinite(value)
                       || text
                              == (std::isnan(value) ? "NaN"
                                  : value < 0       ? "-Infinity"
                                                    : "Infinity"));
            if (!std::isfinite(value)) continue;
            // The pattern's separator and decimals after at least one digit, exactly one in
            // exponent form, and that one zero only for zero.
            const std::size_t e = std::min(text.find('E'), text.size()), point = text.find(regional.decimalSeparator);
            const std::size_t patternE = std::min(pattern.find('E'), pattern.size()), patternPoint = pattern.find('.');
            const std::size_t first = text.starts_with('-');
            const int decimals = point == fuzz::npos ? 0 : static_cast<int>(e - point - 1);
            const bool exponentForm = e < text.size();
            FUZZ_CHECK(exponentForm == (patternE < pattern.size()));
            FUZZ_CHECK((point == fuzz::npos) == (patternPoint == fuzz::npos));
            FUZZ_CHECK(point == fuzz::npos || e - point == patternE - patternPoint);
            FUZZ_CHECK(exponentForm ? point == first + 1 && (text[first] != '0' || value == 0)
                                    : std::min(point, e) > first);
            // Rounded to 15 significant digits first, then to the digits shown.
            const long double shown = fuzz::readBack(text, regional.decimalSeparator);
            const long double unit = std::pow(10.0L, (exponentForm ? std::atoi(&text[e + 1]) : 0) - decimals);
            FUZZ_CHECK(std::fabs(shown - value) <= unit / 2 * (1 + 1e-12L) + std::fabs(value) * 6e-15L);
            FUZZ_CHECK(text.starts_with('-') == (value < 0 && shown != 0));
        }
    }
    return 0;
}
