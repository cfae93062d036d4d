// Geometry of the results chart, apart from any drawing: chart coordinates
// (one unit per pixel, x to the right, y downwards, origin 72 px from the left
// and 436 px from the top of the 500 x 500 px box, axes 400 units long), the
// mapping of readings onto them, the segments of the curves, the places of the
// curves' names and the texts and places of the 22 axis labels.
#pragma once

#include "results/core/modellingfile.h"
#include "results/modellingresults.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vt::results {

inline constexpr int kChartSizeTwips = 7500;
inline constexpr int kChartSizePixels = 500;
inline constexpr int kChartOriginX = 72;
inline constexpr int kChartOriginY = 436;
inline constexpr int kAxisLength = 400;
inline constexpr int kTickSpacing = 40;
inline constexpr int kTickHalfLength = 3;
inline constexpr int kAxisLabelCount = 22;

struct ChartPoint {
    double x = 0;
    double y = 0;
    friend bool operator==(const ChartPoint&, const ChartPoint&) = default;
};

struct ChartSegment {
    ChartPoint from;
    ChartPoint to;
    friend bool operator==(const ChartSegment&, const ChartSegment&) = default;
};

// A (depth, stress) reading in chart units: x = (depth - MinDepth) x
// DepthScale, y = (stress - MinStress) x StressScale. Depth 0 and stress 0 give
// the place the guide lines go to when no depth was typed.
ChartPoint MapReading(const ModellingResults& record, double depth, double stress);

// Pixel of the chart box (from its top-left corner) for a chart point.
inline ChartPoint ChartToPixel(ChartPoint point) {
    return {kChartOriginX + point.x, kChartOriginY + point.y};
}

// The part of a segment inside the square |x|, |y| <= limit, or none; keeps
// the direction. Segments far outside the box are never handed to a painter.
std::optional<ChartSegment> ClipSegment(ChartSegment segment, double limit);

// Whether row r of depth column p holds a valid pair not below the minima,
// so that a segment of the curve ends there.
inline bool DrawsSegmentTo(const ModellingResults& record, int r, int p) {
    const double depth = record.Readings(r, p);
    const double stress = record.Readings(r, p + 1);
    return IsValidReading(depth) && IsValidReading(stress) && depth >= record.MinDepth &&
           stress >= record.MinStress;
}

// Calls draw(p, segment) for every line of the result curves: for each row r
// = 2..LineCount-1 and depth column p, the line from row r to row r + 1 when
// row r + 1 holds a valid pair not below the minima.
template <class Draw> void ForEachColumnSegment(const ModellingResults& record, Draw&& draw) {
    const int lines = std::min<int>(record.LineCount, record.ChartPoints.rows());
    const int fields = std::min({static_cast<int>(record.FieldCount), record.ChartPoints.columns(),
                                 record.Readings.columns()});
    const int rows = std::min(lines, record.Readings.rows());
    for (int r = 2; r + 1 <= rows; ++r) {
        for (int p = 1; p + 1 <= fields; p += 2) {
            if (DrawsSegmentTo(record, r + 1, p))
                draw(p, ChartSegment{
                            {record.ChartPoints(r, p), record.ChartPoints(r, p + 1)},
                            {record.ChartPoints(r + 1, p), record.ChartPoints(r + 1, p + 1)}});
        }
    }
}

// The same lines without their columns.
template <class Draw> void ForEachCurveSegment(const ModellingResults& record, Draw&& draw) {
    ForEachColumnSegment(record, [&draw](int, const ChartSegment& segment) { draw(segment); });
}

// The last point of a drawn curve (the end of its last segment) and the
// curve's depth column p (1, 3, 5, ...), whose header holds its pillar width.
struct CurveEnd {
    int column = 0;
    ChartPoint point;
    friend bool operator==(const CurveEnd&, const CurveEnd&) = default;
};

// The ends of the drawn curves in file order; a curve without a segment has
// none.
std::vector<CurveEnd> CurveEnds(const ModellingResults& record);

// A rectangle of the chart box in pixels: x from left to left + width - 1, y
// from top to top + height - 1.
struct PixelBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }  // one past the last column
    int bottom() const { return top + height; } // one past the last row
    bool intersects(const PixelBox& other) const {
        return left < other.right() && other.left < right() && top < other.bottom() &&
               other.top < bottom();
    }
    bool contains(const PixelBox& inner) const {
        return inner.left >= left && inner.top >= top && inner.right() <= right() &&
               inner.bottom() <= bottom();
    }
    friend bool operator==(const PixelBox&, const PixelBox&) = default;
};

// Where the curves' names may go: right of the stress axis and above the
// depth axis (clear of their ticks), up to the edges of the box.
inline constexpr PixelBox kCurveLabelArea{kChartOriginX + kTickHalfLength + 1, 1,
                                          kChartSizePixels - 1 -
                                              (kChartOriginX + kTickHalfLength + 1),
                                          kChartOriginY - kTickHalfLength - 1 - 1};

struct PixelSize {
    int width = 0;
    int height = 0;
};

// The boxes of the curves' names, one per anchor (a curve's last point, in
// pixels) and text size: 3 px right of the point where the name fits there,
// else 3 px left of it, centred on it vertically; moved down (or up) past the
// names placed before it rather than over them; always inside
// kCurveLabelArea.
std::vector<PixelBox> PlaceCurveLabels(const std::vector<ChartPoint>& anchors,
                                       const std::vector<PixelSize>& sizes);

// The captions of the 22 value labels: elements 0..10 the stresses MinStress +
// (MaxStress - MinStress) x k / 10 beside the stress ticks, elements 11..21 the
// depths beside the depth ticks, each with two decimals ("12.50", "7.00").
std::vector<std::string> AxisLabelTexts(const ModellingResults& record,
                                        const std::string& decimalSeparator = ".");

// A value in the labels' fixed format: at least one digit before the
// separator, exactly two after it, ties rounded away from zero.
std::string FixedTwoDecimals(double value, const std::string& decimalSeparator = ".");

struct TwipsBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const TwipsBox&, const TwipsBox&) = default;
};

// Place of label element `index` inside the chart box, in twips.
TwipsBox AxisLabelBox(int index);

} // namespace vt::results
