// The design tools' speed goals:
// - a 500-point curve through the evaluation functions (aim: under 0.5 ms),
//   for a tributary and an interpolation design;
// - the redraw of all four design charts after an input change (aim: under
//   16 ms, one frame), with the shown chart painted, and with all four painted;
// - the strength formulas window after a change of the screen (aim: under
//   16 ms): the table and both charts recomputed and both charts painted, and
//   the comparison and the charts' curves alone;
// - a schedule of 50 depths (aim: under 10 ms), tributary and interpolation;
// - one inverse solve (aim: under 100 us) against the same answer found by
//   evaluating every value of the range (the ratio of the two).
#include "design/frmdesigncharts.h"
#include "design/frmstrengthformulas.h"
#include "design/schedule.h"
#include "design/solve.h"
#include "design/sweep.h"
#include "results/core/modellingfile.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

using namespace vt;
using evaluation::DesignTexts;
using evaluation::Method;

const evaluation::NumberLocale& Locale() {
    static const evaluation::NumberLocale locale(QLocale(QLocale::English, QLocale::UnitedStates));
    return locale;
}

DesignTexts Tributary() {
    DesignTexts d;
    d.method = Method::Tributary;
    d.density = QStringLiteral("2.7");
    d.depth = QStringLiteral("500");
    d.width = QStringLiteral("10");
    d.length = QStringLiteral("12");
    d.k = QStringLiteral("100");
    d.height = QStringLiteral("4");
    return d;
}

const results::ModellingResults& DefaultTable() {
    static const results::ModellingResults table = [] {
        results::ModellingResults t;
        const std::string path = VT_DATA_DIR "/RazuziRurida - Do not delete.int";
        if (!results::ReadModellingText(t, path) || !results::ParseModellingResults(t))
            std::abort();
        return t;
    }();
    return table;
}

design::BaseDesign Base(Method method) {
    DesignTexts d = Tributary();
    d.method = method;
    const auto base = design::ReadDesign(d, Locale(), &DefaultTable());
    if (!base)
        std::abort();
    return base.value();
}

// 500 widths: 5 m to 29.95 m (4 m to 17.972 m in steps of 0.028 on the table).
void BM_Curve500(benchmark::State& state, Method method) {
    const design::BaseDesign base = Base(method);
    const design::GridRange range = method == Method::Interpolation
                                        ? design::GridRange{{4, 0}, {17972, 3}, {28, 3}}
                                        : design::GridRange{{5, 0}, {2995, 2}, {5, 2}};
    for (auto _ : state) {
        auto curve = design::Sweep(base, design::Quantity::PillarWidth, range);
        benchmark::DoNotOptimize(curve);
        if (!curve || curve->points.size() < 450)
            state.SkipWithError("not a 500-point curve");
    }
}
BENCHMARK_CAPTURE(BM_Curve500, tributary, Method::Tributary)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Curve500, interpolation, Method::Interpolation)->Unit(benchmark::kMicrosecond);

// A screen as the charts see it, whose height a user types.
class TypedScreen final : public DesignSource {
public:
    evaluation::DesignTexts designTexts() const override { return texts; }
    QString screenName() const override { return QStringLiteral("frmTributary"); }
    QMetaObject::Connection onDesignChanged(QObject*, std::function<void()>) override { return {}; }
    bool applyInput(evaluation::Input, const QString&) override { return false; }
    ShownResults shownResults() const override { return {}; }
    void recalculate(CalculationStage) override {}
    DesignTexts texts = Tributary();
};

