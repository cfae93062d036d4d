#include "design/chartpane.h"

#include "app/filedialogs.h"
#include "app/ui.h"
#include "evaluation/csv.h"
#include "storage/qtstorage.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace vt::design {

using evaluation::DesignTexts;
using evaluation::Evaluation;

namespace {

const QString kChartsTitle = QStringLiteral("Design charts");
const QColor kStressMaroon(128, 0, 0);
const QColor kLimitGrey(96, 96, 96);
const QColor kBand(255, 0, 0, 40);

QPen Pen(const QColor& colour, qreal width, Qt::PenStyle style = Qt::SolidLine) {
    QPen pen(colour, width, style);
    pen.setCosmetic(true);
    return pen;
}

void HideFromLegend(QChart* chart, QAbstractSeries* series) {
    for (QLegendMarker* marker : chart->legend()->markers(series))
        marker->setVisible(false);
}

void Attach(QChart* chart, QAbstractSeries* series, QValueAxis* x, QValueAxis* y) {
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

// "Pillar width 6.3 m (length 8.4 m)", "Depth 500 m".
QString WhereText(Quantity quantity, const DesignTexts& t) {
    switch (quantity) {
    case Quantity::PillarWidth:
        if (t.length != t.width)
            return QStringLiteral("Pillar width %1 m (length %2 m)").arg(t.width, t.length);
        return QStringLiteral("Pillar width %1 m").arg(t.width);
    case Quantity::Depth:
        return QStringLiteral("Depth %1 m").arg(t.depth);
    case Quantity::PillarHeight:
        return QStringLiteral("Pillar height %1 m").arg(t.height);
    case Quantity::BordWidth:
        return QStringLiteral("Bord widths %1 m and %2 m").arg(t.bord1, t.bord2);
    }
    return {};
}

} // namespace

// --- HoverChartView ---

HoverChartView::HoverChartView(QChart* chart, QWidget* parent)
    : QChartView(chart, parent) {
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setRenderHint(QPainter::Antialiasing);
}

void HoverChartView::mouseMoveEvent(QMouseEvent* event) {
    emit hovered(
        chart()->mapToValue(chart()->mapFromScene(mapToScene(event->position().toPoint()))));
    QChartView::mouseMoveEvent(event);
}

// --- SeriesPool ---

SeriesPool::SeriesPool(QChart* chart, const QString& name, const QPen& pen, QValueAxis* x,
                       QValueAxis* y)
    : chart_(chart)
    , name_(name)
    , pen_(pen)
    , x_(x)
    , y_(y) {
    add();
}

QLineSeries* SeriesPool::add() {
    auto* series = new QLineSeries(chart_);
    series->setName(name_);
    series->setPen(pen_);
    Attach(chart_, series, x_, y_);
    if (!series_.empty())
        HideFromLegend(chart_, series);
    series_.push_back(series);
    return series;
}

void SeriesPool::set(const std::vector<QList<QPointF>>& runs) {
    while (series_.size() < runs.size())
        add();
    for (std::size_t i = 0; i < series_.size(); ++i)
        series_[i]->replace(i < runs.size() ? runs[i] : QList<QPointF>());
}

// --- ChartPane ---

ChartPane::ChartPane(Quantity quantity, ChartKind kind, const QString& prefix, QWidget* parent)
    : QWidget(parent)
    , quantity_(quantity)
    , kind_(kind) {
    setObjectName(QStringLiteral("pane%1").arg(prefix));
    buildChart();
    view_->setObjectName(QStringLiteral("cht%1").arg(prefix));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addWidget(buildControls(prefix));
    lblMessage = new QLabel(this);
    lblMessage->setObjectName(QStringLiteral("lbl%1Message").arg(prefix));
    lblMessage->setWordWrap(true);
    lblHover = new QLabel(this);
    lblHover->setObjectName(QStringLiteral("lbl%1Hover").arg(prefix));
    lblHover->setWordWrap(true);
    lblHover->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblHover->setMinimumHeight(2 * fontMetrics().height());
    layout->addWidget(lblMessage);
    layout->addWidget(lblHover);
    connect(view_, &HoverChartView::hovered, this, [this](QPointF value) { hoverAt(value.x()); });
}

void ChartPane::buildChart() {
    chart_ = new QChart;
    chart_->setTitle(
        kind_ == ChartKind::StrengthAndStress
            ? QStringLiteral("Pillar strength and stress against the pillar width")
            : QStringLiteral("FOS against %1")
                  .arg(QuantityCaption(quantity_).section(QLatin1Char(' '), 0, -2).toLower()));
    chart_->legend()->setAlignment(Qt::AlignBottom);
    axisX_ = new QCategoryAxis(chart_);
    axisX_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axisX_->setTitleText(QuantityCaption(quantity_));
    axisY_ = new QCategoryAxis(chart_);
    axisY_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axisY_->setTitleText(kind_ == ChartKind::StrengthAndStress ? QStringLiteral("MPa")
                                                               : QStringLiteral("FOS"));
    chart_->addAxis(axisX_, Qt::AlignBottom);
    chart_->addAxis(axisY_, Qt::AlignLeft);

    bandUpper_ = new QLineSeries(chart_);
    bandLower_ = new QLineSeries(chart_);
    band_ = new QAreaSeries(bandUpper_, bandLower_);
    band_->setName(QStringLiteral("W:H below 2.5"));
    band_->setBrush(kBand);
    band_->setPen(Qt::NoPen);
    Attach(chart_, band_, axisX_, axisY_);
    if (kind_ == ChartKind::FactorOfSafety) {
        curves_.emplace_back(chart_, QStringLiteral("FOS"), Pen(kCurveBlue, 2), axisX_, axisY_);
    } else {
        curves_.emplace_back(chart_, QStringLiteral("Pillar strength (MPa)"), Pen(kCurveBlue, 2),
                             axisX_, axisY_);
        curves_.emplace_back(chart_, QStringLiteral("Average pillar stress (MPa)"),
                             Pen(kStressMaroon, 2), axisX_, axisY_);
    }
    buildMarks();
    view_ = new HoverChartView(chart_, this);
    view_->setMinimumSize(560, 330);
}

void ChartPane::buildMarks() {
    fos1_ = new QLineSeries(chart_);
    fos1_->setName(QStringLiteral("FOS 1.0"));
    fos1_->setPen(Pen(kLimitGrey, 1, Qt::DashLine));
    fos16_ = new QLineSeries(chart_);
    fos16_->setName(QStringLiteral("FOS 1.6"));
    fos16_->setPen(Pen(kWarningRed, 1.5, Qt::DashLine));
    for (QLineSeries* limit : {fos1_, fos16_}) {
        Attach(chart_, limit, axisX_, axisY_);
        if (kind_ != ChartKind::FactorOfSafety)
            HideFromLegend(chart_, limit);
    }
    squat_.emplace(chart_, QStringLiteral("Squat formula start"), Pen(kPurple, 1.5, Qt::DotLine),
                   axisX_, axisY_);
    current_ = new QScatterSeries(chart_);
    current_->setName(QStringLiteral("The screen's design"));
    current_->setMarkerSize(11);
    current_->setColor(Qt::black);
    current_->setBorderColor(Qt::white);
    Attach(chart_, current_, axisX_, axisY_);
    hover_ = new QScatterSeries(chart_);
    hover_->setMarkerSize(9);
    hover_->setColor(QColor(255, 160, 0));
    Attach(chart_, hover_, axisX_, axisY_);
    HideFromLegend(chart_, hover_);
}

QWidget* ChartPane::buildControls(const QString& prefix) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto field = [&](const QString& caption, const QString& name) {
        layout->addWidget(new QLabel(caption, row));
        auto* box = new QLineEdit(row);
        box->setObjectName(QStringLiteral("txt%1%2").arg(prefix, name));
        box->setMaximumWidth(80);
        layout->addWidget(box);
        connect(box, &QLineEdit::editingFinished, this, &ChartPane::range_Edited);
        return box;
    };
    txtFrom = field(QStringLiteral("From"), QStringLiteral("From"));
    txtTo = field(QStringLiteral("to"), QStringLiteral("To"));
    txtStep = field(QStringLiteral("step"), QStringLiteral("Step"));
    const auto button = [&](const QString& caption, const QString& name) {
        auto* b = new QPushButton(caption, row);
        b->setObjectName(QStringLiteral("cmd%1%2").arg(prefix, name));
        layout->addWidget(b);
        return b;
    };
    cmdRange = button(QStringLiteral("&Around the design"), QStringLiteral("Range"));
    layout->addStretch(1);
    cmdPNG = button(QStringLiteral("Export &PNG..."), QStringLiteral("PNG"));
    cmdSVG = button(QStringLiteral("Export S&VG..."), QStringLiteral("SVG"));
    cmdCSV = button(QStringLiteral("Export &CSV..."), QStringLiteral("CSV"));
    connect(cmdRange, &QPushButton::clicked, this, &ChartPane::cmdRange_Click);
    connect(cmdPNG, &QPushButton::clicked, this, [this] {
        export_Click(QStringLiteral("png"), {kPngScreenFilter, kPngPrintFilter},
                     [this](const FileAnswer& answer, QString* reason) {
                         return exportPng(answer.path,
                                          answer.filter == kPngPrintFilter ? PngResolution::Print
                                                                           : PngResolution::Screen,
                                          reason);
                     });
    });
    connect(cmdSVG, &QPushButton::clicked, this, [this] {
        export_Click(QStringLiteral("svg"), {kSvgFilter},
                     [this](const FileAnswer& answer, QString* reason) {
                         return exportSvg(answer.path, reason);
                     });
    });
    connect(cmdCSV, &QPushButton::clicked, this, [this] {
        export_Click(QStringLiteral("csv"), evaluation::CsvFilters(),
                     [this](const FileAnswer& answer, QString* reason) {
                         return exportCsv(answer.path,
                                          evaluation::CsvConventionOfFilter(answer.filter), reason);
                     });
    });
    return row;
}

