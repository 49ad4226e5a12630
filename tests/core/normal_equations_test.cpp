#include "core/normal_equations.h"
#include "support/double_fit.h"
#include "support/titration.h"

#include <gtest/gtest.h>

namespace quorlin {
namespace {

using namespace testing;

// The sums one operation at a time in the precision each operand carries: the reference
// for the loops that take a run of file points at once.
struct Reference {
    SmallMatrix matrix{};
    Evaluation at;

    Reference(const CalibrationData& data, const ElectrodeParameters& p)
    {
        const auto add = [](float& sum, Number term) {
            sum = static_cast<float>((Number::fromSingle(sum) + term).value());
        };
        for (std::int32_t i = 1; i <= data.count; ++i) {
            const Number row[] = {Number(), Number::fromSingle(1.0f), -data.pH[i], data.hydrogen[i]};
            const Number r = residualAt(data, i, p);
            at.sum += (r * r).value();
            for (int j = 1; j <= 3; ++j) {
                add(at.rightHandSide[j], row[j] * r);
                for (int k = j; k <= 3; ++k) add(matrix[j][k], row[j] * row[k]);
            }
        }
    }
};

TEST(NormalEquations, RunsOfFilePointsGiveTheSumsOfOnePointAtATime)
{
    const ElectrodeParameters p{0, 405.37f, 59.21f, 12.5f};
    // Which points were typed over (single precision) in a titration read from a file.
    const std::vector<std::vector<std::int32_t>> typedPoints = {{}, {1}, {7}, {2, 3, 9, 14}, {1, 2, 3, 4, 5, 6, 7}};
    for (const auto& typed : typedPoints) {
        CalibrationData data = titration(0.1, 50, noisyTitration());
        for (const std::int32_t i : typed) {
            data.volume[i] = Number::fromSingle(static_cast<float>(data.volume[i].value()));
            data.emf[i] = Number::fromSingle(static_cast<float>(data.emf[i].value()));
        }
        ASSERT_TRUE(computeInitialValues(data).ok());
        const Reference reference(data, p);
        const Evaluation at = evaluate(data, p);
        EXPECT_EQ(normalMatrix(data), reference.matrix) << typed.size();
        EXPECT_EQ(at.rightHandSide, reference.at.rightHandSide) << typed.size();
        EXPECT_EQ(at.sum, reference.at.sum) << typed.size();
    }
}

}  // namespace
}  // namespace quorlin
