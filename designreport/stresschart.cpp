#include "designreport/stresschart.h"

#include "evaluation/steps.h"
#include "results/chart.h"
#include "results/core/chartgeometry.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <memory>

namespace vt::designreport {

std::optional<Drawing> StressChartDrawing(const results::ModellingResults& table,
                                          const QString& depth, const QString& stress,
                                          const evaluation::NumberLocale& locale) {
    if (table.FileName.empty() || table.LineCount < 2)
        return std::nullopt;
    // The curves as one path in the chart's pixels, made once.
    auto curves = std::make_shared<QPainterPath>();
    results::ForEachCurveSegment(table, [&curves](const results::ChartSegment& s) {
        const auto clipped = results::ClipSegment(s, 4 * results::kChartSizePixels);
        if (!clipped)
            return;
        const results::ChartPoint from = results::ChartToPixel(clipped->from);
        const results::ChartPoint to = results::ChartToPixel(clipped->to);
        curves->moveTo(from.x, from.y);
        curves->lineTo(to.x, to.y);
    });
    const std::vector<std::string> labels =
        results::AxisLabelTexts(table, locale.decimalPoint().toStdString());
    std::optional<results::ChartPoint> guide;
    if (const auto values = evaluation::GuideLineValues(depth, stress, locale);
        values && !stress.isEmpty())
        guide = results::ChartToPixel(results::GuidePoint(table, values->depth, values->stress));

    Drawing drawing;
    drawing.size = QSizeF(300, 300);
    drawing.caption =
        QStringLiteral("Average pillar stress (MPa) against depth (m) for each "
                       "modelled pillar width%1")
            .arg(
                guide
                    ? QStringLiteral(", with the guide lines at %1 m and %2 MPa").arg(depth, stress)
                    : QString());
    drawing.draw = [curves, labels, guide](QPainter& painter, const QRectF& box) {
        painter.save();
        painter.translate(box.topLeft());
        const double scale = box.width() / results::kChartSizePixels;
        painter.scale(scale, scale);
        painter.setClipRect(QRectF(0, 0, results::kChartSizePixels, results::kChartSizePixels));
        const QPointF origin(results::kChartOriginX, results::kChartOriginY);
        painter.setPen(QPen(Qt::black, 2));
        painter.drawLine(origin, origin + QPointF(results::kAxisLength, 0));
        painter.drawLine(origin, origin - QPointF(0, results::kAxisLength));
        painter.setPen(QPen(Qt::black, 1));
        for (int k = 0; k <= results::kAxisLength; k += results::kTickSpacing) {
            painter.drawLine(origin + QPointF(k, -results::kTickHalfLength),
                             origin + QPointF(k, results::kTickHalfLength));
            painter.drawLine(origin + QPointF(-results::kTickHalfLength, -k),
                             origin + QPointF(results::kTickHalfLength, -k));
        }
        painter.setPen(QPen(results::kCurveColour, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(*curves);
        if (guide) {
            painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
            painter.drawLine(QPointF(guide->x, origin.y()), QPointF(guide->x, guide->y));
            painter.drawLine(QPointF(origin.x(), guide->y), QPointF(guide->x, guide->y));
        }
        QFont font = painter.font();
        font.setPixelSize(8);
        painter.setFont(font);
        painter.setPen(Qt::black);
        for (int i = 0; i < static_cast<int>(labels.size()); ++i) {
            const results::TwipsBox t = results::AxisLabelBox(i);
            const QRectF place(t.left / 15.0, t.top / 15.0, t.width / 15.0, t.height / 15.0);
            painter.drawText(place, Qt::AlignCenter,
                             QString::fromStdString(labels[static_cast<std::size_t>(i)]));
        }
        painter.restore();
    };
    return drawing;
}

} // namespace vt::designreport
