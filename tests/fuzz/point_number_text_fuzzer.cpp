// Any value as the point number text of a grid cell: the first byte picks double, single
// or no value, the next 8 or 4 bytes its bits.
#include "fuzz_harness.h"

using quorlin::Number;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const int kind = size > 0 ? data[0] % 3 : 0;
    const std::size_t bits = size > 0 ? size - 1 : 0;
    const Number number = kind == 0   ? Number::fromDouble(fuzz::bitsOf<double>(data + 1, bits))
                          : kind == 1 ? Number::fromSingle(fuzz::bitsOf<float>(data + 1, bits))
                                      : Number();
    const double v = number.value();
    const std::string text = quorlin::pointNumberText(number);
    if (!std::isfinite(v) || v == 0.0) {
        FUZZ_CHECK(text == (std::isnan(v) ? " NaN" : v == 0.0 ? " 0" : v < 0 ? "-Infinity" : " Infinity"));
        return 0;
    }
    // A sign or a blank, no zero before the point, no trailing zeros after it.
    const long double shown = fuzz::readBack(text);
    const std::size_t e = std::min(text.find('E'), text.size()), point = std::min(text.find('.'), e);
    FUZZ_CHECK(text[0] == (v < 0 ? '-' : ' ') && text[1] != '0' && (point == e || text[e - 1] != '0'));
    std::string digits = text.substr(1, e - 1);
    if (point < e) digits.erase(point - 1, 1);
    // 7 or 15 significant digits, in exponent form when the rounded value needs more places.
    const int significant = number.isSingle() ? 7 : 15;
    const std::size_t first = digits.find_first_not_of('0'), last = digits.find_last_not_of('0');
    const int exponent = (e < text.size() ? std::atoi(&text[e + 1]) : 0) + static_cast<int>(point - 1 - first) - 1;
    FUZZ_CHECK(first != fuzz::npos && last - first < static_cast<std::size_t>(significant));
    FUZZ_CHECK((e < text.size()) == (exponent >= significant || exponent < -4) && (e == text.size() || point == 2));
    // A tie may round either way in the read-back itself, hence the slack.
    FUZZ_CHECK(std::fabs(shown - v) <= std::pow(10.0L, exponent - significant + 1) / 2 + std::fabs(v) * 1e-18L);
    // Read back (as typed, for a single) it shows the same again; fifteen digits near the
    // top of double range read back beyond it.
    const Number again = number.isSingle() ? quorlin::textToNumber(text, fuzz::kRegions[0]).number
                                           : Number::fromDouble(static_cast<double>(shown));
    if (std::isfinite(again.value())) FUZZ_CHECK(quorlin::pointNumberText(again) == text);
    return 0;
}
