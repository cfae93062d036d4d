#include "design/formulacharts.h"

#include "app/ui.h"
#include "design/sweep.h"
#include "engine/engine.h"
#include "storage/qtstorage.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace vt::design {

using evaluation::FormulaCharts;

namespace {

const QString kTitle = QStringLiteral("Strength formulas");
const QColor kStressMaroon(128, 0, 0);
const QColor kMarkGrey(96, 96, 96);
// The formulas' colours after the screen's blue, in table order.
const QColor kPalette[] = {QColor(0, 128, 0),   QColor(200, 100, 0), QColor(128, 0, 128),
                           QColor(0, 128, 128), QColor(160, 0, 0),   QColor(90, 90, 0),
                           QColor(255, 0, 160), QColor(0, 0, 0),     QColor(100, 60, 200)};

} // namespace

QColor FormulaColour(const QString& key) {
    std::size_t index = 0;
    for (const engine::StrengthPreset& preset : engine::kStrengthPresets) {
        if (key == QLatin1String(preset.key.data(), static_cast<qsizetype>(preset.key.size())))
            return index == 0 ? kCurveBlue : kPalette[(index - 1) % std::size(kPalette)];
        ++index;
    }
    return kPalette[std::size(kPalette) - 1];
}

namespace {

QPen Pen(const QColor& colour, qreal width, Qt::PenStyle style = Qt::SolidLine) {
    QPen pen(colour, width, style);
    pen.setCosmetic(true);
    return pen;
}

void Attach(QChart* chart, QAbstractSeries* series, QCategoryAxis* x, QCategoryAxis* y) {
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

void ShowInLegend(QChart* chart, QAbstractSeries* series, bool shown) {
    const QList<QLegendMarker*> markers = chart->legend()->markers(series);
    if (!markers.isEmpty())
        markers.front()->setVisible(shown);
}

// The runs of finite values of a curve.
std::vector<QList<QPointF>> Runs(const std::vector<double>& x, const std::vector<double>& y) {
    std::vector<QList<QPointF>> runs;
    bool open = false;
    for (std::size_t i = 0; i < x.size() && i < y.size(); ++i) {
        if (!std::isfinite(y[i])) {
            open = false;
            continue;
        }
        if (!open)
            runs.emplace_back();
        open = true;
        runs.back().append(QPointF(x[i], y[i]));
    }
    return runs;
}

QList<QPointF> Points(const std::vector<double>& x, const std::vector<double>& y) {
    QList<QPointF> points;
    for (const QList<QPointF>& run : Runs(x, y))
        points += run;
    return points;
}

QString Number(double value, evaluation::CsvConvention convention) {
    return std::isfinite(value) ? evaluation::CsvNumber(value, convention) : QString();
}

} // namespace

QString FormulaChartCsv(FormulaChartKind kind, const FormulaCharts& charts,
                        evaluation::CsvConvention convention) {
    QStringList header{QStringLiteral("W:H")};
    if (kind == FormulaChartKind::Strength) {
        for (const evaluation::RatioCurve& curve : charts.strength)
            header << curve.name + QStringLiteral(" (MPa)");
        header << QStringLiteral("Pillar stress (MPa)");
    } else {
        header << QStringLiteral("Stress/UCS at FOS 1.0") << QStringLiteral("Stress/UCS at FOS 1.4")
               << QStringLiteral("Pillar stress/UCS");
    }
    QString csv = CsvRow(header, convention);
    for (std::size_t i = 0; i < charts.ratios.size(); ++i) {
        const double r = charts.ratios[i];
        QStringList row{Number(r, convention)};
        if (kind == FormulaChartKind::Strength) {
            for (const evaluation::RatioCurve& curve : charts.strength)
                row << Number(curve.values[i], convention);
            row << Number(charts.stress, convention);
        } else {
            row << Number(charts.failedAbove[i], convention)
                << Number(charts.stableBelow[i], convention)
                << (r == charts.pillarRatio && charts.pillarStressOverUcs
                        ? Number(*charts.pillarStressOverUcs, convention)
                        : QString());
        }
        csv += CsvRow(row, convention);
    }
    return csv;
}

FormulaChart::FormulaChart(FormulaChartKind kind, const QString& prefix, QWidget* parent)
    : QWidget(parent)
    , kind_(kind) {
    setObjectName(QStringLiteral("pane%1").arg(prefix));
    chart_ = new QChart;
    chart_->legend()->setAlignment(Qt::AlignBottom);
    // Room for the plot in a window that fits a laptop's display.
    chart_->setMargins(QMargins(2, 2, 2, 2));
    chart_->layout()->setContentsMargins(0, 0, 0, 0);
    QFont titleFont = chart_->titleFont();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 0.9);
    chart_->setTitleFont(titleFont);
    axisX_ = new QCategoryAxis(chart_);
    axisX_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axisX_->setTitleText(QStringLiteral("W:H"));
    axisY_ = new QCategoryAxis(chart_);
    axisY_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    chart_->addAxis(axisX_, Qt::AlignBottom);
    chart_->addAxis(axisY_, Qt::AlignLeft);
    if (kind_ == FormulaChartKind::Strength)
        buildStrength();
    else
        buildStability();
    pillar_ = new QScatterSeries(chart_);
    pillar_->setName(QStringLiteral("The pillar"));
    pillar_->setMarkerSize(10);
    pillar_->setColor(Qt::black);
    pillar_->setBorderColor(Qt::white);
    Attach(chart_, pillar_, axisX_, axisY_);

