#include "core/initial_values.h"
#include "titration_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace quorlin {
namespace {

using testing::d;
using testing::kPointFormat;
using testing::s;
using testing::titration;

double modelPH(double c, double v0, double v) { return -std::log10(c * v / (v + v0)); }

// Captions as a previous calibration left them, so that an untouched caption shows.
Captions earlierCaptions()
{
    Captions c;
    c.Parameter = {"", "401.00", "58.00", "3.5"};
    return c;
}

TEST(computeInitialValues, ModelPHOfTheWorkedExample)
{
    Workspace ws = titration(s(0.1f), s(50.0f), {s(1.0f), s(2.0f)}, {s(300.0f), s(280.0f)});
    Captions captions;
    ASSERT_TRUE(computeInitialValues(ws, captions, kPointFormat).ok());
    EXPECT_NEAR(ws.CalH[1].value(), 0.00196078, 5e-9);
    EXPECT_NEAR(ws.CalPH[1].value(), 2.70757, 5e-6);
    EXPECT_NEAR(ws.CalPH[2].value(), modelPH(0.1, 50, 2), 1e-6);
    EXPECT_TRUE(ws.CalPH[1].isDouble());
    // Everything typed: [H+] is single.
    ASSERT_TRUE(ws.CalH[1].isSingle());
    EXPECT_EQ(ws.CalH[1].value(), static_cast<double>(0.1f * 1.0f / (1.0f + 50.0f)));
}

TEST(computeInitialValues, ModelHIsDoubleWhenVolumeOrEitherConstantIsDouble)
{
    Captions captions;
    const Workspace withDouble[] = {
        titration(d(0.1), s(50.0f), {s(1.0f)}, {s(300.0f)}),
        titration(s(0.1f), d(50.0), {s(1.0f)}, {s(300.0f)}),
        titration(s(0.1f), s(50.0f), {d(1.0)}, {s(300.0f)}),
    };
    for (Workspace ws : withDouble) {
        computeInitialValues(ws, captions, kPointFormat);
        EXPECT_TRUE(ws.CalH[1].isDouble());
        EXPECT_NEAR(ws.CalH[1].value(), 0.1 / 51.0, 1e-10);
    }
}

// A failed model names its point and leaves the captions as an earlier calibration left them.
ModelOutcome expectFailure(Workspace& ws, ModelOutcome::Failure failure, std::int32_t point)
{
    Captions captions = earlierCaptions();
    const ModelOutcome outcome = computeInitialValues(ws, captions, kPointFormat);
    EXPECT_EQ(outcome.failure, failure);
    EXPECT_EQ(outcome.point, point);
    EXPECT_EQ(captions.Parameter, earlierCaptions().Parameter);
    return outcome;
}

TEST(computeInitialValues, StartingLineThroughTwoPointsInEitherConvention)
{
    const double ph1 = modelPH(0.1, 50, 1);
    const double ph2 = modelPH(0.1, 50, 5);
    const auto line = [&](double ezero, double slope) {
        return titration(d(0.1), d(50), {d(1), d(5)}, {d(ezero - slope * ph1), d(ezero - slope * ph2)});
    };
    const struct { Workspace ws; RegionalSettings regional; std::array<std::string, 4> captions; } examples[] = {
        {line(412.3456, 59.16), {'.', ','}, {"", "412.35", "59.16", "0.0"}},
        // A negative intercept keeps its minus and both decimals; a rising emf gives a
        // negative starting slope.
        {line(-58.1, -10), {'.', ','}, {"", "-58.10", "-10.00", "0.0"}},
        // The literal j corr keeps its point.
        {line(400, 59), {',', '.'}, {"", "400,00", "59,00", "0.0"}}};
    for (auto [ws, regional, expected] : examples) {
        Captions captions = earlierCaptions();
        ASSERT_TRUE(computeInitialValues(ws, captions, RegionalFormat(regional)).ok());
        EXPECT_EQ(captions.Parameter, expected);
    }
}

TEST(computeInitialValues, PointWithoutPositiveHStopsThereAfterStoringIt)
{
    Workspace ws = titration(s(0.1f), s(50.0f), {s(1.0f), s(2.0f), s(3.0f)}, {s(300), s(290), s(280)});
    ws.CalResidual.assign(4, s(1.0f));
    Captions captions;
    ASSERT_TRUE(computeInitialValues(ws, captions, kPointFormat).ok());

    // A second run with point 2 at no volume: the arrays start afresh.
    ws.CalVolume[2] = s(0.0f);
    const ModelOutcome outcome = expectFailure(ws, ModelOutcome::Failure::NoPositiveH, 2);
    EXPECT_NE(modelFailureText(outcome).find('2'), std::string::npos);
    EXPECT_NEAR(ws.CalPH[1].value(), 2.70757, 5e-6);
    EXPECT_TRUE(ws.CalH[2].isSingle());
    EXPECT_EQ(ws.CalH[2].value(), 0.0);
    EXPECT_TRUE(ws.CalPH[2].isEmpty());
    EXPECT_TRUE(ws.CalH[3].isEmpty());
    EXPECT_TRUE(ws.CalPH[3].isEmpty());

    for (const Number acid : {s(0.0f), s(-0.1f)}) {
        ws = titration(acid, s(50.0f), {s(1.0f), s(2.0f)}, {s(300), s(290)});
        expectFailure(ws, ModelOutcome::Failure::NoPositiveH, 1);
        EXPECT_FLOAT_EQ(ws.CalH[1].value(), acid.value() / 51.0);
        EXPECT_TRUE(ws.CalH[2].isEmpty());
    }
    // An overflowing single product is a failure too, with nothing stored.
    ws = titration(s(3e38f), s(1.0f), {s(10.0f)}, {s(300)});
    expectFailure(ws, ModelOutcome::Failure::NoPositiveH, 1);
    EXPECT_TRUE(ws.CalH[1].isEmpty());
}

TEST(computeInitialValues, ZeroTotalVolumeStopsBeforeStoringThePoint)
{
    Workspace ws = titration(d(0.1), d(50), {d(1), d(2), d(-50), d(4)}, {d(300), d(290), d(280), d(270)});
    expectFailure(ws, ModelOutcome::Failure::ZeroTotalVolume, 3);
    EXPECT_NEAR(ws.CalPH[2].value(), modelPH(0.1, 50, 2), 1e-12);
    EXPECT_TRUE(ws.CalH[3].isEmpty());
    EXPECT_TRUE(ws.CalPH[4].isEmpty());
}

TEST(computeInitialValues, UndefinedStartingLineWritesPointsButNoCaptions)
{
    Workspace none = titration(d(0.1), d(50), {}, {});
    expectFailure(none, ModelOutcome::Failure::NoStartingLine, 0);
    EXPECT_EQ(none.CalH.size(), 1u);
    EXPECT_EQ(none.CalPH.size(), 1u);
    EXPECT_EQ(none.CalResidual.size(), 1u);

    Workspace one = titration(d(0.1), d(50), {d(1)}, {d(300)});
    expectFailure(one, ModelOutcome::Failure::NoStartingLine, 0);
    EXPECT_NEAR(one.CalPH[1].value(), 2.70757, 5e-6);

    Workspace samePH = titration(d(0.1), d(50), {d(2), d(2)}, {d(300), d(290)});
    expectFailure(samePH, ModelOutcome::Failure::NoStartingLine, 0);
    EXPECT_FALSE(samePH.CalPH[2].isEmpty());

    // Rounding in the sums must not turn seven equal points into a line.
    Workspace sevenSame = titration(d(0.1), d(50), std::vector<Number>(7, d(1.3)), std::vector<Number>(7, d(300)));
    expectFailure(sevenSame, ModelOutcome::Failure::NoStartingLine, 0);
    EXPECT_FALSE(sevenSame.CalPH[7].isEmpty());
}

TEST(computeInitialValues, ResidualsEmptiedAndRepeatedCallsAgree)
{
    Workspace ws = titration(s(0.1f), s(50.0f), {s(1), s(2), s(4), s(8)}, {s(300.5f), s(282.25f), s(264), s(246.75f)});
    ws.CalResidual.assign(9, s(1.0f));
    Captions first;
    ASSERT_TRUE(computeInitialValues(ws, first, kPointFormat).ok());
    EXPECT_EQ(ws.CalResidual, PointArray(5));
    const PointArray h = ws.CalH;
    const PointArray ph = ws.CalPH;

    Captions second;
    ASSERT_TRUE(computeInitialValues(ws, second, kPointFormat).ok());
    EXPECT_EQ(ws.CalH, h);
    EXPECT_EQ(ws.CalPH, ph);
    EXPECT_EQ(second.Parameter, first.Parameter);
    EXPECT_NE(first.Parameter[1], Captions::kNone);
}

}  // namespace
}  // namespace quorlin