// --- the curve ---

void ChartPane::showDesign(const BaseDesign& base) {
    base_ = base;
    redraw();
}

void ChartPane::showRefusal(const evaluation::Refusal& refusal) {
    base_.reset();
    curve_.reset();
    clearChart(refusal.message);
}

void ChartPane::resetRange() {
    typedRange_ = false;
}

std::optional<std::array<QString, 3>> ChartPane::typedRange() const {
    if (!typedRange_)
        return std::nullopt;
    return std::array<QString, 3>{txtFrom->text(), txtTo->text(), txtStep->text()};
}

void ChartPane::setTypedRange(const std::array<QString, 3>& range) {
    txtFrom->setText(range[0]);
    txtTo->setText(range[1]);
    txtStep->setText(range[2]);
    range_Edited();
}

void ChartPane::range_Edited() {
    typedRange_ = true;
    redraw();
}

void ChartPane::cmdRange_Click() {
    typedRange_ = false;
    redraw();
}

void ChartPane::redraw() {
    if (!base_)
        return;
    const evaluation::NumberLocale& locale = base_->locale;
    if (!typedRange_) {
        const GridRange range = DefaultRange(*base_, quantity_);
        txtFrom->setText(range.from.text(locale));
        txtTo->setText(range.to.text(locale));
        txtStep->setText(range.step.text(locale));
    }
    const auto range = ReadRange(txtFrom->text(), txtTo->text(), txtStep->text(), locale);
    if (!range) {
        curve_.reset();
        clearChart(range.refusal().message);
        return;
    }
    const GridRange drawnRange = DrawnRange(range.value());
    const auto curve = Sweep(*base_, quantity_, drawnRange);
    if (!curve) {
        curve_.reset();
        clearChart(curve.refusal().message);
        return;
    }
    curve_ = curve.value();
    draw(*curve_);
    cmdCSV->setEnabled(true);
    QStringList notes = curve_->notes;
    if (drawnRange.step != range->step)
        notes.prepend(QStringLiteral("The range holds %1 points; at most %2 are drawn: drawn with "
                                     "a step of %3")
                          .arg(range->count())
                          .arg(kMaxSweepPoints)
                          .arg(drawnRange.step.text(locale)));
    if (const QString gaps = gapsText(*curve_); !gaps.isEmpty())
        notes << gaps;
    lblMessage->setText(notes.join(QLatin1Char('\n')));
    lblHover->setText(curve_->current ? hoverText(*curve_->current) : QString());
}

