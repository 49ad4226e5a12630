#include "core/adjusted_uncertainty.h"
#include "core/adjustment.h"
#include "core/reading_inversion.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorlin {
namespace {

// Ezero 400, Slope 59, j corr −101: emf rises from 299 mV at pH 0 to 339.23 mV at the turn,
// pH* = 0.595685050840, and falls beyond it. Fitted points above, below and across it.
constexpr ElectrodeParameters kTurning{0, 400, 59, -101};
constexpr CalibratedSpan kAbove{220, 300, 1.7, 3}, kBelow{290, 330, 0.1, 0.5}, kAcross{220, 330, 0.3, 3};

// Roots, adjusted values and d adjusted / d emf computed once with mpmath (40 digits) on
// the branch each search should take.
TEST(ReadingInversion, SearchesTheCalibratedSideOfATurnAndFlagsWhatIsDoubtful)
{
    const struct {
        CalibratedSpan span;
        double emf;
        ReadingFlags flags;
        double pH, adjusted, readingSlope;
    } cases[] = {
        {kAbove, 250, 0, 2.53740623628, 250.29303206, 1.0115684208},  // pH 0 and 14 bracket it
        {kAbove, 322.827, kOutsideCalibration | kTurningPoint, 1.20000746327, 329.199559667, 1.33102804971},
        {kAbove, 310, kOutsideCalibration | kTurningPoint, 1.4670186348, 313.445900547, 1.15537840624},
        {kBelow, 322.827, kTurningPoint, 0.181876995204, 389.269257283, -0.62773335875},
        {kAbove, 345, kOutsideCalibration | kNoRoot, 0, 446, 1},  // above the top: as at pH 0
        {kAcross, 322.827, kNoRoot | kTurningPoint, 0, 423.827, 1},
        {kAcross, 250, kTurningPoint, 2.53740623628, 250.29303206, 1.0115684208},
    };
    for (const auto& c : cases) {
        const ReadingInversion inversion(kTurning, c.span);
        ASSERT_TRUE(inversion.turn());
        EXPECT_NEAR(inversion.turn()->pH, 0.595685050840, 1e-11);
        const Inversion found = inversion.invert(c.emf);
        // The 1E-5 bounds the end point's last move; false position can sit a little further off.
        if (found.kind == Inversion::Kind::Root) {
            EXPECT_NEAR(found.pH, c.pH, 2e-5) << c.emf;
        }
        // Off the turn the search is the one on pH 0..14, to the bit.
        if (!found.pastTurn) {
            EXPECT_EQ(found.pH, findPhByFalsePosition(kTurning, c.emf).pH) << c.emf;
        }
        EXPECT_NEAR(adjustedEmfReadingSlope(kTurning, found), c.readingSlope, 1e-4) << c.emf;
        const AdjustmentResult result = adjustData({1, {}, {Number(), Number::fromDouble(c.emf)}}, inversion);
        ASSERT_EQ(result.adjusted.size(), 1u);
        // 2E-5 pH moves the adjusted value by up to 0.003 mV on the steep lower branch.
        EXPECT_NEAR(result.adjusted[0], c.adjusted, 5e-3) << c.emf;
        EXPECT_EQ(result.flags.points, std::vector<ReadingFlags>{c.flags}) << c.emf;
    }
    // An electrode function that does not turn inside pH 0..14 has nothing to search.
    EXPECT_FALSE(ReadingInversion({0, 400, 59, 20}, kAbove).turn());
    EXPECT_FALSE(ReadingInversion({0, 400, 59, -20}, kAbove).turn());
}

}  // namespace
}  // namespace quorlin
