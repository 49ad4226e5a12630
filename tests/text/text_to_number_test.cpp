#include "text/regional_conventions.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <type_traits>

namespace quorlin {
namespace {

using testing::kCommaRegion;
using testing::kPointRegion;

template <typename T>
struct Reading {
    std::string_view text;
    T value;
};

// A number reads as single precision (float rows), any other text as the double value of
// its leading numeric part (double rows); both exactly.
template <typename T>
void expectReadings(const RegionalSettings& regional, std::initializer_list<Reading<T>> rows)
{
    for (const auto& [text, value] : rows) {
        SCOPED_TRACE(text);
        const NumberEntry entry = textToNumber(text, regional);
        EXPECT_FALSE(entry.outOfRange);
        EXPECT_EQ(entry.number.isSingle(), (std::is_same_v<T, float>));
        EXPECT_EQ(entry.number.isDouble(), (std::is_same_v<T, double>));
        EXPECT_EQ(entry.number.value(), static_cast<double>(value));
    }
}

TEST(fixDecimalSeparator, SwapsOnlyTheFirstSeparatorOfTheOtherConvention)
{
    const struct { std::string_view text; RegionalSettings regional; std::string_view fixed; } rows[] = {
        {"1,5", kPointRegion, "1.5"}, {"1,2,3", kPointRegion, "1.2,3"}, {"1.5", kPointRegion, "1.5"},
        {"1.5", kCommaRegion, "1,5"}, {"1.2.3", kCommaRegion, "1,2.3"}, {"1,5", kCommaRegion, "1,5"},
        {"", kCommaRegion, ""}};
    for (const auto& row : rows) EXPECT_EQ(fixDecimalSeparator(row.text, row.regional), row.fixed) << row.text;
}

TEST(textToNumber, TypedNumbersAreSinglePrecisionWithEitherSeparatorInBothConventions)
{
    for (const auto& region : {kPointRegion, kCommaRegion}) {
        expectReadings<float>(region, {
            {"1.5", 1.5f}, {"1,5", 1.5f}, {"1,234", 1.234f}, {"1.234", 1.234f}, {"-3.5e2", -350.0f},
            {"-3,5E+2", -350.0f}, {"  42  ", 42.0f}, {"\t+7", 7.0f}, {".5", 0.5f}, {"5.", 5.0f},
            {"-,25", -0.25f}, {"1e3", 1000.0f}, {"2E-3", 0.002f},
            // 0.1 widens to 0.100000001490116..., not to the double 0.1.
            {"0.1", 0.1f},
            // Rounded straight from the decimal text: through double the first lands exactly
            // halfway between two singles and would go down to 1.
            {"1.00000005960464477539062500000001", 1.00000011920928955078125f},
            {"1.0000000596046447753906249999", 1.0f},
            {"3.4028234e38", FLT_MAX},
            // Magnitudes below single range become zero.
            {"1e-50", 0.0f}, {"-1e-99999999999999999999", -0.0f}, {"1e-40", 1e-40f}, {"0.000e999", 0.0f}});
    }
}

TEST(textToNumber, GroupingSymbolsOnlyBetweenIntegerDigits)
{
    const RegionalSettings blankGrouping{',', ' '};
    expectReadings<float>(blankGrouping, {{"1 234,5", 1234.5f}, {"12 345 678", 12345678.0f}});
    // A grouping symbol elsewhere makes the text not a number: the leading part is read.
    expectReadings<double>(blankGrouping, {{"1 234,5 6", 1234.0}});
    // With a point convention the first comma is decimal, so a second comma ends the number.
    expectReadings<double>(kPointRegion, {{"1,234,567", 1.0}});
    expectReadings<double>(kCommaRegion, {{"1.234.567", 1.234}});
}

TEST(textToNumber, NonNumbersGiveTheirLeadingNumberInDoublePrecision)
{
    for (const auto& region : {kPointRegion, kCommaRegion}) {
        expectReadings<double>(region, {
            {"", 0.0}, {"abc", 0.0}, {"12abc", 12.0}, {"-", 0.0}, {".", 0.0}, {"1.5.3", 1.5},
            {"1 2 3x", 123.0}, {"- 2.5e 1kg", -25.0}, {"4e", 4.0}, {"4e+x", 4.0}, {"1e39abc", 1e39},
            {"inf", 0.0}, {"nan", 0.0}, {"0x10", 0.0}, {"1e-400x", 0.0}});
    }
    // The leading part is read from the text as typed, a point being its only separator.
    expectReadings<double>(kCommaRegion, {{"2,5x", 2.0}, {"2.5x", 2.5}});
}

TEST(textToNumber, BeyondSingleRangeGivesNoValue)
{
    for (const auto& region : {kPointRegion, kCommaRegion}) {
        for (const std::string_view text : {"1e39", "-1e39", "3.4028236e38", "1e99999999999999999999", "1e400 cm"}) {
            const NumberEntry entry = textToNumber(text, region);
            EXPECT_TRUE(entry.outOfRange) << text;
            EXPECT_TRUE(entry.number.isEmpty()) << text;
        }
    }
}

}  // namespace
}  // namespace quorlin
