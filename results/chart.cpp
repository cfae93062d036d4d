// Painting the results chart into its persistent image.
#include "results/chart.h"

#include "results/core/modellingfile.h"

#include <QFontMetrics>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QStringList>
#include <cmath>
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

bool Inside(ChartPoint p) {
    return std::fabs(p.x) <= kClipLimit && std::fabs(p.y) <= kClipLimit;
}

void AddLine(std::vector<QLineF>& lines, ChartPoint from, ChartPoint to) {
    if (Inside(from) && Inside(to)) // nearly always: no clipping to do
        lines.emplace_back(Pixel(from), Pixel(to));
    else if (const auto clipped = ClipSegment({from, to}, kClipLimit))
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
    framed_ = false;
}

void ResultsChart::DrawChartFrame() {
    framed_ = true;
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

const QImage& ResultsChart::CurvePixels(const ModellingResults& record) {
    Curves& c = curves_;
    if (c.valid && c.lineCount == record.LineCount && c.fieldCount == record.FieldCount &&
        c.minDepth == record.MinDepth && c.minStress == record.MinStress &&
        c.readings == record.Readings && c.chartPoints == record.ChartPoints)
        return c.pixels;
    c.valid = false;
    c.pixels = QImage(image_.size(), QImage::Format_ARGB32_Premultiplied);
    c.pixels.fill(Qt::transparent);
    // The lines go to the painter in batches from a fixed buffer, in the
    // order of the table: the largest file has a third of a million of them.
    constexpr std::size_t kBatch = 4096;
    std::vector<QLineF> lines;
    lines.reserve(kBatch);
    QPainter painter(&c.pixels);
    Prepare(painter, kCurveColour, 1, Qt::SolidLine);
    c.any = false;
    const auto flush = [&] {
        painter.drawLines(lines.data(), static_cast<int>(lines.size()));
        c.any = c.any || !lines.empty();
        lines.clear();
    };
    ForEachCurveSegment(record, [&](const ChartSegment& s) {
        AddLine(lines, s.from, s.to);
        if (lines.size() == kBatch)
            flush();
    });
    flush();
    painter.end();
    c.lineCount = record.LineCount;
    c.fieldCount = record.FieldCount;
    c.minDepth = record.MinDepth;
    c.minStress = record.MinStress;
    c.readings = record.Readings;
    c.chartPoints = record.ChartPoints;
    c.valid = true;
    return c.pixels;
}

void ResultsChart::DrawResultCurves(const ModellingResults& record, const CurveLabelStyle& labels) {
    const QImage& pixels = CurvePixels(record);
    if (!curves_.any)
        return; // no line, no names
    {
        // Opaque pixels replace, transparent ones leave the picture as it
        // is: the same as drawing the lines onto it.
        QPainter painter(&image_);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawImage(0, 0, pixels);
    }
    DrawCurveLabels(record, labels);
}

void ResultsChart::DrawCurveLabels(const ModellingResults& record, const CurveLabelStyle& labels) {
    const std::vector<CurveEnd> ends = CurveEnds(record);
    const std::vector<std::string> widths = WidthListTexts(record, labels.decimalSeparator);
    QFont font = labels.font;
    font.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics metrics(font, &image_); // at the picture's resolution
    std::vector<ChartPoint> anchors;
    std::vector<PixelSize> sizes;
    QStringList texts;
    for (const CurveEnd& end : ends) {
        const std::size_t index = static_cast<std::size_t>(end.column - 1) / 2;
        if (index >= widths.size())
            continue;
        const QString text = QString::fromStdString(widths[index]);
        texts << text;
        anchors.push_back(ChartToPixel(end.point));
        sizes.push_back({metrics.horizontalAdvance(text), metrics.height()});
    }
    const std::vector<PixelBox> boxes = PlaceCurveLabels(anchors, sizes);
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font);
    painter.setPen(kCurveColour);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const PixelBox& b = boxes[i];
        // Nothing of a name leaves its box, so none leaves the chart.
        painter.setClipRect(QRect(b.left, b.top, b.width, b.height));
        painter.drawText(QRect(b.left, b.top, b.width, b.height), Qt::AlignLeft | Qt::AlignVCenter,
                         texts[static_cast<qsizetype>(i)]);
    }
}

void ResultsChart::DrawGuideLines(double x, double y) {
    const std::vector<QLineF> lines = GuideLines(x, y);
    if (lines.empty())
        return;
    QPainter painter(&image_);
    Prepare(painter, Qt::black, 1, Qt::DotLine);
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));
}

void ResultsChart::ToggleGuideLines(double x, double y, const ModellingResults& record,
                                    const CurveLabelStyle& labels) {
    const std::vector<QLineF> lines = GuideLines(x, y);
    if (!lines.empty()) {
        QPainter painter(&image_);
        Prepare(painter, Qt::black, 1, Qt::DotLine);
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.drawLines(lines.data(), static_cast<int>(lines.size()));
    }
    // The lines end on the axes: the inversion has cut a hole in each.
    if (framed_)
        DrawChartFrame();
    DrawResultCurves(record, labels);
}

ChartPoint GuidePoint(const ModellingResults& record, double depth, double stress) {
    return MapReading(record, depth, stress);
}

} // namespace vt::results
