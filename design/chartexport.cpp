#include "design/chartexport.h"

#include "app/messages.h"
#include "evaluation/axisticks.h"
#include "storage/qtstorage.h"

#include <QBuffer>
#include <QCategoryAxis>
#include <QChartView>
#include <QFontMetrics>
#include <QPainter>
#include <QSvgGenerator>
#include <QtMath>

namespace vt::design {

namespace {

constexpr double kScreenDotsPerInch = 96;
constexpr double kPrintDotsPerInch = 300;
constexpr int kCaptionMargin = 4; // px around the caption line

} // namespace

// The range and the ticks change together: an old step over a new, far
// larger range would ask for millions of ticks.
void SetRoundTicks(QCategoryAxis* axis, double low, double high,
                   const evaluation::NumberLocale& locale) {
    for (const QString& label : axis->categoriesLabels())
        axis->remove(label);
    axis->setRange(low, high);
    const evaluation::AxisTicks ticks = evaluation::RoundTicks(low, high, 6, locale);
    if (ticks.values.empty())
        return;
    // Each label stands at the end of its category; the first category ends
    // where it starts, at the first tick.
    axis->setStartValue(ticks.values.front());
    for (std::size_t i = 0; i < ticks.values.size(); ++i)
        axis->append(ticks.texts[static_cast<qsizetype>(i)], ticks.values[i]);
}

QImage ChartImage(QChartView* view, const QWidget* fontOf, const QString& caption,
                  PngResolution resolution) {
    const QSize chartSize = view->size();
    const QFontMetrics metrics(fontOf->font());
    const int captionHeight = metrics.height() + 2 * kCaptionMargin;
    const double scale =
        resolution == PngResolution::Print ? kPrintDotsPerInch / kScreenDotsPerInch : 1.0;
    const QSize logical(chartSize.width(), captionHeight + chartSize.height());
    QImage image(QSize(qCeil(logical.width() * scale), qCeil(logical.height() * scale)),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    if (resolution == PngResolution::Print) {
        const int dotsPerMetre = qRound(kPrintDotsPerInch / 0.0254);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    painter.setFont(fontOf->font());
    painter.setPen(Qt::black);
    const QRect line(kCaptionMargin, kCaptionMargin, chartSize.width() - 2 * kCaptionMargin,
                     metrics.height());
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                     metrics.elidedText(caption, Qt::ElideRight, line.width()));
    const QRect chartArea(QPoint(0, captionHeight), chartSize);
    if (resolution == PngResolution::Screen)
        painter.drawPixmap(chartArea.topLeft(), view->grab());
    else // drawn again at the finer resolution, not enlarged
        view->render(&painter, QRectF(chartArea), view->viewport()->rect());
    return image;
}

// Each export is made whole in memory and saved through the one save helper:
// a failed save leaves an older file as it was.
bool SaveChartPng(QChartView* view, const QWidget* fontOf, const QString& caption,
                  const QString& path, PngResolution resolution, QString* reason) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) ||
        !ChartImage(view, fontOf, caption, resolution).save(&buffer, "PNG")) {
        *reason = QStringLiteral("the image could not be made");
        return false;
    }
    return storage::Save(path, bytes, reason);
}

bool SaveChartSvg(QChartView* view, const QString& title, const QString& description,
                  const QString& path, QString* reason) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(view->size());
    svg.setViewBox(QRect(QPoint(0, 0), view->size()));
    svg.setTitle(title);
    svg.setDescription(description);
    QPainter painter;
    bool drawn = painter.begin(&svg);
    if (drawn) {
        view->render(&painter);
        drawn = painter.end();
    }
    if (!drawn || bytes.isEmpty()) {
        *reason = QStringLiteral("the drawing could not be made");
        return false;
    }
    return storage::Save(path, bytes, reason);
}

void ExportChart(QWidget* parent, const QString& stem, const QString& extension,
                 const QStringList& filters, const QString& title,
                 const std::function<bool(const FileAnswer&, QString*)>& write) {
    const FileAnswer answer =
        AskForFile(parent, {FileQuestion::Kind::Save,
                            QStringLiteral("Export the chart as %1").arg(extension.toUpper()),
                            QStringLiteral("%1.%2").arg(stem, extension), filters, extension,
                            FileQuestion::Files::Exports});
    if (!answer.chosen())
        return;
    QString reason;
    if (!write(answer, &reason))
        ShowMessage(
            QStringLiteral("The file \"%1\" could not be written: %2.").arg(answer.path, reason),
            title);
}

} // namespace vt::design
