// Chart coordinates, curve clipping and axis label texts.
#include "results/core/chartgeometry.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace vt::results {

ChartPoint MapReading(const ModellingResults& record, double depth, double stress) {
    return {(depth - record.MinDepth) * record.DepthScale,
            (stress - record.MinStress) * record.StressScale};
}

ChartPoint ChartToPixel(ChartPoint point) {
    return {kChartOriginX + point.x, kChartOriginY + point.y};
}

std::optional<ChartSegment> ClipSegment(ChartSegment segment, double limit) {
    const ChartPoint a = segment.from;
    const ChartPoint b = segment.to;
    if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y))
        return std::nullopt;
    const auto inside = [limit](ChartPoint p) {
        return std::fabs(p.x) <= limit && std::fabs(p.y) <= limit;
    };
    if (inside(a) && inside(b))
        return segment;
    // Liang-Barsky, with the parameter t from a (0) to b (1).
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    if (!std::isfinite(dx) || !std::isfinite(dy))
        return std::nullopt;
    double t0 = 0;
    double t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x + limit, limit - a.x, a.y + limit, limit - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return std::nullopt;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return std::nullopt;
    }
    return ChartSegment{{a.x + t0 * dx, a.y + t0 * dy}, {a.x + t1 * dx, a.y + t1 * dy}};
}

std::string FixedTwoDecimals(double value, const std::string& decimalSeparator) {
    if (!std::isfinite(value))
        return "0" + decimalSeparator + "00";
    // Exact ties (a fraction of 1/8, 3/8, 5/8 or 7/8) go away from zero; every
    // other value is rounded from its exact binary value.
    const double eighths = value * 8;
    if (std::fabs(eighths) < 4503599627370496.0 && eighths == std::floor(eighths) &&
        std::fmod(eighths, 2.0) != 0) {
        const double cents = value * 100; // exact: a multiple of 12.5
        value = std::round(cents) / 100;  // halves away from zero
    }
    char buffer[400];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    if (ec != std::errc())
        return "0" + decimalSeparator + "00";
    std::string text(buffer, end);
    if (text == "-0.00")
        text = "0.00";
    const std::size_t point = text.find('.');
    if (point != std::string::npos)
        text.replace(point, 1, decimalSeparator);
    return text;
}

namespace {

// minimum + (maximum - minimum) x k / 10; the weighted form where the
// difference itself would not be finite.
double TickValue(double minimum, double maximum, int k) {
    const double value = minimum + (maximum - minimum) * k / 10;
    if (std::isfinite(value))
        return value;
    return minimum * (1 - k / 10.0) + maximum * (k / 10.0);
}

} // namespace

std::vector<std::string> AxisLabelTexts(const ModellingResults& record,
                                        const std::string& decimalSeparator) {
    std::vector<std::string> texts;
    texts.reserve(kAxisLabelCount);
    for (int k = 0; k <= 10; ++k)
        texts.push_back(
            FixedTwoDecimals(TickValue(record.MinStress, record.MaxStress, k), decimalSeparator));
    for (int k = 0; k <= 10; ++k)
        texts.push_back(
            FixedTwoDecimals(TickValue(record.MinDepth, record.MaxDepth, k), decimalSeparator));
    return texts;
}

TwipsBox AxisLabelBox(int index) {
    constexpr int kWidth = 600;
    constexpr int kHeight = 255;
    if (index <= 10)
        return {405, 6450 - 600 * index, kWidth, kHeight};
    return {675 + 600 * (index - 11), 6645, kWidth, kHeight};
}

} // namespace vt::results
