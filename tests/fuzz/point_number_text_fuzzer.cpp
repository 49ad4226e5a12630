// Any single or double value as the point number text of a grid cell. The first byte
// picks the kind (double, single or no value), the next 8 or 4 bytes the bit pattern.
#include "fuzz_check.h"
#include "text/number_text.h"

#include <clocale>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace {

using quorlin::Number;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

template <typename T>
T FromBits(const std::uint8_t* data, std::size_t size)
{
    unsigned char bytes[sizeof(T)] = {};
    std::memcpy(bytes, data, size < sizeof bytes ? size : sizeof bytes);
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// The text after its sign character: plain digits with at most one point, or a
// mantissa, "E", a sign and at least two exponent digits. Returns the significant
// digits and the exponent of the first of them.
struct Shape {
    std::string digits;
    int exponent = 0;
    bool exponentForm = false;
};

Shape CheckShape(const std::string& body)
{
    Shape shape;
    const auto e = body.find('E');
    const std::string mantissa = body.substr(0, e);
    const auto point = mantissa.find('.');
    FUZZ_CHECK(!mantissa.empty() && mantissa.back() != '.');
    std::string digits;
    for (std::size_t i = 0; i < mantissa.size(); ++i) {
        if (i == point) continue;
        FUZZ_CHECK(IsDigit(mantissa[i]));
        digits.push_back(mantissa[i]);
    }
    if (point != std::string::npos) FUZZ_CHECK(mantissa.back() != '0');  // no trailing zeros
    if (e != std::string::npos) {
        shape.exponentForm = true;
        FUZZ_CHECK(point == std::string::npos || point == 1);
        FUZZ_CHECK(mantissa[0] != '0');
        const std::string power = body.substr(e + 1);
        FUZZ_CHECK(power.size() >= 3 && (power[0] == '+' || power[0] == '-'));
        for (std::size_t i = 1; i < power.size(); ++i) FUZZ_CHECK(IsDigit(power[i]));
        FUZZ_CHECK(power.size() == 3 || power[1] != '0');
        shape.exponent = std::atoi(power.c_str());
    } else {
        // No zero before the point; a whole number has no point.
        FUZZ_CHECK(point != 0 || digits.find_first_not_of('0') != std::string::npos);
        FUZZ_CHECK(mantissa[0] != '0' || mantissa == "0");
        shape.exponent = static_cast<int>(point == std::string::npos ? digits.size() : point) - 1;
    }
    const auto first = digits.find_first_not_of('0');
    if (first != std::string::npos) {
        shape.exponent -= static_cast<int>(first);
        digits.erase(0, first);
    }
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    shape.digits = digits;
    return shape;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool cLocale = std::setlocale(LC_NUMERIC, "C") != nullptr;
    FUZZ_CHECK(cLocale);
    if (size == 0) return 0;

    const std::uint8_t kind = data[0] % 3;
    const Number number = kind == 0   ? Number::fromDouble(FromBits<double>(data + 1, size - 1))
                          : kind == 1 ? Number::fromSingle(FromBits<float>(data + 1, size - 1))
                                      : Number();
    const double v = number.value();
    const std::string text = quorlin::pointNumberText(number);

    if (!std::isfinite(v) || v == 0.0) {
        const char* expected = std::isnan(v) ? " NaN" : v == 0.0 ? " 0" : v < 0 ? "-Infinity" : " Infinity";
        FUZZ_CHECK(text == expected);
        return 0;
    }
    FUZZ_CHECK(text[0] == (v < 0 ? '-' : ' '));

    const int significant = number.isSingle() ? 7 : 15;
    const Shape shape = CheckShape(text.substr(1));
    FUZZ_CHECK(!shape.digits.empty());
    FUZZ_CHECK(shape.digits.size() <= static_cast<std::size_t>(significant));
    FUZZ_CHECK(shape.exponentForm == (shape.exponent >= significant || shape.exponent < -4));

    const long double shown = std::strtold(text.c_str(), nullptr);
    const long double unit = std::pow(10.0L, shape.exponent - significant + 1);
    // A tie may round either way by the read-back's own rounding, hence the slack.
    const long double exact = v;
    FUZZ_CHECK(std::fabs(shown - exact) <= unit / 2 + std::fabs(exact) * 1e-18L);
    // Fifteen digits always find their way back to the same double, except near the top
    // of the range, where they round beyond it.
    if (number.isDouble() && std::fabs(shown) <= std::numeric_limits<double>::max()) {
        FUZZ_CHECK(quorlin::pointNumberText(Number::fromDouble(std::strtod(text.c_str(), nullptr))) == text);
    }
    return 0;
}
