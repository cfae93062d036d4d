// Pillar strength (Hedley/Grant and squat pillar) and factor of safety.
#include "engine/engine.h"

#include <cmath>

namespace vt::engine {

namespace {

// Coefficient of the squat-pillar formula; fixed, it does not follow α and β.
constexpr double kSquatCoefficient = 0.5933;

// base^exponent in double, or the fault it meets: a negative base under a
// fractional power gives NaN, zero under a negative power gives infinity.
Outcome<double> Power(double base, double exponent) {
    const double result = std::pow(base, exponent);
    if (std::isnan(result))
        return Fault::NegativeBase;
    if (!std::isfinite(result))
        return Fault::Overflow;
    return result;
}

Outcome<float> ToSingle(double value) {
    const float single = static_cast<float>(value);
    if (std::isnan(single))
        return Fault::NotANumber;
    if (!std::isfinite(single))
        return Fault::Overflow;
    return single;
}

Outcome<float> HedleyGrant(const StrengthInputs& in) {
    const auto width = Power(in.effectiveWidth, in.alpha);
    if (!width)
        return width.fault();
    const auto height = Power(in.height, in.beta);
    if (!height)
        return height.fault();
    if (height.value() == 0.0)
        return Fault::Overflow; // h^β too small to divide by
    return ToSingle(static_cast<double>(in.k) * width.value() / height.value());
}

Outcome<float> SquatPillar(const StrengthInputs& in, float ratio) {
    if (in.squatStart == 0.0f)
        return Fault::ZeroSquatStart;
    if (in.increaseRate == 0.0f)
        return Fault::ZeroIncreaseRate;
    const double alpha = in.alpha;
    const double beta = in.beta;
    const float a = static_cast<float>(std::fabs(alpha - beta) / 3.0);
    const float b = static_cast<float>((2.0 * beta + alpha) / 3.0);
    const double volume = static_cast<double>(in.length) * static_cast<double>(in.effectiveWidth) *
                          static_cast<double>(in.height);
    const auto startPower = Power(in.squatStart, b);
    if (!startPower)
        return startPower.fault();
    const auto volumePower = Power(volume, a);
    if (!volumePower)
        return volumePower.fault();
    if (volumePower.value() == 0.0)
        return Fault::Overflow; // a pillar of no volume
    const double k0 = startPower.value() / volumePower.value();
    const float relativeRatio = ratio / in.squatStart; // formed in single precision
    const auto rise = Power(relativeRatio, in.increaseRate);
    if (!rise)
        return rise.fault();
    const double strength =
        static_cast<double>(in.k) * k0 *
        (1.0 + (kSquatCoefficient / static_cast<double>(in.increaseRate)) * (rise.value() - 1.0));
    return ToSingle(strength);
}

} // namespace

const char* FormulaMessage(StrengthFormula formula) {
    return formula == StrengthFormula::SquatPillar ? "The squat pillar formula was used"
                                                   : "The Hedley/Grant formula was used";
}

Outcome<StrengthResult> CalculatePillarStrength(const StrengthInputs& in) {
    for (float input : {in.effectiveWidth, in.length, in.height, in.k, in.alpha, in.beta,
                        in.squatStart, in.increaseRate}) {
        if (!std::isfinite(input))
            return Fault::NotANumber;
    }
    const auto ratio = CalculateWidthHeightRatio(in.effectiveWidth, in.height);
    if (!ratio)
        return ratio.fault();

    StrengthResult result{};
    result.widthHeightRatio = ratio.value();
    result.widthHeightTooSmall = ratio.value() < kWidthHeightLimit;
    // Squat behaviour starts strictly above the start ratio.
    result.formula =
        ratio.value() > in.squatStart ? StrengthFormula::SquatPillar : StrengthFormula::HedleyGrant;
    const auto strength = result.formula == StrengthFormula::SquatPillar
                              ? SquatPillar(in, ratio.value())
                              : HedleyGrant(in);
    if (!strength)
        return strength.fault();
    result.strength = strength.value();
    return result;
}

Outcome<SafetyResult> CalculateFactorOfSafety(float strength, float averagePillarStress) {
    if (!std::isfinite(strength) || !std::isfinite(averagePillarStress))
        return Fault::NotANumber;
    if (averagePillarStress == 0.0f)
        return Fault::ZeroStress;
    const float fos = strength / averagePillarStress;
    if (!std::isfinite(fos))
        return Fault::Overflow;
    return SafetyResult{fos, fos < kSafetyLimit};
}

} // namespace vt::engine
