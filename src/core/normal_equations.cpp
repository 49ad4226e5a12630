#include "normal_equations.h"

#include "electrode_model.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace quorlin {

namespace {

using Row = std::array<Number, kParameterCount + 1>;

void addToSum(float& sum, Number term) { sum = static_cast<float>((Number::fromSingle(sum) + term).value()); }

Row derivatives(const CalibrationData& data, std::int32_t i)
{
    return designRow(pointOr0(data.pH, i), pointOr0(data.hydrogen, i));
}

// Two single sums carried side by side: each new sum is formed in double and rounded to
// single, lane by lane, exactly as one at a time would be, in half the instructions. A
// sum of two singles formed in double and rounded is their single sum.
using SinglePair = float __attribute__((vector_size(8)));
using DoublePair = double __attribute__((vector_size(16)));

SinglePair addInDouble(SinglePair sums, DoublePair terms)
{
    return __builtin_convertvector(__builtin_convertvector(sums, DoublePair) + terms, SinglePair);
}

// The last point an array holds a slot for; -1 when it has not even slot 0.
std::int32_t lastSlot(const PointArray& a)
{
    return static_cast<std::int32_t>(std::min<std::size_t>(a.size(), std::size_t{INT32_MAX} + 1)) - 1;
}

// The last point up to which every value the sums read has a slot.
std::int32_t lastWithSlots(const CalibrationData& data, bool withEmf)
{
    const std::int32_t last = std::min({data.count, lastSlot(data.hydrogen), lastSlot(data.pH)});
    return withEmf ? std::min(last, lastSlot(data.emf)) : last;
}

// Points of a data file have every value in double. The two loops below take points
// from i on as long as they do, with the sums the general code forms, in the same order,
// without asking each operand its precision; they return the first point not taken.
std::int32_t addDoubleRows(SmallMatrix& m, const CalibrationData& data, std::int32_t i, std::int32_t last)
{
    const Number* const hydrogens = data.hydrogen.data();
    const Number* const pHs = data.pH.data();
    SinglePair m11m12{m[1][1], m[1][2]}, m13m22{m[1][3], m[2][2]}, m23m33{m[2][3], m[3][3]};
    for (; i <= last; ++i) {
        const Number hydrogen = hydrogens[i], pH = pHs[i];
        if (!hydrogen.isDouble() || !pH.isDouble()) break;
        const auto x = designRow(pH.value(), hydrogen.value());
        m11m12 = addInDouble(m11m12, DoublePair{x[1] * x[1], x[1] * x[2]});
        m13m22 = addInDouble(m13m22, DoublePair{x[1] * x[3], x[2] * x[2]});
        m23m33 = addInDouble(m23m33, DoublePair{x[2] * x[3], x[3] * x[3]});
    }
    m[1] = {0.0f, m11m12[0], m11m12[1], m13m22[0]};
    m[2][2] = m13m22[1];
    m[2][3] = m23m33[0];
    m[3][3] = m23m33[1];
    return i;
}

std::int32_t addDoubleResiduals(Evaluation& at, const CalibrationData& data, const ElectrodeParameters& p,
                                std::int32_t i, std::int32_t last)
{
    const double ezero = p[kEzero], slope = p[kSlope], jcorr = p[kJcorr];
    const Number* const emfs = data.emf.data();
    const Number* const hydrogens = data.hydrogen.data();
    const Number* const pHs = data.pH.data();
    SmallVector& b = at.rightHandSide;
    double sum = at.sum;
    SinglePair b1b2{b[1], b[2]}, b3{b[3], 0.0f};
    for (; i <= last; ++i) {
        const Number emf = emfs[i], hydrogen = hydrogens[i], pH = pHs[i];
        if (!emf.isDouble() || !hydrogen.isDouble() || !pH.isDouble()) break;
        const auto x = designRow(pH.value(), hydrogen.value());
        const double r = emf.value() - emfAt(ezero, slope, jcorr, pH.value(), hydrogen.value());
        sum = sum + r * r;
        b1b2 = addInDouble(b1b2, DoublePair{x[1] * r, x[2] * r});
        b3 = addInDouble(b3, DoublePair{x[3] * r, 0.0});
    }
    at.sum = sum;
    b = {0.0f, b1b2[0], b1b2[1], b3[0]};
    return i;
}

}  // namespace

Number residualAt(const CalibrationData& data, std::int32_t i, const ElectrodeParameters& p)
{
    return pointOr0(data.emf, i) - emfAt(p, pointOr0(data.pH, i), pointOr0(data.hydrogen, i));
}

SmallMatrix normalMatrix(const CalibrationData& data)
{
    SmallMatrix m{};
    const std::int32_t last = lastWithSlots(data, false);
    for (std::int32_t i = addDoubleRows(m, data, 1, last); i <= data.count; i = addDoubleRows(m, data, i + 1, last)) {
        const Row row = derivatives(data, i);
        for (std::int32_t j = 1; j <= kParameterCount; ++j)
            for (std::int32_t k = j; k <= kParameterCount; ++k) addToSum(m[j][k], row[j] * row[k]);
    }
    return m;
}

Evaluation evaluate(const CalibrationData& data, const ElectrodeParameters& p)
{
    Evaluation at;
    const std::int32_t last = lastWithSlots(data, true);
    for (std::int32_t i = addDoubleResiduals(at, data, p, 1, last); i <= data.count;
         i = addDoubleResiduals(at, data, p, i + 1, last)) {
        const Row row = derivatives(data, i);
        const Number residual = residualAt(data, i, p);
        at.sum = at.sum + (residual * residual).value();
        for (std::int32_t j = 1; j <= kParameterCount; ++j) addToSum(at.rightHandSide[j], row[j] * residual);
    }
    return at;
}

}  // namespace quorlin
