// The published strength formulas and their presets.
#include "engine/pillarformulas.h"

#include <cmath>

namespace vt::engine {

namespace {

Outcome<double> Finite(double value) {
    if (std::isnan(value))
        return Fault::NotANumber;
    if (!std::isfinite(value))
        return Fault::Overflow;
    return value;
}

bool AllFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

} // namespace

Outcome<double> PowerLawStrength(double c, double width, double height, double a, double b) {
    if (!AllFinite({c, width, height, a, b}))
        return Fault::NotANumber;
    if (height == 0)
        return Fault::ZeroHeight;
    if (width < 0 || height < 0)
        return Fault::NegativeBase;
    const double widthPower = std::pow(width, a);
    const double heightPower = std::pow(height, b);
    if (!std::isfinite(widthPower) || !std::isfinite(heightPower) || heightPower == 0)
        return Fault::Overflow;
    return Finite(c * widthPower / heightPower);
}

Outcome<double> LinearStrength(double c, double a, double b, double ratio) {
    if (!AllFinite({c, a, b, ratio}))
        return Fault::NotANumber;
    return Finite(c * (a + b * ratio));
}

Outcome<Confinement> ConfinementAt(double ratio) {
    if (!std::isfinite(ratio))
        return Fault::NotANumber;
    if (!(ratio > 0))
        return Fault::NegativeBase;
    Confinement c;
    const double base = std::log10(ratio + 0.75);
    if (base < 0)
        return Fault::NegativeBase; // never for a ratio above 0.25
    c.cpav = 0.46 * std::pow(base, 1.4 / ratio);
    if (!std::isfinite(c.cpav))
        return Fault::Overflow;
    c.kappa = std::tan(std::acos((1 - c.cpav) / (1 + c.cpav)));
    c.strengthOverUcs = 0.44 * (0.68 + 0.52 * c.kappa);
    if (!AllFinite({c.kappa, c.strengthOverUcs}))
        return Fault::Overflow;
    return c;
}

std::optional<double> EffectiveConstant(const StrengthPreset& preset, const FormulaPillar& pillar) {
    switch (preset.basis) {
    case ConstantBasis::Megapascals:
        if (pillar.scaleToUcs && preset.scalable() && pillar.ucs)
            return preset.constant * *pillar.ucs / *preset.fittedUcs;
        return preset.constant;
    case ConstantBasis::Ucs:
        if (!pillar.ucs)
            return std::nullopt;
        return preset.constant * *pillar.ucs;
    case ConstantBasis::UcsAndLdf:
        if (!pillar.ucs)
            return std::nullopt;
        return preset.constant * *pillar.ucs * pillar.ldf;
    }
    return std::nullopt;
}

Outcome<double> PresetStrength(const StrengthPreset& preset, const FormulaPillar& pillar) {
    const std::optional<double> c = EffectiveConstant(preset, pillar);
    if (!c)
        return Fault::NotANumber;
    switch (preset.form) {
    case FormulaForm::Screen:
        return Fault::NotANumber; // evaluated by the screen's own steps
    case FormulaForm::Power:
        return PowerLawStrength(*c, pillar.width, pillar.height, preset.a, preset.b);
    case FormulaForm::Linear:
        return LinearStrength(*c, preset.a, preset.b, pillar.ratio);
    case FormulaForm::Confinement: {
        const auto k = ConfinementAt(pillar.ratio);
        if (!k)
            return k.fault();
        // The constant already holds 0.44 x UCS.
        return Finite(*c * (preset.a + preset.b * k.value().kappa));
    }
    }
    return Fault::NotANumber;
}

bool OutsideData(const StrengthPreset& preset, double ratio) {
    if (preset.ratioLow && ratio < *preset.ratioLow)
        return true;
    return preset.ratioHigh && ratio > *preset.ratioHigh;
}

double FeetConstantInMetres(double constantForFeet, double a, double b) {
    // c (W/0.3048)^a / (H/0.3048)^b = c 0.3048^(b - a) W^a / H^b
    return constantForFeet * std::pow(0.3048, b - a);
}

} // namespace vt::engine
