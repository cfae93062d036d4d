// One full tributary evaluation from the input texts to the shown texts
// through the evaluation steps (Evaluate), beside the same evaluation over
// numbers (EvaluateNumbers) and the bare engine operations, in one run.
#include "engine/engine.h"
#include "evaluation/design.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vt;

evaluation::DesignTexts TributaryDesign() {
    evaluation::DesignTexts d;
    d.method = evaluation::Method::Tributary;
    d.density = QStringLiteral("2.7");
    d.depth = QStringLiteral("500");
    d.width = QStringLiteral("10");
    d.length = QStringLiteral("10");
    d.k = QStringLiteral("100");
    d.height = QStringLiteral("5");
    return d;
}

void BM_EvaluateTexts(benchmark::State& state) {
    const evaluation::DesignTexts design = TributaryDesign();
    const evaluation::NumberLocale locale(QLocale(QLocale::English, QLocale::UnitedStates));
    for (auto _ : state) {
        evaluation::Evaluation shown = evaluation::Evaluate(design, locale);
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(BM_EvaluateTexts);

void BM_EvaluateNumbers(benchmark::State& state) {
    evaluation::DesignNumbers d;
    d.method = evaluation::Method::Tributary;
    d.density = 2.7;
    d.depth = 500;
    d.width = 10;
    d.length = 10;
    d.k = 100;
    d.height = 5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(d);
        evaluation::NumericEvaluation result = evaluation::EvaluateNumbers(d);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_EvaluateNumbers);

// The engine operations alone, as the numeric road calls them.
void BM_EngineOnly(benchmark::State& state) {
    float w = 10, l = 10, b = 12, density = 2.7f, depth = 500, h = 5, k = 100;
    for (auto _ : state) {
        benchmark::DoNotOptimize(w);
        const auto e = engine::CalculatePercentageExtraction(w, l, b, b);
        const auto s = engine::CalculateTributaryPillarStress(density, depth, e.value());
        const auto weff = engine::CalculateEffectivePillarWidth(w, l);
        const auto strength = engine::CalculatePillarStrength(
            {static_cast<float>(weff.value()), l, h, k, 0.5f, 0.75f, 4.5f, 4.5f});
        const auto fos = engine::CalculateFactorOfSafety(strength.value().strength, s.value());
        benchmark::DoNotOptimize(fos);
    }
}
BENCHMARK(BM_EngineOnly);

} // namespace

BENCHMARK_MAIN();
