#include "core/number.h"

#include <gtest/gtest.h>

namespace quorlin {
namespace {

const Number kTenth = Number::fromSingle(0.1f);

TEST(NumberPrecision, SingleOperandsGiveSingleResultsRoundedToSingle)
{
    const Number sum = kTenth + kTenth + kTenth;
    EXPECT_TRUE(sum.isSingle());
    EXPECT_EQ(sum.value(), static_cast<double>(0.1f + 0.1f + 0.1f));  // not 0.1 + 0.1 + 0.1
    const Number third = Number::fromSingle(1.0f) / Number::fromSingle(3.0f);
    EXPECT_TRUE(third.isSingle());
    EXPECT_EQ(third.value(), static_cast<double>(1.0f / 3.0f));
}

TEST(NumberPrecision, AnyDoubleOperandMakesDouble)
{
    const Number product = kTenth * Number::fromDouble(0.1);
    EXPECT_TRUE(product.isDouble());
    // The single value is widened exactly, not re-read as 0.1.
    EXPECT_EQ(product.value(), static_cast<double>(0.1f) * 0.1);
}

TEST(NumberPrecision, EmptyCountsAsZeroWithoutForcingDouble)
{
    const Number none;
    EXPECT_EQ(none.value(), 0.0);
    const Number sum = none + Number::fromSingle(2.5f);
    EXPECT_TRUE(sum.isSingle());
    EXPECT_EQ(sum.value(), 2.5);
    EXPECT_TRUE((none - Number::fromDouble(1.0)).isDouble());
    EXPECT_EQ((-Number::fromSingle(1.5f)).value(), -1.5);
}

}  // namespace
}  // namespace quorlin
