// Pillar geometry: extraction, tributary-area stress, effective width, W:H.
#include "engine/engine.h"
#include "engine/rounding.h"

#include <cmath>

namespace vt::engine {

namespace {

bool Finite(float a) {
    return std::isfinite(a);
}

} // namespace

Outcome<float> CalculatePercentageExtraction(float w, float l, float b1, float b2) {
    if (!Finite(w) || !Finite(l) || !Finite(b1) || !Finite(b2))
        return Fault::NotANumber;
    // Every intermediate is a 32-bit value.
    const float a = w + b1;
    const float b = b2 + l;
    if (!Finite(a) || !Finite(b))
        return Fault::Overflow;
    if (a == 0.0f || b == 0.0f)
        return Fault::ZeroTributaryArea;
    const float tributaryArea = b * a;
    const float pillarArea = l * w;
    if (!Finite(tributaryArea) || !Finite(pillarArea))
        return Fault::Overflow;
    if (tributaryArea == 0.0f)
        return Fault::ZeroTributaryArea; // too small to hold
    const float difference = tributaryArea - pillarArea;
    const float fraction = difference / tributaryArea;
    const float extraction = fraction * 100.0f;
    if (!Finite(difference) || !Finite(extraction))
        return Fault::Overflow;
    return extraction;
}

Outcome<float> CalculateTributaryPillarStress(float density, float depth, float extraction) {
    if (!Finite(density) || !Finite(depth) || !Finite(extraction))
        return Fault::NotANumber;
    // Premining vertical stress in MPa, kept in double.
    const double virgin = static_cast<double>(density) * 9.81 * static_cast<double>(depth) / 1000.0;
    const float remaining = 1.0f - extraction / 100.0f;
    if (remaining == 0.0f)
        return Fault::FullExtraction;
    const float stress = static_cast<float>(std::fabs(virgin / static_cast<double>(remaining)));
    if (!Finite(stress))
        return Fault::Overflow;
    return stress;
}

Outcome<double> CalculateEffectivePillarWidth(double w, double l) {
    if (!std::isfinite(w) || !std::isfinite(l))
        return Fault::NotANumber;
    const double perimeter = 2.0 * w + 2.0 * l;
    if (!std::isfinite(perimeter))
        return Fault::Overflow;
    if (perimeter == 0.0)
        return Fault::ZeroPerimeter;
    const double width = 4.0 * w * l / perimeter;
    if (!std::isfinite(width))
        return Fault::Overflow;
    return detail::RoundToDecimals(width, 1);
}

Outcome<float> CalculateWidthHeightRatio(float weff, float h) {
    if (!Finite(weff) || !Finite(h))
        return Fault::NotANumber;
    if (h == 0.0f)
        return Fault::ZeroHeight;
    const float ratio = weff / h;
    if (!Finite(ratio))
        return Fault::Overflow;
    return ratio;
}

} // namespace vt::engine