    view_ = new QChartView(chart_, this);
    view_->setObjectName(QStringLiteral("cht%1").arg(prefix));
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setMinimumSize(420, 220);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_, 1);
    auto* row = new QHBoxLayout;
    lblMessage = new QLabel(this);
    lblMessage->setObjectName(QStringLiteral("lbl%1Message").arg(prefix));
    lblMessage->setWordWrap(true);
    row->addWidget(lblMessage, 1);
    const auto button = [&](const QString& caption, const QString& name) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QStringLiteral("cmd%1%2").arg(prefix, name));
        row->addWidget(b);
        return b;
    };
    cmdPNG = button(QStringLiteral("Export &PNG..."), QStringLiteral("PNG"));
    cmdSVG = button(QStringLiteral("Export S&VG..."), QStringLiteral("SVG"));
    cmdCSV = button(QStringLiteral("Export &CSV..."), QStringLiteral("CSV"));
    layout->addLayout(row);
    connect(cmdPNG, &QPushButton::clicked, this, [this] {
        ExportChart(this, fileStem(), QStringLiteral("png"), {kPngScreenFilter, kPngPrintFilter},
                    kTitle, [this](const FileAnswer& answer, QString* reason) {
                        return exportPng(answer.path,
                                         answer.filter == kPngPrintFilter ? PngResolution::Print
                                                                          : PngResolution::Screen,
                                         reason);
                    });
    });
    connect(cmdSVG, &QPushButton::clicked, this, [this] {
        ExportChart(this, fileStem(), QStringLiteral("svg"), {kSvgFilter}, kTitle,
                    [this](const FileAnswer& answer, QString* reason) {
                        return exportSvg(answer.path, reason);
                    });
    });
    connect(cmdCSV, &QPushButton::clicked, this, [this] {
        ExportChart(this, fileStem(), QStringLiteral("csv"), evaluation::CsvFilters(), kTitle,
                    [this](const FileAnswer& answer, QString* reason) {
                        return exportCsv(answer.path,
                                         evaluation::CsvConventionOfFilter(answer.filter), reason);
                    });
    });
    clear();
}

void FormulaChart::buildStrength() {
    chart_->setTitle(QStringLiteral("Pillar strength against W:H at the pillar's height"));
    axisY_->setTitleText(QStringLiteral("MPa"));
    stress_ = new QLineSeries(chart_);
    stress_->setName(QStringLiteral("Pillar stress"));
    stress_->setPen(Pen(kStressMaroon, 2, Qt::DashLine));
    Attach(chart_, stress_, axisX_, axisY_);
    ratioMark_ = new QLineSeries(chart_);
    ratioMark_->setName(QStringLiteral("The pillar's W:H"));
    ratioMark_->setPen(Pen(kMarkGrey, 1, Qt::DotLine));
    Attach(chart_, ratioMark_, axisX_, axisY_);
}