void ChartPane::clearChart(const QString& message) {
    for (SeriesPool& pool : curves_)
        pool.set({});
    squat_->set({});
    for (QXYSeries* series :
         {static_cast<QXYSeries*>(fos1_), static_cast<QXYSeries*>(fos16_),
          static_cast<QXYSeries*>(bandUpper_), static_cast<QXYSeries*>(bandLower_),
          static_cast<QXYSeries*>(current_), static_cast<QXYSeries*>(hover_)})
        series->clear();
    axisX_->setVisible(false); // no old axes over an empty chart
    axisY_->setVisible(false);
    updateLegend();
    lblMessage->setText(message);
    lblHover->clear();
    cmdCSV->setEnabled(false);
}

void ChartPane::updateLegend() {
    const auto show = [this](QAbstractSeries* series, bool shown) {
        const QList<QLegendMarker*> markers = chart_->legend()->markers(series);
        if (!markers.isEmpty())
            markers.front()->setVisible(shown);
    };
    const auto pool = [&show](const SeriesPool& p) {
        // The first series carries the pool's one entry.
        bool any = false;
        for (const QLineSeries* series : p.series())
            any = any || series->count() > 0;
        show(p.series().front(), any);
    };
    for (const SeriesPool& p : curves_)
        pool(p);
    pool(*squat_);
    show(band_, bandUpper_->count() > 0);
    show(current_, current_->count() > 0);
    const bool limits = kind_ == ChartKind::FactorOfSafety;
    show(fos1_, limits && fos1_->count() > 0);
    show(fos16_, limits && fos16_->count() > 0);
}

