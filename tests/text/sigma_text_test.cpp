#include "text/sigma_text.h"

#include <gtest/gtest.h>

namespace quorlin {
namespace {

const RegionalSettings kPoint{'.', ','};

TEST(oneFigureText, OneSignificantFigureWithJustEnoughDecimals)
{
    const std::pair<double, std::string> cases[] = {
        {0.0234, "0.02"}, {0.096, "0.10"}, {3.7, "4.0"}, {0.0, "0"}, {3.3e-9, "0.000000003"}};
    for (const auto& [sigma, text] : cases) EXPECT_EQ(oneFigureText(sigma, kPoint), text) << sigma;
}

TEST(parameterCaption, ValueToTheDecimalsOfItsDeviation)
{
    const struct {
        double value, sigma;
        std::string caption;
    } cases[] = {{412.3456, 0.0234, "412.35\u00B10.02"},
                 {57.123, 3.7, "57.1\u00B14"},
                 {57.123, 15.2, "57.12\u00B115"},
                 {412.3456, 0.0, "412.35\u00B10"}};
    for (const auto& c : cases)
        EXPECT_EQ(parameterCaption(c.value, c.sigma, oneFigureText(c.sigma, kPoint), kPoint), c.caption);
}

}  // namespace
}  // namespace quorlin
