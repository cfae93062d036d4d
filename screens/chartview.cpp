#include "screens/chartview.h"

#include "app/numbers.h"
#include "app/ui.h"
#include "results/core/chartgeometry.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>

namespace vt {

namespace {

QLabel* Picture(QWidget* parent, const QString& name, const QRect& place, const QString& text,
                bool upwards) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(place);
    label->setPixmap(AxisTitlePicture(text, place.size(), upwards));
    label->setAccessibleName(text);
    return label;
}

} // namespace

QPixmap AxisTitlePicture(const QString& text, const QSize& size, bool upwards) {
    QPixmap picture(size);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(ArialFont(9, true));
    painter.setPen(Qt::black);
    if (upwards) {
        // Turned a quarter to the left: the text reads from the bottom up.
        painter.translate(0, size.height());
        painter.rotate(-90);
        painter.drawText(QRect(0, 0, size.height(), size.width()), Qt::AlignCenter, text);
    } else {
        painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, text);
    }
    return picture;
}

ChartView::ChartView(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("Picture1(0)"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(results::kChartSizePixels, results::kChartSizePixels);

    const QFont labelFont = ArialFont(6.75);
    for (int k = 0; k < results::kAxisLabelCount; ++k) {
        const results::TwipsBox box = results::AxisLabelBox(k);
        auto* label = new QLabel(QStringLiteral("0.00"), this);
        label->setObjectName(QStringLiteral("Label1(%1)").arg(k));
        label->setGeometry(TwipsRect(box.left, box.top, box.width, box.height));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setFont(labelFont);
        SetBackground(label, kWhite);
        labels_.append(label);
    }
    Picture(this, QStringLiteral("Image1(0)"), TwipsRect(90, 2400, 435, 2205),
            QStringLiteral("Pillar stress (MPa)"), true);
    Picture(this, QStringLiteral("Image3(0)"), TwipsRect(3360, 6900, 1335, 435),
            QStringLiteral("Depth (m)"), false);
}

void ChartView::clearChart() {
    chart_.Clear();
    update();
}

void ChartView::drawChartFrame() {
    chart_.DrawChartFrame();
    update();
}

void ChartView::drawAxisLabels(const results::ModellingResults& record) {
    const std::vector<std::string> texts =
        results::AxisLabelTexts(record, DecimalSeparator().toStdString());
    for (int k = 0; k < labels_.size() && k < static_cast<int>(texts.size()); ++k)
        labels_[k]->setText(QString::fromStdString(texts[static_cast<std::size_t>(k)]));
}

results::CurveLabelStyle ChartView::curveLabelStyle() const {
    return {ArialFont(6.75), DecimalSeparator().toStdString()};
}

void ChartView::drawResultCurves(const results::ModellingResults& record) {
    chart_.DrawResultCurves(record, curveLabelStyle());
    update();
}

void ChartView::drawGuideLines(results::ChartPoint point) {
    chart_.DrawGuideLines(point.x, point.y);
    update();
}

void ChartView::toggleGuideLines(results::ChartPoint point,
                                 const results::ModellingResults& record) {
    chart_.ToggleGuideLines(point.x, point.y, record, curveLabelStyle());
    update();
}

void ChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), chart_.image());
}

} // namespace vt
