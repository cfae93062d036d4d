// Rounding helpers shared by the engine's source files (not part of the API).
#pragma once

#include <cmath>

namespace vt::engine::detail {

// Rounds to the nearest integer, a tie going to the even one, whatever the
// floating-point environment's rounding mode is.
inline double RoundTiesEven(double x) {
    if (!(std::fabs(x) < 4503599627370496.0)) // 2^52: already whole (or not finite)
        return x;
    const double below = std::floor(x);
    const double fraction = x - below; // exact for |x| < 2^52
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0))
        rounded = below + 1.0;
    return rounded == 0.0 ? 0.0 : rounded; // no negative zero
}

// 10^decimals for 0 <= decimals <= 22 (exact in double).
inline double PowerOfTen(int decimals) {
    static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                         1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    return kPowers[decimals];
}

inline constexpr int kMaxDecimals = 22;

// Rounds a value to `decimals` decimals (scaled in double, ties to even).
inline double RoundToDecimals(double value, int decimals) {
    if (decimals < 0)
        decimals = 0;
    if (decimals > kMaxDecimals)
        decimals = kMaxDecimals;
    const double scale = PowerOfTen(decimals);
    const double scaled = value * scale;
    if (!(std::fabs(scaled) < 4503599627370496.0))
        return value; // no fraction left at this scale
    return RoundTiesEven(scaled) / scale;
}

} // namespace vt::engine::detail