std::vector<QList<QPointF>> ChartPane::drawn() const {
    std::vector<QList<QPointF>> all;
    for (const SeriesPool& pool : curves_)
        for (const QLineSeries* series : pool.series())
            if (series->count() > 0)
                all.push_back(series->points());
    return all;
}

namespace {

// The runs of points with a result, of one value of theirs.
std::vector<QList<QPointF>> Runs(const Curve& curve, float PointResult::*value) {
    std::vector<QList<QPointF>> runs;
    bool open = false;
    for (const CurvePoint& p : curve.points) {
        if (!p.result.complete) {
            open = false;
            continue;
        }
        if (!open)
            runs.emplace_back();
        open = true;
        runs.back().append(QPointF(p.x, static_cast<double>(p.result.*value)));
    }
    return runs;
}

} // namespace

std::pair<double, double> ChartPane::valueRange(const Curve& curve) const {
    double low = 0;
    double high = kind_ == ChartKind::FactorOfSafety ? 1.6 : 1;
    for (const CurvePoint& p : curve.points) {
        if (!p.result.complete)
            continue;
        for (float value : kind_ == ChartKind::FactorOfSafety
                               ? std::vector<float>{p.result.factorOfSafety}
                               : std::vector<float>{p.result.strength, p.result.stress}) {
            low = std::min(low, static_cast<double>(value));
            high = std::max(high, static_cast<double>(value));
        }
    }
    return {low, high + (high - low) * 0.08};
}

void ChartPane::draw(const Curve& curve) {
    if (kind_ == ChartKind::FactorOfSafety) {
        curves_[0].set(Runs(curve, &PointResult::factorOfSafety));
    } else {
        curves_[0].set(Runs(curve, &PointResult::strength));
        curves_[1].set(Runs(curve, &PointResult::stress));
    }
    const double x0 = curve.points.front().x;
    const double x1 = curve.points.size() > 1 ? curve.points.back().x : x0 + 1;
    const auto [low, high] = valueRange(curve);
    const evaluation::NumberLocale locale =
        base_ ? base_->locale : evaluation::NumberLocale::Current();
    SetRoundTicks(axisX_, x0, x1, locale);
    SetRoundTicks(axisY_, low, high, locale);
    if (kind_ == ChartKind::FactorOfSafety) {
        fos1_->replace({QPointF(x0, 1.0), QPointF(x1, 1.0)});
        fos16_->replace({QPointF(x0, 1.6), QPointF(x1, 1.6)});
    }
    drawMarks(curve, low, high);
    axisX_->setVisible(true);
    axisY_->setVisible(true);
    updateLegend();
}

void ChartPane::drawMarks(const Curve& curve, double low, double high) {
    QList<QPointF> upper;
    for (const Span& span : curve.lowRatio)
        upper << QPointF(span.from, low) << QPointF(span.from, high) << QPointF(span.to, high)
              << QPointF(span.to, low);
    bandUpper_->replace(upper);
    bandLower_->replace(upper.isEmpty() ? QList<QPointF>()
                                        : QList<QPointF>{QPointF(upper.front().x(), low),
                                                         QPointF(upper.back().x(), low)});
    std::vector<QList<QPointF>> marks;
    for (double x : curve.squatStarts)
        marks.push_back({QPointF(x, low), QPointF(x, high)});
    squat_->set(marks);
    QList<QPointF> current;
    if (curve.current) {
        const CurvePoint& p = curve.points[*curve.current];
        if (kind_ == ChartKind::FactorOfSafety)
            current << QPointF(p.x, static_cast<double>(p.result.factorOfSafety));
        else
            current << QPointF(p.x, static_cast<double>(p.result.strength))
                    << QPointF(p.x, static_cast<double>(p.result.stress));
    }
    current_->replace(current);
    hover_->clear();
}

