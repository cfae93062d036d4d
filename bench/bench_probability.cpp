// The probability of failure against the plain evaluation it is built on, in
// one run: 10^6 samples of a tributary design with K, depth and height
// lognormal (and with K alone) on one core and on two, beside 10^6 plain
// evaluations of the same design over numbers. The sampling should cost no
// more than the evaluation (at most 2 x on one core) and two cores should
// give at least 1.8 x.
#include "evaluation/design.h"
#include "probability/core/montecarlo.h"

#include <array>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

using namespace vt;
using evaluation::Input;

constexpr std::uint64_t kSamples = 1'000'000;

evaluation::DesignNumbers Design() {
    evaluation::DesignNumbers d;
    d.method = evaluation::Method::Tributary;
    d.density = 2.7;
    d.depth = 500;
    d.width = 10;
    d.length = 10;
    d.k = 100;
    d.height = 5;
    return d;
}

probability::Model ThreeLognormal() {
    probability::Model m;
    m.base = Design();
    m.inputs = {{Input::K, probability::Distribution::Lognormal(100, 0.2)},
                {Input::Depth, probability::Distribution::Lognormal(500, 0.1)},
                {Input::PillarHeight, probability::Distribution::Lognormal(5, 0.05)}};
    return m;
}

void BM_PlainEvaluations(benchmark::State& state) {
    evaluation::DesignNumbers d = Design();
    for (auto _ : state) {
        for (std::uint64_t i = 0; i < kSamples; ++i) {
            benchmark::DoNotOptimize(d);
            evaluation::NumericEvaluation e = evaluation::EvaluateNumbers(d);
            benchmark::DoNotOptimize(e);
        }
    }
}
BENCHMARK(BM_PlainEvaluations)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same 10^6 designs the three-lognormal run draws, drawn beforehand:
// what evaluating them costs without the sampling and the statistics.
void BM_PlainEvaluationsOfTheDrawnDesigns(benchmark::State& state) {
    const probability::Model model = ThreeLognormal();
    std::vector<std::array<double, 3>> drawn(kSamples);
    for (std::uint64_t i = 0; i < kSamples; ++i) {
        const evaluation::DesignNumbers d = probability::SampleDesign(model, 7, i);
        drawn[i] = {d.k, d.depth, d.height};
    }
    evaluation::DesignNumbers d = Design();
    for (auto _ : state) {
        for (const auto& [k, depth, height] : drawn) {
            d.k = k;
            d.depth = depth;
            d.height = height;
            evaluation::NumericEvaluation e = evaluation::EvaluateNumbers(d);
            benchmark::DoNotOptimize(e);
        }
    }
}
BENCHMARK(BM_PlainEvaluationsOfTheDrawnDesigns)->Unit(benchmark::kMillisecond)->UseRealTime();

void Measure(benchmark::State& state, const probability::Model& model) {
    probability::RunSettings settings;
    settings.samples = kSamples;
    settings.seed = 7;
    settings.threads = static_cast<unsigned>(state.range(0));
    for (auto _ : state) {
        probability::RunResult r = probability::RunSamples(model, settings);
        benchmark::DoNotOptimize(r);
    }
}

void BM_MonteCarloThreeLognormal(benchmark::State& state) {
    Measure(state, ThreeLognormal());
}
BENCHMARK(BM_MonteCarloThreeLognormal)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_MonteCarloKOnly(benchmark::State& state) {
    probability::Model m;
    m.base = Design();
    m.inputs = {{Input::K, probability::Distribution::Lognormal(100, 0.2)}};
    Measure(state, m);
}
BENCHMARK(BM_MonteCarloKOnly)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
