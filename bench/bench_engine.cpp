// One full evaluation by tributary-area theory, as a screen runs it:
// extraction, stress, effective width, strength and factor of safety, then
// (second benchmark) the shown texts of the results.
#include "engine/engine.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

using namespace vt::engine;

struct Layout {
    float w, l, b1, b2, density, depth, h, k;
};

// A Hedley/Grant pillar (W:H 2) and a squat one (W:H 6).
constexpr Layout kSlender{10, 10, 12, 12, 2.7f, 500, 5, 100};
constexpr Layout kSquat{12, 14, 6, 6, 2.7f, 800, 2, 30};

struct Evaluation {
    float extraction;
    float stress;
    double effectiveWidth;
    StrengthResult strength;
    SafetyResult safety;
};

Evaluation Evaluate(const Layout& in) {
    Evaluation out{};
    const auto e = CalculatePercentageExtraction(in.w, in.l, in.b1, in.b2);
    if (!e)
        return out;
    out.extraction = e.value();
    const auto s = CalculateTributaryPillarStress(in.density, in.depth, e.value());
    if (!s)
        return out;
    out.stress = s.value();
    const auto weff = CalculateEffectivePillarWidth(in.w, in.l);
    if (!weff)
        return out;
    out.effectiveWidth = weff.value();
    const auto strength = CalculatePillarStrength(
        {static_cast<float>(weff.value()), in.l, in.h, in.k, 0.5f, 0.75f, 4.5f, 4.5f});
    if (!strength)
        return out;
    out.strength = strength.value();
    const auto fos = CalculateFactorOfSafety(strength.value().strength, s.value());
    if (fos)
        out.safety = fos.value();
    return out;
}

void BM_FullEvaluation(benchmark::State& state, Layout layout) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(layout);
        Evaluation result = Evaluate(layout);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK_CAPTURE(BM_FullEvaluation, HedleyGrant, kSlender);
BENCHMARK_CAPTURE(BM_FullEvaluation, SquatPillar, kSquat);

void BM_FormatShownResults(benchmark::State& state) {
    Evaluation result = Evaluate(kSlender);
    for (auto _ : state) {
        benchmark::DoNotOptimize(result);
        std::string texts[] = {
            FormatResult(result.extraction, 1),
            FormatResult(result.stress, 2),
            FormatResult(result.effectiveWidth, 1),
            FormatResult(result.strength.widthHeightRatio, 1),
            FormatResult(result.strength.strength, 1),
            FormatResult(result.safety.factorOfSafety, 1),
        };
        benchmark::DoNotOptimize(texts);
    }
}
BENCHMARK(BM_FormatShownResults);

void BM_EvaluationWithText(benchmark::State& state) {
    Layout layout = kSlender;
    for (auto _ : state) {
        benchmark::DoNotOptimize(layout);
        const Evaluation result = Evaluate(layout);
        std::string fos = FormatResult(result.safety.factorOfSafety, 1);
        benchmark::DoNotOptimize(fos);
    }
}
BENCHMARK(BM_EvaluationWithText);

} // namespace

BENCHMARK_MAIN();