void FormulaChart::buildStability() {
    chart_->setTitle(QStringLiteral("Stability graph: pillar stress / UCS against W:H"));
    axisY_->setTitleText(QStringLiteral("Stress / UCS"));
    struct Zone {
        const char* name;
        QColor colour;
    };
    const Zone zones[] = {{"Failed", QColor(255, 0, 0, 50)},
                          {"Unstable", QColor(255, 200, 0, 60)},
                          {"Stable", QColor(0, 170, 0, 45)}};
    for (const Zone& z : zones) {
        auto* upper = new QLineSeries(chart_);
        auto* lower = new QLineSeries(chart_);
        auto* area = new QAreaSeries(upper, lower);
        area->setName(QString::fromLatin1(z.name));
        area->setBrush(z.colour);
        area->setPen(Qt::NoPen);
        Attach(chart_, area, axisX_, axisY_);
        zones_.push_back(area);
    }
    failed_ = new QLineSeries(chart_);
    failed_->setName(QStringLiteral("FOS 1.0"));
    failed_->setPen(Pen(kWarningRed, 2));
    Attach(chart_, failed_, axisX_, axisY_);
    stable_ = new QLineSeries(chart_);
    stable_->setName(QStringLiteral("FOS 1.4"));
    stable_->setPen(Pen(QColor(0, 128, 0), 2));
    Attach(chart_, stable_, axisX_, axisY_);
}

void FormulaChart::clear() {
    for (SeriesPool& pool : curves_)
        pool.set({});
    for (QLineSeries* s : {stress_, ratioMark_, failed_, stable_})
        if (s)
            s->clear();
    for (QAreaSeries* zone : zones_) {
        zone->upperSeries()->clear();
        zone->lowerSeries()->clear();
    }
    pillar_->clear();
    axisX_->setVisible(false);
    axisY_->setVisible(false);
    updateLegend();
    cmdCSV->setEnabled(false);
}

void FormulaChart::showMessage(const QString& message) {
    shown_.reset();
    clear();
    lblMessage->setText(message);
}

void FormulaChart::showCharts(const FormulaCharts& charts, const QString& caption,
                              const evaluation::NumberLocale& locale) {
    shown_ = charts;
    caption_ = caption;
    lblMessage->clear();
    if (kind_ == FormulaChartKind::Strength)
        drawStrength(charts, locale);
    else
        drawStability(charts, locale);
    axisX_->setVisible(true);
    axisY_->setVisible(true);
    updateLegend();
    cmdCSV->setEnabled(true);
}

void FormulaChart::drawStrength(const FormulaCharts& charts,
                                const evaluation::NumberLocale& locale) {
    // One pool a formula, found by name; those not shown now are emptied.
    std::vector<bool> used(curves_.size(), false);
    double high = charts.stress;
    for (const evaluation::RatioCurve& curve : charts.strength) {
        std::size_t at = 0;
        while (at < curves_.size() && curves_[at].series().front()->name() != curve.name)
            ++at;
        if (at == curves_.size()) {
            const QColor colour = FormulaColour(curve.key);
            curves_.emplace_back(chart_, curve.name, Pen(colour, 2), axisX_, axisY_);
            used.push_back(false);
        }
        curves_[at].set(Runs(charts.ratios, curve.values));
        used[at] = true;
        for (double v : curve.values)
            if (std::isfinite(v))
                high = std::max(high, v);
    }
    for (std::size_t i = 0; i < curves_.size(); ++i)
        if (!used[i])
            curves_[i].set({});
    const double x0 = 0;
    const double x1 = charts.ratios.empty() ? 3 : charts.ratios.back();
    high = high * 1.08;
    if (!(high > 0) || !std::isfinite(high))
        high = 1;
    SetRoundTicks(axisX_, x0, x1, locale);
    SetRoundTicks(axisY_, 0, high, locale);
    stress_->replace({QPointF(x0, charts.stress), QPointF(x1, charts.stress)});
    ratioMark_->replace({QPointF(charts.pillarRatio, 0), QPointF(charts.pillarRatio, high)});
    pillar_->replace({QPointF(charts.pillarRatio, charts.stress)});
}

