#include "text/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace quorlin {
namespace {

// Both conventions are explicit so that no test depends on the machine's locales.
constexpr RegionalSettings kPoint{'.', ','};
constexpr RegionalSettings kComma{',', '.'};
constexpr double kInf = HUGE_VAL;

Number s(float v) { return Number::fromSingle(v); }
Number d(double v) { return Number::fromDouble(v); }

using Readings = std::initializer_list<std::pair<const char*, Number>>;

// The kind matters as much as the value: typed numbers are single, junk is double.
void expectReadings(const RegionalSettings& regional, Readings rows)
{
    for (const auto& [text, expected] : rows) {
        const NumberEntry entry = textToNumber(text, regional);
        EXPECT_TRUE(entry.number == expected) << '"' << text << "\" gave " << entry.number.value();
        EXPECT_EQ(entry.outOfRange, expected.isEmpty()) << text;
    }
}

TEST(fixDecimalSeparator, SwapsOnlyTheFirstSeparatorOfTheOtherConvention)
{
    EXPECT_EQ(fixDecimalSeparator("1,2,3", kPoint), "1.2,3");
    EXPECT_EQ(fixDecimalSeparator("1.2.3", kComma), "1,2.3");
    EXPECT_EQ(fixDecimalSeparator("1,5", kComma), "1,5");
}

TEST(textToNumber, ReadsAlikeInBothConventions)
{
    const Readings singles = {{"1.5", s(1.5f)},     {"1,234", s(1.234f)}, {"-3,5E+2", s(-350.0f)},
                              {"  42  ", s(42.0f)}, {"\t+7", s(7.0f)},    {".5", s(0.5f)},
                              {"5.", s(5.0f)},      {"-,25", s(-0.25f)},  {"0.1", s(0.1f)},
                              {"1e-50", s(0.0f)},   {"1e-40", s(1e-40f)}, {"3.4028234e38", s(FLT_MAX)}};
    // Not a number: the double value of the leading numeric part.
    const Readings junk = {{"", d(0)},         {"abc", d(0)},          {"2S8.4", d(2)},  {"1.5.3", d(1.5)},
                           {"1 2 3x", d(123)}, {"- 2.5e 1kg", d(-25)}, {"4e+x", d(4)},   {"1e39abc", d(1e39)},
                           {"inf", d(0)},      {"0x10", d(0)},         {"1e-400x", d(0)}};
    // Beyond single range: no value at all.
    const Readings beyond = {
        {"1e39", {}}, {"-1e39", {}}, {"3.4028236e38", {}}, {"1e99999999999999999999", {}}, {"1e400 cm", {}}};
    for (const RegionalSettings& region : {kPoint, kComma}) {
        SCOPED_TRACE(region.decimalSeparator);
        for (const Readings& rows : {singles, junk, beyond}) expectReadings(region, rows);
        // Rounded straight from the text: through a double the first would tie and go down.
        expectReadings(region, {{"1.00000005960464477539062500000001", s(1.00000011920928955078125f)},
                                {"1.0000000596046447753906249999", s(1.0f)},
                                {"-1e-99999999999999999999", s(-0.0f)}});
    }
}

TEST(textToNumber, GroupingSymbolsOnlyBetweenIntegerDigits)
{
    expectReadings({',', ' '}, {{"1 234,5", s(1234.5f)}, {"12 345 678", s(12345678.0f)}, {"1 234,5 6", d(1234)}});
    // The first comma is decimal, so a second one ends the number.
    expectReadings(kPoint, {{"1,234,567", d(1)}});
    // The leading part is read as typed, with a point as its only separator.
    expectReadings(kComma, {{"1.234.567", d(1.234)}, {"2,5x", d(2)}, {"2.5x", d(2.5)}});
}

TEST(formatNumber, DisplayPatterns)
{
    using Rows = std::initializer_list<std::tuple<double, const char*, std::string>>;
    const Rows fixed = {{2.5, "###0", "3"},
                        {-2.5, "###0", "-3"},
                        {-0.5, "###0.", "-1."},
                        {0.5, "###0.00", "0.50"},
                        {0.00005, "###0.0000", "0.0001"},
                        {0.04321, "#0.0000", "0.0432"},
                        {-0.125, "0.00", "-0.13"},
                        {2.0005, "0.000", "2.001"},
                        {-0.001, "0.00", "0.00"},
                        {-0.4, "###0", "0"},
                        {1234567.891, "###0.00", "1234567.89"},
                        {-9.999995, "###0.00000", "-10.00000"},
                        {0.12345675, "###0.0000000", "0.1234568"},
                        {123456789012.0, "###0", "123456789012"}};
    // Stored a hair below the half they are written as, yet shown as written; only fifteen
    // digits count, so the third is 0.125000000000000.
    const Rows ties = {{2.675, "0.00", "2.68"},
                       {1.005, "###0.00", "1.01"},
                       {0.1249999999999999, "0.00", "0.13"},
                       {0.124999999999, "0.00", "0.12"}};
    const Rows exponent = {{-0.0, "0.0E-0", "0.0E0"},        {0.000123, "0.0E-00", "1.2E-04"},
                           {123000, "0.0E-00", "1.2E05"},    {0.000123, "0.00E-0", "1.23E-4"},
                           {-12345, "0.0E-0", "-1.2E4"},     {1.25, "0.0E-0", "1.3E0"},
                           {0.0, "0.0E-00", "0.0E00"},       {9.96, "0.0E-0", "1.0E1"},
                           {-0.0999, "0.0E-00", "-1.0E-01"}, {1e-300, "0.0E-00", "1.0E-300"}};
    const Rows extremes = {{NAN, "###0.00", "NaN"},
                           {kInf, "0.0E-0", "Infinity"},
                           {-kInf, "###0", "-Infinity"},
                           {DBL_TRUE_MIN, "###0.00", "0.00"},
                           {-DBL_TRUE_MIN, "0.0E-00", "-4.9E-324"},
                           {DBL_MAX, "0.0E-0", "1.8E308"},
                           {-1e308, "###0.00", "-1" + std::string(308, '0') + ".00"}};
    for (const Rows& rows : {fixed, ties, exponent, extremes})
        for (const auto& [value, pattern, text] : rows) EXPECT_EQ(formatNumber(value, pattern, kPoint), text) << value;
    const Rows comma = {{1.5, "0.0", "1,5"},
                        {1234567.891, "###0.00", "1234567,89"},
                        {12.4, "###0.", "12,"},
                        {0.000123, "0.00E-0", "1,23E-4"}};
    for (const auto& [value, pattern, text] : comma) EXPECT_EQ(formatNumber(value, pattern, kComma), text) << value;
}

TEST(pointNumberText, SignBlankSignificantDigitsAndExponentForm)
{
    using Rows = std::initializer_list<std::pair<Number, const char*>>;
    const Rows brief = {{d(0.5), " .5"},        {d(-0.25), "-.25"},      {d(50), " 50"},
                        {d(-0.0), " 0"},        {Number(), " 0"},        {s(0.1f), " .1"},
                        {d(0.00001), " 1E-05"}, {d(0.0001), " .0001"},   {d(-1.5e20), "-1.5E+20"},
                        {d(1e15), " 1E+15"},    {s(1e7f), " 1E+07"},     {d(1e-300), " 1E-300"},
                        {d(kInf), " Infinity"}, {d(-kInf), "-Infinity"}, {d(NAN), " NaN"}};
    // Exact ties, of a single and at a double's sixteenth digit, go away from zero.
    const Rows ties = {
        {s(1234568.5f), " 1234569"}, {s(-1234568.5f), "-1234569"}, {d(-0.1240081787109375), "-.124008178710938"}};
    const Rows full = {{s(123.456f), " 123.456"},
                       {s(9999999.0f), " 9999999"},
                       {s(2.0f / 3), " .6666667"},
                       {d(0.1f), " .100000001490116"},
                       {d(1.0 / 3), " .333333333333333"},
                       {d(2.0 / 3), " .666666666666667"},
                       {d(0.000099999), " 9.9999E-05"},
                       {d(999999999999999.0), " 999999999999999"},
                       {d(999999999999999.9), " 1E+15"},
                       {s(12345678.0f), " 1.234568E+07"},
                       {d(DBL_MAX), " 1.79769313486232E+308"},
                       {d(DBL_TRUE_MIN), " 4.94065645841247E-324"}};
    for (const Rows& rows : {brief, ties, full})
        for (const auto& [number, text] : rows) EXPECT_EQ(pointNumberText(number), text);
}

// The appending ways against the general ones, each value also negated and a hair either
// side: zeros, tiny, huge and non-finite values, decimals as files hold them, arbitrary bits.
TEST(appendedNumberText, SameBytesAsTheGeneralWay)
{
    // Ties at the second decimal or the fifteenth digit, carries, and the integer way's ends.
    std::vector<double> values = {2.675, 1.005, 0.125, 0.005, 0.0045, 0.001, 9.995, 999.995, 0.995, 0.1 + 0.2};
    const double ends[] = {
        0.0,     6.1e-5,  1e15,         0x1p52, 0x1p52 - 0.5, 99999999999999.995, 999999999999999.4, 9999999.5, 1e300,
        DBL_MAX, DBL_MIN, DBL_TRUE_MIN, NAN,    kInf};
    values.insert(values.end(), std::begin(ends), std::end(ends));
    for (int power = -20; power <= 20; ++power) values.push_back(std::pow(10.0, power));
    std::mt19937_64 random(11);
    for (int i = 0; i < 20000; ++i) {
        values.push_back(static_cast<double>(random() % 100000000) / std::pow(10.0, static_cast<double>(random() % 9)));
        values.push_back(
            std::ldexp(1.0 + static_cast<double>(random() >> 11) * 0x1p-53, static_cast<int>(random() % 80) - 30));
    }
    for (const double value : values) {
        for (const double v : {value, -value, std::nextafter(value, 0.0), std::nextafter(value, kInf)}) {
            for (const RegionalSettings& regional : {kPoint, kComma}) {
                std::string text = "x";
                appendTwoDecimalText(text, v, regional);
                EXPECT_EQ(text, "x" + formatNumber(v, "###0.00", regional)) << v;
            }
            std::vector<Number> numbers = {d(v)};
            if (!(std::fabs(v) > FLT_MAX)) numbers.push_back(s(static_cast<float>(v)));
            for (const Number number : numbers) {
                std::string text = "x";
                appendPointNumberText(text, number);
                EXPECT_EQ(text, "x" + pointNumberText(number)) << v;
            }
        }
    }
}

}  // namespace
}  // namespace quorlin
