// The two charts of the strength formulas window: the strength of every
// formula shown against W:H at the pillar's height, with the pillar's stress
// as a line and its W:H marked; and the stability graph, the pillar stress
// over the UCS against W:H with the confinement formula's curves for FOS 1.0
// and 1.4 dividing "failed", "unstable" and "stable", the pillar as a point.
// Each exports as PNG, SVG and CSV.
#pragma once

#include "design/chartexport.h"
#include "design/chartpane.h"
#include "evaluation/csv.h"
#include "evaluation/strengthformulas.h"

#include <QColor>
#include <QWidget>
#include <optional>
#include <vector>

class QAreaSeries;
class QCategoryAxis;
class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QPushButton;
class QScatterSeries;

namespace vt::design {

enum class FormulaChartKind { Strength, Stability };

// The CSV of a chart: a header line, then one row per W:H (a point for the
// decimals, an empty field where a formula has no strength).
QString
FormulaChartCsv(FormulaChartKind kind, const evaluation::FormulaCharts& charts,
                evaluation::CsvConvention convention = evaluation::CsvConvention::CommaPoint);

// The colour of a formula's curve, by its row's key: the screen's in the
// curves' blue, the presets by their place, the user's last.
QColor FormulaColour(const QString& key);

class FormulaChart : public QWidget {
    Q_OBJECT
public:
    // `prefix` names the widgets: cht<prefix>, cmd<prefix>PNG, ...
    FormulaChart(FormulaChartKind kind, const QString& prefix, QWidget* parent = nullptr);

    void showCharts(const evaluation::FormulaCharts& charts, const QString& caption,
                    const evaluation::NumberLocale& locale);
    // An empty chart that says why.
    void showMessage(const QString& message);

    bool exportPng(const QString& path, PngResolution resolution, QString* reason);
    bool exportSvg(const QString& path, QString* reason);
    bool exportCsv(const QString& path, evaluation::CsvConvention convention, QString* reason);

    FormulaChartKind kind() const { return kind_; }
    QChart* chart() const { return chart_; }
    QChartView* view() const { return view_; }
    // The curves drawn (one list of runs per formula shown), for tests.
    std::vector<std::vector<QList<QPointF>>> drawnCurves() const;
    QList<QPointF> pillarPoint() const;

    QPushButton* cmdPNG = nullptr;
    QPushButton* cmdSVG = nullptr;
    QPushButton* cmdCSV = nullptr;
    QLabel* lblMessage = nullptr;

private:
    void buildStrength();
    void buildStability();
    void drawStrength(const evaluation::FormulaCharts& charts,
                      const evaluation::NumberLocale& locale);
    void drawStability(const evaluation::FormulaCharts& charts,
                       const evaluation::NumberLocale& locale);
    void clear();
    void updateLegend();
    QString fileStem() const;

    FormulaChartKind kind_;
    QChart* chart_ = nullptr;
    QChartView* view_ = nullptr;
    QCategoryAxis* axisX_ = nullptr;
    QCategoryAxis* axisY_ = nullptr;
    std::vector<SeriesPool> curves_; // the strength chart: one a formula row
    QLineSeries* stress_ = nullptr;
    QLineSeries* ratioMark_ = nullptr;
    QLineSeries* failed_ = nullptr;
    QLineSeries* stable_ = nullptr;
    std::vector<QAreaSeries*> zones_;
    QScatterSeries* pillar_ = nullptr;
    std::optional<evaluation::FormulaCharts> shown_;
    QString caption_;
};

} // namespace vt::design
