// Strength constant K from the median of UCS readings.
#include "engine/engine.h"

#include <algorithm>
#include <cmath>

namespace vt::engine {

std::optional<float> MedianUCS(std::vector<float> readings) {
    if (readings.empty())
        return std::nullopt;
    for (float reading : readings) {
        if (!std::isfinite(reading))
            return std::nullopt;
    }
    std::sort(readings.begin(), readings.end());
    // Positions count from 1: the fraction of m is .1 (odd count) or .6 (even).
    const double m = static_cast<double>(readings.size()) / 2.0 + 0.6;
    const auto lower = static_cast<std::size_t>(std::trunc(m));
    const auto upper = static_cast<std::size_t>(std::round(m));
    // The sum of two singles is exact in double, and halving it then rounding
    // once equals the single-precision (x + y) / 2 without its overflow.
    const double sum =
        static_cast<double>(readings[lower - 1]) + static_cast<double>(readings[upper - 1]);
    return static_cast<float>(sum / 2.0);
}

Outcome<float> DowngradedK(float median, float downgradePercentage) {
    if (!std::isfinite(median) || !std::isfinite(downgradePercentage))
        return Fault::NotANumber;
    const long double k = (100.0L - static_cast<long double>(downgradePercentage)) *
                          static_cast<long double>(median) / 100.0L;
    const float single = static_cast<float>(k);
    if (!std::isfinite(single))
        return Fault::Overflow;
    return single;
}

} // namespace vt::engine
