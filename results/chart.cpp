// Painting the results chart into its persistent image.
#include "results/chart.h"

#include <QLineF>
#include <QPainter>
#include <QPen>
#include <vector>

namespace vt::results {

namespace {

// Nothing of the 500 px box lies further than this from the origin; longer
// lines are cut here before they reach the painter.
constexpr double kClipLimit = 2000.0;

QPointF Pixel(ChartPoint point) {
    const ChartPoint p = ChartToPixel(point);
    return {p.x, p.y};
}

void Prepare(QPainter& painter, const QColor& colour, int width, Qt::PenStyle style) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(colour);
    pen.setWidth(width);
    pen.setStyle(style);
    painter.setPen(pen);
}

void AddLine(std::vector<QLineF>& lines, ChartPoint from, ChartPoint to) {
    if (const auto clipped = ClipSegment({from, to}, kClipLimit))
        lines.emplace_back(Pixel(clipped->from), Pixel(clipped->to));
}

// The two guide lines, always drawn in the same direction so that an
// inverted pair cancels exactly.
std::vector<QLineF> GuideLines(double x, double y) {
    std::vector<QLineF> lines;
    AddLine(lines, {x, 0}, {x, y});
    AddLine(lines, {0, y}, {x, y});
    return lines;
}

} // namespace

ResultsChart::ResultsChart()
    : image_(kChartSizePixels, kChartSizePixels, QImage::Format_RGB32) {
    Clear();
}

void ResultsChart::Clear() {
    image_.fill(Qt::white);
}

void ResultsChart::DrawChartFrame() {
    QPainter painter(&image_);
    Prepare(painter, Qt::black, 2, Qt::SolidLine);
    painter.drawLine(Pixel({0, 0}), Pixel({kAxisLength, 0}));
    painter.drawLine(Pixel({0, 0}), Pixel({0, -kAxisLength}));
    Prepare(painter, Qt::black, 1, Qt::SolidLine);
    for (int k = 0; k <= kAxisLength; k += kTickSpacing) {
        painter.drawLine(Pixel({double(k), -kTickHalfLength}), Pixel({double(k), kTickHalfLength}));
        painter.drawLine(Pixel({-kTickHalfLength, double(-k)}),
                         Pixel({kTickHalfLength, double(-k)}));
    }
}

void ResultsChart::DrawResultCurves(const ModellingResults& record) {
    std::vector<QLineF> lines;
    ForEachCurveSegment(record, [&lines](const ChartSegment& s) { AddLine(lines, s.from, s.to); });
    if (lines.empty())
        return;
    QPainter painter(&image_);
    Prepare(painter, kCurveColour, 1, Qt::SolidLine);
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));
}

void ResultsChart::DrawGuideLines(double x, double y) {
    const std::vector<QLineF> lines = GuideLines(x, y);
    if (lines.empty())
        return;
    QPainter painter(&image_);
    Prepare(painter, Qt::black, 1, Qt::DotLine);
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));
}

void ResultsChart::ToggleGuideLines(double x, double y, const ModellingResults& record) {
    const std::vector<QLineF> lines = GuideLines(x, y);
    if (!lines.empty()) {
        QPainter painter(&image_);
        Prepare(painter, Qt::black, 1, Qt::DotLine);
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.drawLines(lines.data(), static_cast<int>(lines.size()));
    }
    DrawResultCurves(record);
}

ChartPoint GuidePoint(const ModellingResults& record, double depth, double stress) {
    return MapReading(record, depth, stress);
}

} // namespace vt::results
