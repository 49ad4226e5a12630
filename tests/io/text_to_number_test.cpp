#include "io/regional_conventions.h"

#include <gtest/gtest.h>

#include <cfloat>

namespace quorlin {
namespace {

using testing::kCommaRegion;
using testing::kPointRegion;

void expectSingle(std::string_view text, const RegionalSettings& regional, float expected)
{
    const NumberEntry entry = TextToNumber(text, regional);
    EXPECT_FALSE(entry.outOfRange) << text;
    EXPECT_TRUE(entry.number.isSingle()) << text;
    EXPECT_EQ(entry.number.value(), static_cast<double>(expected)) << text;
}

void expectDouble(std::string_view text, const RegionalSettings& regional, double expected)
{
    const NumberEntry entry = TextToNumber(text, regional);
    EXPECT_FALSE(entry.outOfRange) << text;
    EXPECT_TRUE(entry.number.isDouble()) << text;
    EXPECT_EQ(entry.number.value(), expected) << text;
}

void expectOutOfRange(std::string_view text, const RegionalSettings& regional)
{
    const NumberEntry entry = TextToNumber(text, regional);
    EXPECT_TRUE(entry.outOfRange) << text;
    EXPECT_TRUE(entry.number.isEmpty()) << text;
}

TEST(FixDecimalSeparator, SwapsOnlyTheFirstSeparatorOfTheOtherConvention)
{
    EXPECT_EQ(FixDecimalSeparator("1,5", kPointRegion), "1.5");
    EXPECT_EQ(FixDecimalSeparator("1,2,3", kPointRegion), "1.2,3");
    EXPECT_EQ(FixDecimalSeparator("1.5", kPointRegion), "1.5");
    EXPECT_EQ(FixDecimalSeparator("1.5", kCommaRegion), "1,5");
    EXPECT_EQ(FixDecimalSeparator("1.2.3", kCommaRegion), "1,2.3");
    EXPECT_EQ(FixDecimalSeparator("1,5", kCommaRegion), "1,5");
    EXPECT_EQ(FixDecimalSeparator("", kCommaRegion), "");
}

TEST(TextToNumber, EitherSeparatorIsDecimalInBothConventions)
{
    for (const auto& region : {kPointRegion, kCommaRegion}) {
        expectSingle("1.5", region, 1.5f);
        expectSingle("1,5", region, 1.5f);
        expectSingle("1,234", region, 1.234f);
        expectSingle("1.234", region, 1.234f);
        expectSingle("-3.5e2", region, -350.0f);
        expectSingle("-3,5E+2", region, -350.0f);
    }
}

TEST(TextToNumber, TypedNumbersAreSinglePrecision)
{
    const NumberEntry tenth = TextToNumber("0.1", kPointRegion);
    ASSERT_TRUE(tenth.number.isSingle());
    EXPECT_EQ(tenth.number.value(), 0.100000001490116119384765625);
    EXPECT_NE(tenth.number.value(), 0.1);
    // Rounded straight from the decimal text: through double this lands exactly halfway
    // between two singles and goes down to 1.
    expectSingle("1.00000005960464477539062500000001", kPointRegion, 1.00000011920928955078125f);
    expectSingle("1.0000000596046447753906249999", kPointRegion, 1.0f);
}

TEST(TextToNumber, AcceptsBlanksSignsAndBareSeparators)
{
    expectSingle("  42  ", kPointRegion, 42.0f);
    expectSingle("\t+7", kPointRegion, 7.0f);
    expectSingle(".5", kPointRegion, 0.5f);
    expectSingle("5.", kPointRegion, 5.0f);
    expectSingle("-,25", kCommaRegion, -0.25f);
    expectSingle("1e3", kCommaRegion, 1000.0f);
    expectSingle("2E-3", kPointRegion, 0.002f);
}

TEST(TextToNumber, GroupingSymbolsOnlyBetweenIntegerDigits)
{
    const RegionalSettings blankGrouping{',', ' '};
    expectSingle("1 234,5", blankGrouping, 1234.5f);
    expectSingle("12 345 678", blankGrouping, 12345678.0f);
    // A grouping symbol elsewhere makes the text not a number: the leading part is read.
    expectDouble("1 234,5 6", blankGrouping, 1234.0);
    // With a point convention the first comma is decimal, so a second comma ends the number.
    expectDouble("1,234,567", kPointRegion, 1.0);
    expectDouble("1.234.567", kCommaRegion, 1.234);
}

TEST(TextToNumber, NonNumbersGiveTheirLeadingNumberInDoublePrecision)
{
    for (const auto& region : {kPointRegion, kCommaRegion}) {
        expectDouble("", region, 0.0);
        expectDouble("abc", region, 0.0);
        expectDouble("12abc", region, 12.0);
        expectDouble("-", region, 0.0);
        expectDouble(".", region, 0.0);
        expectDouble("1.5.3", region, 1.5);
        expectDouble("1 2 3x", region, 123.0);
        expectDouble("- 2.5e 1kg", region, -25.0);
        expectDouble("4e", region, 4.0);
        expectDouble("4e+x", region, 4.0);
        expectDouble("1e39abc", region, 1e39);
        expectDouble("inf", region, 0.0);
        expectDouble("nan", region, 0.0);
        expectDouble("0x10", region, 0.0);
    }
    // The leading part is read from the text as typed, a point being its only separator.
    expectDouble("2,5x", kCommaRegion, 2.0);
    expectDouble("2.5x", kCommaRegion, 2.5);
}

TEST(TextToNumber, BeyondSingleRangeGivesNoValue)
{
    for (const auto& region : {kPointRegion, kCommaRegion}) {
        expectOutOfRange("1e39", region);
        expectOutOfRange("-1e39", region);
        expectOutOfRange("3.4028236e38", region);
        expectOutOfRange("1e99999999999999999999", region);
        expectOutOfRange("1e400 cm", region);
    }
    expectSingle("3.4028234e38", kPointRegion, FLT_MAX);
}

TEST(TextToNumber, MagnitudesBelowSingleRangeBecomeZero)
{
    expectSingle("1e-50", kPointRegion, 0.0f);
    expectSingle("-1e-99999999999999999999", kPointRegion, -0.0f);
    expectSingle("1e-40", kPointRegion, 1e-40f);
    expectSingle("0.000e999", kPointRegion, 0.0f);
    expectDouble("1e-400x", kPointRegion, 0.0);
}

}  // namespace
}  // namespace quorlin
