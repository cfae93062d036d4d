// One tab of the design charts: a curve of the screen's design against one
// quantity, with the range it is swept over, the marks (the screen's design,
// FOS 1.0 and 1.6, the W:H < 2.5 span, the start of the squat formula), the
// exact shown values under the mouse and the exports (PNG, SVG, CSV).
#pragma once

#include "app/filedialogs.h"
#include "design/chartexport.h"
#include "design/sweep.h"

#include <QChartView>
#include <QImage>
#include <QPen>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <vector>

class QAreaSeries;
class QCategoryAxis;
class QChart;
class QLabel;
class QLineEdit;
class QLineSeries;
class QPushButton;
class QScatterSeries;
class QValueAxis;

namespace vt::design {

// A chart view that tells where the mouse is, in the chart's values.
class HoverChartView : public QChartView {
    Q_OBJECT
public:
    explicit HoverChartView(QChart* chart, QWidget* parent = nullptr);

signals:
    void hovered(QPointF value);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
};

enum class ChartKind {
    FactorOfSafety,    // FOS against the quantity
    StrengthAndStress, // pillar strength and average pillar stress against it
};

// Line series that draw runs of points, one series a run (Qt Charts joins
// every point of a series), the first one in the legend.
class SeriesPool {
public:
    SeriesPool(QChart* chart, const QString& name, const QPen& pen, QValueAxis* x, QValueAxis* y);
    void set(const std::vector<QList<QPointF>>& runs);
    const std::vector<QLineSeries*>& series() const { return series_; }

private:
    QLineSeries* add();

    QChart* chart_;
    QString name_;
    QPen pen_;
    QValueAxis* x_;
    QValueAxis* y_;
    std::vector<QLineSeries*> series_;
};

class ChartPane : public QWidget {
    Q_OBJECT
public:
    // `prefix` names the pane's widgets: txt<prefix>From, cmd<prefix>PNG, ...
    ChartPane(Quantity quantity, ChartKind kind, const QString& prefix, QWidget* parent = nullptr);

    // Draws the design's curve over the range typed (or around the design
    // when none was typed).
    void showDesign(const BaseDesign& base);
    // An empty chart that says why there is no curve.
    void showRefusal(const evaluation::Refusal& refusal);
    // The next design gets the range around its own value again.
    void resetRange();
    // The range as typed (from, to, step), or none while the chart takes the
    // range around the design.
    std::optional<std::array<QString, 3>> typedRange() const;
    // Types a range, as the user does, and draws the chart over it.
    void setTypedRange(const std::array<QString, 3>& range);

    // What the mouse shows at the point nearest to x.
    void hoverAt(double x);
    // The PNG: a caption line naming the design above the chart, at the
    // screen's pixels or drawn again at 300 dpi for print.
    QImage pngImage(PngResolution resolution) const;
    // Each export says why it failed in reason.
    bool exportPng(const QString& path, PngResolution resolution, QString* reason);
    // The caption line of the exported PNG.
    QString caption() const;
    bool exportSvg(const QString& path, QString* reason);
    // The CSV in one convention throughout (evaluation/csv.h).
    bool exportCsv(const QString& path, evaluation::CsvConvention convention, QString* reason);

    Quantity quantity() const { return quantity_; }
    ChartKind kind() const { return kind_; }
    const std::optional<Curve>& curve() const { return curve_; }
    QChart* chart() const { return chart_; }
    HoverChartView* view() const { return view_; }
    // The points drawn (runs of points with a result), per curve series.
    std::vector<QList<QPointF>> drawn() const;

    QLineEdit* txtFrom = nullptr;
    QLineEdit* txtTo = nullptr;
    QLineEdit* txtStep = nullptr;
    QPushButton* cmdRange = nullptr;
    QPushButton* cmdPNG = nullptr;
    QPushButton* cmdSVG = nullptr;
    QPushButton* cmdCSV = nullptr;
    QLabel* lblMessage = nullptr;
    QLabel* lblHover = nullptr;

private:
    void buildChart();
    void buildMarks();
    QWidget* buildControls(const QString& prefix);
    void range_Edited();
    void cmdRange_Click();
    void export_Click(const QString& extension, const QStringList& filters,
                      const std::function<bool(const FileAnswer&, QString*)>& write);
    void redraw();
    void clearChart(const QString& message);
    void draw(const Curve& curve);
    void drawMarks(const Curve& curve, double low, double high);
    // The legend names only the series that have something on the chart.
    void updateLegend();
    std::pair<double, double> valueRange(const Curve& curve) const;
    QString hoverText(std::size_t index) const;
    QString gapsText(const Curve& curve) const;
    QString fileStem() const;

    Quantity quantity_;
    ChartKind kind_;
    QChart* chart_ = nullptr;
    HoverChartView* view_ = nullptr;
    QCategoryAxis* axisX_ = nullptr;
    QCategoryAxis* axisY_ = nullptr;
    std::vector<SeriesPool> curves_;
    std::optional<SeriesPool> squat_;
    QLineSeries* fos1_ = nullptr;
    QLineSeries* fos16_ = nullptr;
    QLineSeries* bandUpper_ = nullptr;
    QLineSeries* bandLower_ = nullptr;
    QAreaSeries* band_ = nullptr;
    QScatterSeries* current_ = nullptr;
    QScatterSeries* hover_ = nullptr;
    std::optional<BaseDesign> base_;
    std::optional<Curve> curve_;
    bool typedRange_ = false;
};

} // namespace vt::design
