// Shown text of results: ties-to-even rounding, then the shortest plain
// decimal text at the value's own precision.
#include "engine/engine.h"
#include "engine/rounding.h"
#include "engine/shortest.h"

#include <cfenv>
#include <charconv>
#include <cmath>

namespace vt::engine {

namespace {

// Plain fixed text (no exponent) of the shortest round-trip form of value,
// with '.' replaced by the caller's separator. Largest double in fixed form is
// 309 digits; the buffer leaves room for the sign and the fraction.
template <class T> std::string PlainText(T value, const std::string& decimalSeparator) {
    if (!std::isfinite(value))
        return {};
    if (value == 0)
        value = 0; // "-0" shows as "0"
    char buffer[400];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (ec != std::errc())
        return {};
    std::string text;
    text.reserve(static_cast<std::size_t>(end - buffer) + decimalSeparator.size());
    for (const char* p = buffer; p != end; ++p) {
        if (*p == '.')
            text += decimalSeparator;
        else
            text.push_back(*p);
    }
    return text;
}

// Shown text must not depend on a rounding mode some library left behind:
// the scaling, the rounding and the narrowing run in round-to-nearest.
class NearestRounding {
public:
    NearestRounding()
        : saved_(std::fegetround()) {
        if (saved_ != FE_TONEAREST)
            std::fesetround(FE_TONEAREST);
    }
    ~NearestRounding() {
        if (saved_ != FE_TONEAREST)
            std::fesetround(saved_);
    }
    NearestRounding(const NearestRounding&) = delete;
    NearestRounding& operator=(const NearestRounding&) = delete;

private:
    int saved_;
};

} // namespace

std::string FormatResult(float value, int decimals, const std::string& decimalSeparator) {
    if (!std::isfinite(value))
        return {};
    const NearestRounding nearest;
    const double rounded = detail::RoundToDecimals(static_cast<double>(value), decimals);
    return PlainText(static_cast<float>(rounded), decimalSeparator);
}

std::string FormatResult(double value, int decimals, const std::string& decimalSeparator) {
    if (!std::isfinite(value))
        return {};
    const NearestRounding nearest;
    return PlainText(detail::RoundToDecimals(value, decimals), decimalSeparator);
}

std::string ShortestText(double value, const std::string& decimalSeparator) {
    return PlainText(value, decimalSeparator);
}

std::string ShortestFloatText(float value, const std::string& decimalSeparator) {
    return PlainText(value, decimalSeparator);
}

} // namespace vt::engine