QString ChartPane::gapsText(const Curve& curve) const {
    QStringList lines;
    const std::size_t shown = std::min<std::size_t>(curve.gaps.size(), 3);
    const QString unit = QStringLiteral(" m");
    for (std::size_t i = 0; i < shown; ++i) {
        const Gap& g = curve.gaps[i];
        const QString from = evaluation::ShowShortest(g.from, base_->locale) + unit;
        const QString to = evaluation::ShowShortest(g.to, base_->locale) + unit;
        lines << (g.from == g.to ? QStringLiteral("No result at %1: %2").arg(from, g.reason.message)
                                 : QStringLiteral("No result from %1 to %2: %3")
                                       .arg(from, to, g.reason.message));
    }
    if (curve.gaps.size() > shown)
        lines
            << QStringLiteral("and %1 more spans without a result").arg(curve.gaps.size() - shown);
    return lines.join(QLatin1Char('\n'));
}

// --- hover ---

QString ChartPane::hoverText(std::size_t index) const {
    const DesignTexts t = PointTexts(*base_, *curve_, index);
    const Evaluation e = PointShown(*base_, *curve_, index);
    QString where = WhereText(quantity_, t);
    if (curve_->current == index)
        where = QStringLiteral("The screen's design, ") + where.left(1).toLower() + where.mid(1);
    if (!e.complete())
        return QStringLiteral("%1: no result: %2")
            .arg(where, e.refusal ? e.refusal->message : QString());
    return QStringLiteral("%1: FOS %2, W:H %3, pillar strength %4 MPa, pillar stress %5 MPa, "
                          "%6 % extraction. %7.")
        .arg(where, e.factorOfSafety, e.widthHeightRatio, e.strength, e.stress, e.extraction,
             e.formula);
}

void ChartPane::hoverAt(double x) {
    if (!curve_ || curve_->points.empty())
        return;
    const auto& p = curve_->points;
    auto it = std::lower_bound(p.begin(), p.end(), x,
                               [](const CurvePoint& point, double v) { return point.x < v; });
    if (it == p.end() || (it != p.begin() && x - (it - 1)->x < it->x - x))
        --it;
    const auto index = static_cast<std::size_t>(it - p.begin());
    lblHover->setText(hoverText(index));
    hover_->clear();
    if (it->result.complete)
        hover_->append(it->x, static_cast<double>(kind_ == ChartKind::FactorOfSafety
                                                      ? it->result.factorOfSafety
                                                      : it->result.strength));
}

// --- exports ---

QString ChartPane::fileStem() const {
    return chart_->title().toLower().replace(QLatin1Char(' '), QLatin1Char('-'));
}

void ChartPane::export_Click(const QString& extension, const QStringList& filters,
                             const std::function<bool(const FileAnswer&, QString*)>& write) {
    ExportChart(this, fileStem(), extension, filters, kChartsTitle, write);
}

QString ChartPane::caption() const {
    return base_ ? DesignCaption(*base_) : QString();
}

QImage ChartPane::pngImage(PngResolution resolution) const {
    return ChartImage(view_, this, caption(), resolution);
}

bool ChartPane::exportPng(const QString& path, PngResolution resolution, QString* reason) {
    return SaveChartPng(view_, this, caption(), path, resolution, reason);
}

bool ChartPane::exportSvg(const QString& path, QString* reason) {
    return SaveChartSvg(view_, chart_->title(), QStringLiteral("Design chart of Vandrel Tessaron"),
                        path, reason);
}

bool ChartPane::exportCsv(const QString& path, evaluation::CsvConvention convention,
                          QString* reason) {
    if (!base_ || !curve_) {
        *reason = QStringLiteral("there is no curve");
        return false;
    }
    return storage::Save(path, CurveCsv(*base_, *curve_, convention).toUtf8(), reason);
}

} // namespace vt::design
