// The picture box of the interpolation screen that shows the results chart:
// the persistent chart image (painted in paintEvent, so it survives being
// covered), the 22 value labels Label1(0..21) beside the ticks and the two
// axis-title pictures Image1(0) ("Pillar stress (MPa)", upwards) and Image3(0)
// ("Depth (m)").
#pragma once

#include "results/chart.h"
#include "results/modellingresults.h"

#include <QList>
#include <QWidget>

class QLabel;

namespace vt {

class ChartView : public QWidget {
    Q_OBJECT
public:
    explicit ChartView(QWidget* parent = nullptr);

    const QImage& image() const { return chart_.image(); }
    const QList<QLabel*>& valueLabels() const { return labels_; }
    // The curves' names: Arial 6.75 pt, the locale's decimal separator.
    results::CurveLabelStyle curveLabelStyle() const;

    // White all over.
    void clearChart();
    // Axes and ticks.
    void drawChartFrame();
    // The value labels from the record's ranges ("0.00" when they are 0).
    void drawAxisLabels(const results::ModellingResults& record);
    // One blue polyline per curve, named by its pillar width at its end.
    void drawResultCurves(const results::ModellingResults& record);
    // Black dotted guide lines to a chart point.
    void drawGuideLines(results::ChartPoint point);
    // The same lines inverted, then the curves again.
    void toggleGuideLines(results::ChartPoint point, const results::ModellingResults& record);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    results::ResultsChart chart_;
    QList<QLabel*> labels_;
};

// The axis-title pictures, drawn by the program: text in Arial on white, the
// stress title turned to run upwards.
QPixmap AxisTitlePicture(const QString& text, const QSize& size, bool upwards);

} // namespace vt
