#include "evaluation/axisticks.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace vt::evaluation {

namespace {

// m x 10^e as the double nearest the decimal (m an integer or a half): read
// from its decimal text, so that no rounding of a power of ten creeps in.
// Infinity when it is beyond a double.
double Scaled(double m, int e) {
    char text[64];
    auto [end, ec] = std::to_chars(text, text + sizeof text - 8, m, std::chars_format::fixed);
    if (ec != std::errc())
        return std::numeric_limits<double>::infinity();
    *end++ = 'e';
    end = std::to_chars(end, text + sizeof text, e).ptr;
    double value = 0;
    const auto read = std::from_chars(text, end, value);
    if (read.ec == std::errc::result_out_of_range)
        return std::fabs(m) >= 1 && e > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return value;
}

// Ticks further than this many steps from 0 cannot be told apart in a double.
constexpr double kMaxMultiple = 1e15;
// FormatResult writes at most 22 decimals: finer steps are not written.
constexpr int kMaxDecimals = 22;

} // namespace

RoundStep RoundStepAtLeast(double rough) {
    if (!(rough > 0) || !std::isfinite(rough))
        return {};
    const int e0 = static_cast<int>(std::floor(std::log10(rough)));
    // log10 may land a hair either side of a power of ten: try the decade
    // below as well, and take the first round step that reaches `rough`.
    for (int e = e0 - 1; e <= e0 + 1; ++e) {
        for (const double m : {1.0, 2.0, 2.5, 5.0}) {
            const double value = Scaled(m, e);
            if (value >= rough) {
                const int decimals = std::max(0, -e) + (m == 2.5 && e <= 0 ? 1 : 0);
                if (!std::isfinite(value) || decimals > kMaxDecimals)
                    return {};
                return {value, decimals, m, e};
            }
        }
    }
    return {}; // not reached: 10^(e0 + 1) is above rough
}

AxisTicks RoundTicks(double low, double high, int count, const NumberLocale& locale) {
    AxisTicks ticks;
    if (!(high > low) || !std::isfinite(high - low) || count < 1)
        return ticks;
    const RoundStep step = RoundStepAtLeast((high - low) / count);
    if (step.value == 0)
        return ticks;
    // One multiple more either side, kept when the tick lies in the range to
    // within a billionth of a step (the quotients are rounded).
    const double first = std::ceil(low / step.value) - 1;
    const double last = std::floor(high / step.value) + 1;
    if (!(std::fabs(first) <= kMaxMultiple && std::fabs(last) <= kMaxMultiple))
        return ticks;
    ticks.step = step;
    const double slack = step.value * 1e-9;
    for (double n = first; n <= last; ++n) {
        // The decimal n x mantissa x 10^exponent, n x mantissa exact.
        const double value = Scaled(n * step.mantissa, step.exponent);
        if (value < low - slack || value > high + slack)
            continue;
        ticks.values.push_back(value == 0 ? 0.0 : value); // no -0
        ticks.texts << ShowResult(value, step.decimals, locale);
    }
    return ticks;
}

} // namespace vt::evaluation
