#include "probability/histogramchart.h"

#include "evaluation/axisticks.h"
#include "storage/qtstorage.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

namespace vt::probability {

namespace {

constexpr double kLeft = 58;
constexpr double kRight = 16;
constexpr double kTop = 52; // room for three rows of line labels
constexpr double kBottom = 58;

double LargestShare(const HistogramPicture& p) {
    std::uint64_t most = 0;
    for (std::uint64_t c : p.histogram.counts)
        most = std::max(most, c);
    return p.samples ? static_cast<double>(most) / static_cast<double>(p.samples) : 0;
}

} // namespace

double HistogramGeometry::x(double fos) const {
    return plot.left() + (fos - lower) / (upper - lower) * plot.width();
}

double HistogramGeometry::y(double share) const {
    return plot.bottom() - share / topShare * plot.height();
}

HistogramGeometry GeometryOf(const HistogramPicture& p, const QRectF& area) {
    HistogramGeometry g;
    g.plot = area.adjusted(kLeft, kTop, -kRight, -kBottom);
    g.lower = p.histogram.lower;
    g.upper = p.histogram.counts.empty() ? g.lower + 1 : p.histogram.upper();
    // The largest bar reaches a round share near the top.
    const double most = std::max(LargestShare(p), 1e-9);
    const double step = evaluation::RoundStepAtLeast(most / 5).value;
    g.topShare = std::ceil(most / step * 1.05) * step;
    return g;
}

QFont FittingFont(const QFont& font, const QString& text, QSizeF room) {
    QFont fitted = font;
    const double from = font.pointSizeF() > 0 ? font.pointSizeF() : 10;
    for (double size = from; size >= kSmallestNotePoints; size -= 0.25) {
        fitted.setPointSizeF(size);
        const QFontMetricsF metrics(fitted);
        if (metrics.horizontalAdvance(text) <= room.width() && metrics.height() <= room.height())
            return fitted;
    }
    fitted.setPointSizeF(kSmallestNotePoints);
    return fitted;
}

namespace {

void DrawBars(QPainter& painter, const HistogramGeometry& g, const HistogramPicture& p) {
    painter.setPen(QPen(kBarEdge, 1));
    painter.setBrush(kBarFill);
    const auto total = static_cast<double>(p.samples);
    for (std::size_t i = 0; i < p.histogram.counts.size(); ++i) {
        const double share = static_cast<double>(p.histogram.counts[i]) / total;
        if (share <= 0)
            continue;
        const QPointF topLeft(g.x(p.histogram.edge(i)), g.y(share));
        const QPointF bottomRight(g.x(p.histogram.edge(i + 1)), g.plot.bottom());
        painter.drawRect(QRectF(topLeft, bottomRight));
    }
}

void DrawAxes(QPainter& painter, const HistogramGeometry& g,
              const evaluation::NumberLocale& locale) {
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(g.plot.bottomLeft(), g.plot.bottomRight());
    painter.drawLine(g.plot.bottomLeft(), g.plot.topLeft());
    const QFontMetricsF metrics(painter.font());
    const evaluation::AxisTicks xs = evaluation::RoundTicks(g.lower, g.upper, 8, locale);
    for (std::size_t i = 0; i < xs.values.size(); ++i) {
        const double x = g.x(xs.values[i]);
        painter.drawLine(QPointF(x, g.plot.bottom()), QPointF(x, g.plot.bottom() + 4));
        painter.drawText(QRectF(x - 40, g.plot.bottom() + 6, 80, metrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, xs.texts[static_cast<qsizetype>(i)]);
    }
    // The shares are labelled in percent.
    const evaluation::AxisTicks ys = evaluation::RoundTicks(0, g.topShare * 100, 5, locale);
    for (std::size_t i = 0; i < ys.values.size(); ++i) {
        const double y = g.y(ys.values[i] / 100);
        painter.drawLine(QPointF(g.plot.left() - 4, y), QPointF(g.plot.left(), y));
        painter.drawText(QRectF(0, y - metrics.height() / 2, g.plot.left() - 6, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, ys.texts[static_cast<qsizetype>(i)]);
    }
    painter.drawText(QRectF(g.plot.left(), g.plot.bottom() + 6 + metrics.height(), g.plot.width(),
                            metrics.height()),
                     Qt::AlignHCenter, QStringLiteral("Factor of safety"));
    painter.save();
    painter.translate(12, g.plot.center().y());
    painter.rotate(-90);
    // Along the plot's height, however low the plot.
    const QString title = QStringLiteral("Share of samples (%)");
    painter.setFont(FittingFont(painter.font(), title, QSizeF(g.plot.height(), metrics.height())));
    painter.drawText(
        QRectF(-g.plot.height() / 2, -metrics.height() / 2, g.plot.height(), metrics.height()),
        Qt::AlignCenter, title);
    painter.restore();
}

struct Mark {
    double fos;
    QColor colour;
    Qt::PenStyle style;
    QString label;
};

void DrawMarks(QPainter& painter, const HistogramGeometry& g, const HistogramPicture& p,
               const evaluation::NumberLocale& locale) {
    const Mark marks[] = {
        {1.0, kFailureLine, Qt::SolidLine, QStringLiteral("FOS 1")},
        {static_cast<double>(engine::kSafetyLimit), kLimitLine, Qt::DashLine,
         QStringLiteral("FOS %1").arg(evaluation::ShowResult(engine::kSafetyLimit, 1, locale))},
        {p.screenFos, kScreenLine, Qt::SolidLine,
         QStringLiteral("screen FOS %1").arg(p.screenFosText)},
    };
    const QFontMetricsF metrics(painter.font());
    double labelRight = -1e9; // labels that would overlap go one line lower
    double row = 0;
    for (const Mark& m : marks) {
        if (!std::isfinite(m.fos) || m.fos < g.lower || m.fos > g.upper)
            continue;
        const double x = std::round(g.x(m.fos));
        painter.setPen(QPen(m.colour, 2, m.style));
        painter.drawLine(QPointF(x, g.plot.top()), QPointF(x, g.plot.bottom()));
        const double width = metrics.horizontalAdvance(m.label);
        row = x - width / 2 < labelRight + 4 ? row + 1 : 0;
        labelRight = std::max(labelRight, x + width / 2);
        painter.setPen(m.colour);
        painter.drawText(QRectF(x - width / 2, g.plot.top() - 4 - metrics.height() * (1 + row),
                                width + 2, metrics.height()),
                         Qt::AlignCenter, m.label);
    }
}

void DrawOutside(QPainter& painter, const QRectF& area, const HistogramGeometry& g,
                 const HistogramPicture& p, const evaluation::NumberLocale& locale) {
    if (p.histogram.below == 0 && p.histogram.above == 0)
        return;
    QStringList parts;
    const QLocale& l = locale.locale();
    if (p.histogram.below)
        parts << QStringLiteral("%1 below %2")
                     .arg(l.toString(static_cast<qulonglong>(p.histogram.below)),
                          evaluation::ShowResult(p.histogram.lower, 3, locale));
    if (p.histogram.above)
        parts << QStringLiteral("%1 above %2")
                     .arg(l.toString(static_cast<qulonglong>(p.histogram.above)),
                          evaluation::ShowResult(p.histogram.upper(), 3, locale));
    const QString note = QStringLiteral("Not drawn: %1").arg(parts.join(QStringLiteral(", ")));
    // Below the axis title, across the whole picture.
    const double height = QFontMetricsF(painter.font()).height();
    const QRectF room(QPointF(area.left() + 4, g.plot.bottom() + 6 + 2 * height),
                      QPointF(area.right() - 4, area.bottom() - 1));
    painter.save();
    painter.setFont(FittingFont(painter.font(), note, room.size()));
    painter.setPen(Qt::black);
    painter.drawText(room, Qt::AlignBottom | Qt::AlignRight, note);
    painter.restore();
}

} // namespace

void DrawHistogram(QPainter& painter, const QRectF& area, const HistogramPicture& p,
                   const evaluation::NumberLocale& locale) {
    painter.save();
    painter.fillRect(area, Qt::white);
    painter.translate(area.topLeft());
    const QRectF local(QPointF(0, 0), area.size());
    const HistogramGeometry g = GeometryOf(p, local);
    if (p.samples > 0 && !p.histogram.counts.empty()) {
        DrawBars(painter, g, p);
        DrawMarks(painter, g, p, locale);
    }
    DrawAxes(painter, g, locale);
    DrawOutside(painter, local, g, p, locale);
    painter.restore();
}

namespace {

void Paint(QPaintDevice& device, const HistogramPicture& p,
           const evaluation::NumberLocale& locale) {
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawHistogram(painter, QRectF(0, 0, kExportWidth, kExportHeight), p, locale);
}

} // namespace

// Both are made whole in memory and saved through the one save helper: a
// failed save leaves an older file as it was.
bool SaveHistogramPng(const QString& path, const HistogramPicture& p,
                      const evaluation::NumberLocale& locale, QString* error) {
    QImage image(kExportWidth, kExportHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    Paint(image, p, locale);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        if (error)
            *error = QStringLiteral("the image could not be made");
        return false;
    }
    return storage::Save(path, bytes, error);
}

bool SaveHistogramSvg(const QString& path, const HistogramPicture& p,
                      const evaluation::NumberLocale& locale, QString* error) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(QSize(kExportWidth, kExportHeight));
        svg.setViewBox(QRect(0, 0, kExportWidth, kExportHeight));
        svg.setTitle(QStringLiteral("Factor of safety of the samples"));
        Paint(svg, p, locale);
    }
    if (bytes.isEmpty()) {
        if (error)
            *error = QStringLiteral("the drawing could not be made");
        return false;
    }
    return storage::Save(path, bytes, error);
}

HistogramView::HistogramView(QWidget* parent)
    : QWidget(parent) {
    setMinimumSize(320, 240);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void HistogramView::setPicture(const HistogramPicture& picture) {
    picture_ = picture;
    hasPicture_ = true;
    update();
}

void HistogramView::clear() {
    picture_ = {};
    hasPicture_ = false;
    update();
}

void HistogramView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!hasPicture_) {
        painter.fillRect(rect(), palette().window());
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("No run yet"));
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    DrawHistogram(painter, QRectF(rect()), picture_, evaluation::NumberLocale::Current());
}

} // namespace vt::probability