void FormulaChart::drawStability(const FormulaCharts& charts,
                                 const evaluation::NumberLocale& locale) {
    const double x0 = 0;
    const double x1 = charts.ratios.empty() ? 3 : charts.ratios.back();
    double high = 0.9;
    for (double v : charts.failedAbove)
        if (std::isfinite(v))
            high = std::max(high, v * 1.1);
    if (charts.pillarStressOverUcs)
        high = std::max(high, *charts.pillarStressOverUcs * 1.15);
    SetRoundTicks(axisX_, x0, x1, locale);
    SetRoundTicks(axisY_, 0, high, locale);
    const QList<QPointF> failed = Points(charts.ratios, charts.failedAbove);
    const QList<QPointF> stable = Points(charts.ratios, charts.stableBelow);
    failed_->replace(failed);
    stable_->replace(stable);
    QList<QPointF> top;
    QList<QPointF> bottom;
    for (const QPointF& p : failed) {
        top << QPointF(p.x(), high);
        bottom << QPointF(p.x(), 0);
    }
    zones_[0]->upperSeries()->replace(top);
    zones_[0]->lowerSeries()->replace(failed);
    zones_[1]->upperSeries()->replace(failed);
    zones_[1]->lowerSeries()->replace(stable);
    zones_[2]->upperSeries()->replace(stable);
    zones_[2]->lowerSeries()->replace(bottom);
    if (charts.pillarStressOverUcs)
        pillar_->replace({QPointF(charts.pillarRatio, *charts.pillarStressOverUcs)});
    else {
        pillar_->clear();
        lblMessage->setText(QStringLiteral("Give the UCS to place the pillar on the graph."));
    }
}

void FormulaChart::updateLegend() {
    // The formulas' curves are named by the colour swatches of the table.
    for (const SeriesPool& pool : curves_)
        for (QLineSeries* s : pool.series())
            ShowInLegend(chart_, s, false);
    for (QXYSeries* s : std::initializer_list<QXYSeries*>{stress_, failed_, stable_, pillar_})
        if (s)
            ShowInLegend(chart_, s, s->count() > 0);
    if (ratioMark_)
        ShowInLegend(chart_, ratioMark_, false); // the pillar's point marks it
    for (QAreaSeries* zone : zones_)
        ShowInLegend(chart_, zone, zone->upperSeries()->count() > 0);
}

std::vector<std::vector<QList<QPointF>>> FormulaChart::drawnCurves() const {
    std::vector<std::vector<QList<QPointF>>> all;
    if (kind_ == FormulaChartKind::Stability) {
        all.push_back({failed_->points()});
        all.push_back({stable_->points()});
        return all;
    }
    for (const SeriesPool& pool : curves_) {
        std::vector<QList<QPointF>> runs;
        for (const QLineSeries* s : pool.series())
            if (s->count() > 0)
                runs.push_back(s->points());
        if (!runs.empty())
            all.push_back(runs);
    }
    return all;
}

QList<QPointF> FormulaChart::pillarPoint() const {
    return pillar_->points();
}

QString FormulaChart::fileStem() const {
    return kind_ == FormulaChartKind::Strength ? QStringLiteral("strength-against-wh")
                                               : QStringLiteral("stability-graph");
}

bool FormulaChart::exportPng(const QString& path, PngResolution resolution, QString* reason) {
    return SaveChartPng(view_, this, caption_, path, resolution, reason);
}

bool FormulaChart::exportSvg(const QString& path, QString* reason) {
    return SaveChartSvg(view_, chart_->title(),
                        QStringLiteral("Strength formulas chart of Vandrel Tessaron"), path,
                        reason);
}

bool FormulaChart::exportCsv(const QString& path, evaluation::CsvConvention convention,
                             QString* reason) {
    if (!shown_) {
        *reason = QStringLiteral("there is no chart");
        return false;
    }
    return storage::Save(path, FormulaChartCsv(kind_, *shown_, convention).toUtf8(), reason);
}

} // namespace vt::design
