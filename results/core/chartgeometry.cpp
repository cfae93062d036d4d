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

std::optional<ChartSegment> ClipSegment(ChartSegment segment, double limit) {
    const ChartPoint a = segment.from;
    const ChartPoint b = segment.to;
    // Inside (NaN is never inside); infinities fall to the check below.
    const auto inside = [limit](ChartPoint p) {
        return std::fabs(p.x) <= limit && std::fabs(p.y) <= limit;
    };
    if (inside(a) && inside(b))
        return segment;
    if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y))
        return std::nullopt;
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

std::vector<CurveEnd> CurveEnds(const ModellingResults& record) {
    // A curve ends with the segment to the last row that draws one: search
    // each column from the bottom, under the same bounds and test as
    // ForEachColumnSegment.
    const int lines = std::min<int>(record.LineCount, record.ChartPoints.rows());
    const int fields = std::min({static_cast<int>(record.FieldCount), record.ChartPoints.columns(),
                                 record.Readings.columns()});
    const int rows = std::min(lines, record.Readings.rows());
    std::vector<CurveEnd> ends;
    for (int p = 1; p + 1 <= fields; p += 2) {
        for (int r = rows - 1; r >= 2; --r) {
            if (DrawsSegmentTo(record, r + 1, p)) {
                ends.push_back(
                    {p, {record.ChartPoints(r + 1, p), record.ChartPoints(r + 1, p + 1)}});
                break;
            }
        }
    }
    return ends;
}

namespace {

constexpr int kLabelGap = 3; // px between a curve's end and its name

int Clamp(int value, int low, int high) {
    return high < low ? low : std::clamp(value, low, high);
}

int Rounded(double value) {
    if (!std::isfinite(value))
        return 0;
    return static_cast<int>(std::lround(std::clamp(value, -1e6, 1e6)));
}

} // namespace

std::vector<PixelBox> PlaceCurveLabels(const std::vector<ChartPoint>& anchors,
                                       const std::vector<PixelSize>& sizes) {
    const PixelBox area = kCurveLabelArea;
    std::vector<PixelBox> placed;
    const std::size_t count = std::min(anchors.size(), sizes.size());
    for (std::size_t i = 0; i < count; ++i) {
        const int x = Rounded(anchors[i].x);
        const int y = Rounded(anchors[i].y);
        const int w = std::min(sizes[i].width, area.width);
        const int h = std::min(sizes[i].height, area.height);
        int left = x + kLabelGap;
        if (left + w > area.right())
            left = x - kLabelGap - w;
        left = Clamp(left, area.left, area.right() - w);
        const int top = Clamp(y - h / 2, area.top, area.bottom() - h);

        const auto free = [&placed](const PixelBox& box) {
            return std::none_of(placed.begin(), placed.end(),
                                [&box](const PixelBox& other) { return other.intersects(box); });
        };
        PixelBox box{left, top, w, h};
        // Past the names already there: one line down, one up, two down, ...
        for (int step = 1; !free(box) && step <= 2 * static_cast<int>(placed.size()); ++step) {
            const int shift = (step + 1) / 2 * (h + 1) * (step % 2 == 1 ? 1 : -1);
            const PixelBox moved{left, top + shift, w, h};
            if (area.contains(moved) && free(moved))
                box = moved;
        }
        placed.push_back(box);
    }
    return placed;
}

TwipsBox AxisLabelBox(int index) {
    constexpr int kWidth = 600;
    constexpr int kHeight = 255;
    if (index <= 10)
        return {405, 6450 - 600 * index, kWidth, kHeight};
    return {675 + 600 * (index - 11), 6645, kWidth, kHeight};
}

} // namespace vt::results