void BM_RedrawAllCharts(benchmark::State& state, bool paintAll) {
    TypedScreen screen;
    frmDesignCharts window;
    window.follow(&screen);
    window.show();
    QImage image(window.pane(0)->view()->size(), QImage::Format_ARGB32_Premultiplied);
    int typed = 0;
    for (auto _ : state) {
        screen.texts.height = (++typed % 2) ? QStringLiteral("4.1") : QStringLiteral("4");
        window.redraw();
        for (int i = 0; i < (paintAll ? frmDesignCharts::kPanes : 1); ++i) {
            QPainter painter(&image);
            window.pane(i)->view()->render(&painter);
        }
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK_CAPTURE(BM_RedrawAllCharts, shown_chart_painted, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RedrawAllCharts, all_charts_painted, true)->Unit(benchmark::kMillisecond);

void BM_StrengthFormulasWindow(benchmark::State& state) {
    TypedScreen screen;
    frmStrengthFormulas window;
    window.follow(&screen);
    window.txtUCS->setText(QStringLiteral("150"));
    window.show();
    QImage image(window.chtStrength->view()->size(), QImage::Format_ARGB32_Premultiplied);
    int typed = 0;
    for (auto _ : state) {
        screen.texts.height = (++typed % 2) ? QStringLiteral("4.1") : QStringLiteral("4");
        window.recompute();
        for (design::FormulaChart* chart : {window.chtStrength, window.chtStability}) {
            QPainter painter(&image);
            chart->view()->render(&painter);
        }
        benchmark::DoNotOptimize(image.bits());
        if (!window.comparison())
            state.SkipWithError("no comparison");
    }
}
BENCHMARK(BM_StrengthFormulasWindow)->Unit(benchmark::kMillisecond);

void BM_StrengthFormulasComputed(benchmark::State& state) {
    evaluation::FormulaInputs inputs;
    inputs.design = Tributary();
    inputs.ucs = QStringLiteral("150");
    int typed = 0;
    for (auto _ : state) {
        inputs.design.height = (++typed % 2) ? QStringLiteral("4.1") : QStringLiteral("4");
        const auto c = evaluation::CompareFormulas(inputs, Locale());
        if (!c) {
            state.SkipWithError("refused");
            break;
        }
        const evaluation::FormulaCharts charts =
            evaluation::ChartFormulas(c.value(), inputs, {}, Locale());
        benchmark::DoNotOptimize(charts.ratios.data());
    }
}
BENCHMARK(BM_StrengthFormulasComputed)->Unit(benchmark::kMicrosecond);

void BM_Schedule50Depths(benchmark::State& state, Method method) {
    const design::BaseDesign base = Base(method);
    const auto depths = design::ReadRange(QStringLiteral("100"), QStringLiteral("2550"),
                                          QStringLiteral("50"), Locale());
    if (!depths || depths->count() != 50)
        std::abort();
    const design::SolveSettings settings;
    for (auto _ : state) {
        const auto schedule = design::DepthSchedule(base, depths.value(), settings);
        benchmark::DoNotOptimize(schedule.ok());
    }
}
BENCHMARK_CAPTURE(BM_Schedule50Depths, tributary, Method::Tributary)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Schedule50Depths, interpolation, Method::Interpolation)
    ->Unit(benchmark::kMillisecond);

void BM_Solve(benchmark::State& state, Method method, design::Question question) {
    const design::BaseDesign base = Base(method);
    const design::SolveSettings settings;
    for (auto _ : state) {
        design::Answer answer = design::Solve(base, question, settings);
        benchmark::DoNotOptimize(answer);
        if (!answer.answer)
            state.SkipWithError("no answer");
    }
}

void BM_StepWholeRange(benchmark::State& state, Method method, design::Question question) {
    const design::BaseDesign base = Base(method);
    const design::SolveSettings settings;
    for (auto _ : state) {
        auto answer = design::SolveByStepping(base, question, settings);
        benchmark::DoNotOptimize(answer);
    }
}

#define VT_SOLVE_PAIR(name, method, question)                                                      \
    BENCHMARK_CAPTURE(BM_Solve, name, method, question)->Unit(benchmark::kMicrosecond);            \
    BENCHMARK_CAPTURE(BM_StepWholeRange, name, method, question)->Unit(benchmark::kMicrosecond)

VT_SOLVE_PAIR(tributary_smallest_width, Method::Tributary, design::Question::SmallestWidth);
VT_SOLVE_PAIR(tributary_greatest_depth, Method::Tributary, design::Question::GreatestDepth);
VT_SOLVE_PAIR(tributary_widest_bords, Method::Tributary, design::Question::WidestBords);
VT_SOLVE_PAIR(interpolation_smallest_width, Method::Interpolation, design::Question::SmallestWidth);
VT_SOLVE_PAIR(interpolation_greatest_depth, Method::Interpolation, design::Question::GreatestDepth);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
