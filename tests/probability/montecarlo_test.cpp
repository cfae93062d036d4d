// The run: fixed inputs give certainties, the same seed gives the same bits
// on any number of threads, every sample is the numeric road of its drawn
// inputs, and the statistics agree with the samples counted and sorted
// another way.
#include "probability/core/montecarlo.h"
#include "probability/core/screendesign.h"
#include "tests/probability/designs.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <tuple>

namespace vt::probability {
namespace {

using evaluation::Input;
using evaluation::NumericStop;
using test::ModelOf;
using test::Settings;
using test::TributaryNumbers;

float ScreenFos(const evaluation::DesignNumbers& d) {
    return evaluation::EvaluateNumbers(d).factorOfSafety;
}

TEST(Run, FixedInputsGiveCertainties) {
    struct Case {
        evaluation::DesignNumbers design;
        double belowOne;
        double belowLimit;
    };
    evaluation::DesignNumbers modelled = TributaryNumbers();
    modelled.method = evaluation::Method::Modelled;
    modelled.stress = 40;
    const Case cases[] = {
        {TributaryNumbers(100), 0.0, 1.0}, // FOS 1.475
        {TributaryNumbers(50), 1.0, 1.0},  // FOS 0.74
        {TributaryNumbers(200), 0.0, 0.0}, // FOS 2.95
        {modelled, 0.0, 0.0},              // 94.57 / 40
    };
    for (const Case& c : cases) {
        // Inputs listed as fixed, and the squat start fixed through its list
        // entry too: nothing varies.
        const Model m = ModelOf(c.design, {{Input::K, Distribution::Fixed(c.design.k)},
                                           {Input::Depth, Distribution::Fixed(c.design.depth)}});
        const RunResult r = RunSamples(m, Settings(10000, 5, 2));
        const float fos = ScreenFos(c.design);
        EXPECT_EQ(r.finite, 10000u);
        EXPECT_EQ(r.failure.value, c.belowOne);
        EXPECT_EQ(r.failure.standardError, 0.0);
        EXPECT_EQ(r.belowSafetyLimit.value, c.belowLimit);
        EXPECT_EQ(r.belowSafetyLimit.standardError, 0.0);
        EXPECT_EQ(r.mean, static_cast<double>(fos));
        EXPECT_EQ(r.standardDeviation, 0.0);
        EXPECT_EQ(r.quantile5, fos);
        EXPECT_EQ(r.median, fos);
        EXPECT_EQ(r.minimum, fos);
        EXPECT_EQ(r.maximum, fos);
        EXPECT_EQ(r.shareWidthHeightTooSmall, 1.0); // W:H 2
        EXPECT_EQ(r.shareSquat, 0.0);
    }
}

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}
bool SameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void ExpectSameBits(const RunResult& a, const RunResult& b, const char* what) {
    SCOPED_TRACE(what);
    EXPECT_EQ(a.finite, b.finite);
    EXPECT_EQ(a.belowOne, b.belowOne);
    EXPECT_EQ(a.belowLimit, b.belowLimit);
    EXPECT_EQ(a.widthHeightTooSmall, b.widthHeightTooSmall);
    EXPECT_EQ(a.squat, b.squat);
    for (auto [x, y] :
         {std::pair{a.failure.value, b.failure.value},
          std::pair{a.failure.standardError, b.failure.standardError},
          std::pair{a.belowSafetyLimit.value, b.belowSafetyLimit.value}, std::pair{a.mean, b.mean},
          std::pair{a.standardDeviation, b.standardDeviation},
          std::pair{a.histogram.lower, b.histogram.lower},
          std::pair{a.histogram.step, b.histogram.step}})
        EXPECT_TRUE(SameBits(x, y)) << x << " " << y;
    EXPECT_TRUE(SameBits(a.quantile5, b.quantile5));
    EXPECT_TRUE(SameBits(a.median, b.median));
    EXPECT_EQ(a.histogram.counts, b.histogram.counts);
    EXPECT_EQ(a.histogram.below, b.histogram.below);
    EXPECT_EQ(a.histogram.above, b.histogram.above);
    ASSERT_EQ(a.withoutResult.size(), b.withoutResult.size());
    for (std::size_t i = 0; i < a.withoutResult.size(); ++i)
        EXPECT_EQ(a.withoutResult[i].count, b.withoutResult[i].count);
}

Model Scattered() {
    return ModelOf(TributaryNumbers(), {{Input::K, Distribution::Lognormal(100, 0.25)},
                                        {Input::Depth, Distribution::Normal(500, 0.1)},
                                        {Input::PillarWidth, Distribution::Uniform(8, 12)},
                                        // Some heights below 0: samples without an FOS.
                                        {Input::PillarHeight, Distribution::Normal(5, 0.6)}});
}

TEST(Run, SameSeedGivesTheSameBitsOnAnyNumberOfThreads) {
    // Not a whole number of blocks, so the last block is short.
    const RunSettings one = Settings(3 * kBlockSamples + 123, 77, 1);
    std::vector<float> fosOne;
    const RunResult reference = RunSamples(Scattered(), one, nullptr, &fosOne);
    ASSERT_GT(reference.withoutResultCount(), 0u);
    for (unsigned threads : {2u, 3u, 8u}) {
        RunSettings s = one;
        s.threads = threads;
        std::vector<float> fos;
        const RunResult r = RunSamples(Scattered(), s, nullptr, &fos);
        ExpectSameBits(reference, r, "threads");
        ASSERT_EQ(fos.size(), fosOne.size());
        EXPECT_EQ(std::memcmp(fos.data(), fosOne.data(), fos.size() * sizeof(float)), 0);
    }
    ExpectSameBits(reference, RunSamples(Scattered(), one), "again");
    const RunResult otherSeed = RunSamples(Scattered(), Settings(one.samples, 78, 1));
    EXPECT_NE(otherSeed.mean, reference.mean);
}

TEST(Run, EverySampleIsTheNumericRoadOfItsDrawnInputs) {
    const Model m = Scattered();
    std::vector<float> fos;
    RunSamples(m, Settings(5000, 3), nullptr, &fos);
    for (std::uint64_t i : {0ull, 1ull, 4095ull, 4096ull, 4999ull}) {
        const evaluation::DesignNumbers d = SampleDesign(m, 3, i);
        const evaluation::NumericEvaluation e = evaluation::EvaluateNumbers(d);
        if (e.complete())
            EXPECT_TRUE(SameBits(fos[i], e.factorOfSafety)) << i;
        else
            EXPECT_TRUE(std::isnan(fos[i])) << i;
    }
}

TEST(Run, ChangingOneInputKeepsTheDrawsOfTheOthers) {
    Model m = Scattered();
    const evaluation::DesignNumbers before = SampleDesign(m, 11, 1234);
    m.inputs[1].distribution = Distribution::Uniform(400, 600); // depth
    const evaluation::DesignNumbers after = SampleDesign(m, 11, 1234);
    EXPECT_EQ(before.k, after.k);
    EXPECT_EQ(before.width, after.width);
    EXPECT_EQ(before.height, after.height);
    EXPECT_NE(before.depth, after.depth);
}

// The statistics of a run against the samples themselves, sorted and counted.
void ExpectAgreesWithSamples(const RunResult& r, std::vector<float> fos) {
    std::vector<float> finite;
    for (float f : fos)
        if (!std::isnan(f))
            finite.push_back(f);
    ASSERT_EQ(finite.size(), r.finite);
    EXPECT_EQ(r.samples - r.finite, fos.size() - finite.size());
    std::sort(finite.begin(), finite.end());
    const std::size_t n = finite.size();
    auto at = [&](double p) {
        const auto k = static_cast<std::size_t>(std::ceil(p * static_cast<double>(n) - 1e-9));
        return finite[std::max<std::size_t>(k, 1) - 1];
    };
    EXPECT_EQ(r.quantile5, at(0.05));
    EXPECT_EQ(r.median, at(0.5));
    EXPECT_EQ(r.minimum, finite.front());
    EXPECT_EQ(r.maximum, finite.back());
    const auto belowOne = static_cast<std::uint64_t>(
        std::lower_bound(finite.begin(), finite.end(), 1.0f) - finite.begin());
    const auto belowLimit = static_cast<std::uint64_t>(
        std::lower_bound(finite.begin(), finite.end(), 1.6f) - finite.begin());
    EXPECT_EQ(r.belowOne, belowOne);
    EXPECT_EQ(r.belowLimit, belowLimit);
    double sum = 0;
    for (float f : finite)
        sum += static_cast<double>(f);
    const double mean = sum / static_cast<double>(n);
    double squares = 0;
    for (float f : finite)
        squares += (static_cast<double>(f) - mean) * (static_cast<double>(f) - mean);
    EXPECT_NEAR(r.mean, mean, 1e-12 * std::fabs(mean) + 1e-15);
    const double sd = n > 1 ? std::sqrt(squares / static_cast<double>(n - 1)) : 0.0;
    EXPECT_NEAR(r.standardDeviation, sd, 1e-9 * sd + 1e-15);
    // Every finite sample in exactly one bin, or below or above them.
    std::vector<std::uint64_t> counts(r.histogram.counts.size());
    std::uint64_t below = 0;
    std::uint64_t above = 0;
    for (float f : finite) {
        const auto x = static_cast<double>(f);
        if (x < r.histogram.lower) {
            ++below;
            continue;
        }
        std::size_t i = 0;
        while (i < counts.size() && !(x < r.histogram.edge(i + 1)))
            ++i;
        if (i == counts.size())
            ++above;
        else
            ++counts[i];
    }
    EXPECT_EQ(r.histogram.counts, counts);
    EXPECT_EQ(r.histogram.below, below);
    EXPECT_EQ(r.histogram.above, above);
}

TEST(Run, StatisticsAgreeWithTheSamplesSortedAndCounted) {
    struct Case {
        const char* name;
        Model model;
        std::uint64_t samples;
    };
    const Case cases[] = {
        {"scattered", Scattered(), 20000},
        // Few distinct values: many ties at the quantiles.
        {"ties", ModelOf(TributaryNumbers(), {{Input::K, Distribution::Uniform(99.99f, 100.01f)}}),
         9001},
        // Normal K with a large CV: negative strengths and FOS.
        {"negative", ModelOf(TributaryNumbers(), {{Input::K, Distribution::Normal(100, 1.2)}}),
         30000},
        {"one sample", ModelOf(TributaryNumbers(), {{Input::K, Distribution::Normal(100, 0.2)}}),
         1},
        {"squat",
         ModelOf(TributaryNumbers(100, 2), {{Input::PillarHeight, Distribution::Uniform(1.5, 3)}}),
         8000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<float> fos;
        const RunResult r = RunSamples(c.model, Settings(c.samples, 21), nullptr, &fos);
        ExpectAgreesWithSamples(r, fos);
    }
}

TEST(Run, SquatAndSlenderSharesCountTheirSamples) {
    // Heights 1.5 .. 3 for weff 10: W:H 3.3 .. 6.7, squat above 4.5 (h < 2.22),
    // never below 2.5.
    const Model m =
        ModelOf(TributaryNumbers(100, 2), {{Input::PillarHeight, Distribution::Uniform(1.5, 3)}});
    const RunResult r = RunSamples(m, Settings(40000, 8));
    const double squat = (10 / 4.5 - 1.5) / 1.5; // share of heights below 10 / 4.5
    EXPECT_NEAR(r.shareSquat, squat, 4 * std::sqrt(squat * (1 - squat) / 40000));
    EXPECT_EQ(r.shareWidthHeightTooSmall, 0.0);
    const Model slender =
        ModelOf(TributaryNumbers(100, 3), {{Input::PillarHeight, Distribution::Uniform(3, 5)}});
    const RunResult s = RunSamples(slender, Settings(40000, 8));
    const double tooSmall = (5 - 4.0) / 2; // W:H < 2.5 for h > 4
    EXPECT_NEAR(s.shareWidthHeightTooSmall, tooSmall, 4 * std::sqrt(0.25 / 40000));
    EXPECT_EQ(s.shareSquat, 0.0);
}

TEST(Run, SamplesWithoutAFiniteFosAreCountedByWhatStoppedThem) {
    // Heights uniform from -1 to 4: a fifth not above 0, no design there.
    const Model m =
        ModelOf(TributaryNumbers(), {{Input::PillarHeight, Distribution::Uniform(-1, 4)}});
    const RunResult r = RunSamples(m, Settings(50000, 4));
    ASSERT_EQ(r.withoutResult.size(), 1u);
    EXPECT_EQ(r.withoutResult[0].notPositive, Input::PillarHeight);
    EXPECT_EQ(r.withoutResult[0].count, r.samples - r.finite);
    const double share = static_cast<double>(r.withoutResultCount()) / 50000;
    EXPECT_NEAR(share, 0.2, 4 * std::sqrt(0.16 / 50000));
    // The shares are of the samples with an FOS.
    EXPECT_EQ(r.failure.value, static_cast<double>(r.belowOne) / static_cast<double>(r.finite));
    EXPECT_EQ(StopReason(r.withoutResult[0]),
              QStringLiteral("a drawn \"Pillar height (m)\" was not above 0"));
    // Where the road itself stops, the screen's message says why.
    EXPECT_EQ(StopReason(NumericStop::Strength, engine::Fault::NegativeBase),
              QStringLiteral("The pillar width, length and height and the start squat pillar "
                             "value must not be negative"));
}

// A normal input with a large CV draws values below 0; the tributary road
// would take a negative depth or density as positive stress and count the
// sample as safe. Each such sample is counted as no design instead, and is
// the very sample that drew the value (found by drawing each sample again).
TEST(Run, ADrawnValueNotAboveZeroIsNoDesign) {
    const Input inputs[] = {
        Input::RockDensity, Input::Depth,      Input::PillarWidth, Input::PillarLength,
        Input::BordWidth1,  Input::BordWidth2, Input::K,           Input::PillarHeight};
    for (const Input input : inputs) {
        SCOPED_TRACE(evaluation::Caption(input).toStdString());
        const evaluation::DesignNumbers base = TributaryNumbers();
        const double mean = base.*probability::InputMember(input);
        const Model m = ModelOf(base, {{input, Distribution::Normal(mean, 0.6)}});
        std::vector<float> fos;
        const RunResult r = RunSamples(m, Settings(20000, 5), nullptr, &fos);
        std::uint64_t notPositive = 0;
        for (std::uint64_t i = 0; i < r.samples; ++i) {
            const double drawn = SampleDesign(m, 5, i).*probability::InputMember(input);
            if (drawn > 0)
                continue;
            ++notPositive;
            EXPECT_TRUE(std::isnan(fos[i])) << i;
        }
        ASSERT_GT(notPositive, 200u); // about 5 % of the samples
        ASSERT_FALSE(r.withoutResult.empty());
        EXPECT_EQ(r.withoutResult[0].notPositive, input);
        EXPECT_EQ(r.withoutResult[0].count, notPositive);
        // No negative FOS (a pillar narrower than 0.05 m shows width 0, FOS 0).
        for (std::uint64_t i = 0; i < r.samples; ++i) {
            if (!std::isnan(fos[i])) {
                EXPECT_GE(fos[i], 0.0f) << i;
            }
        }
    }
    // The typed stress on the modelled screen likewise.
    evaluation::DesignNumbers modelled = TributaryNumbers();
    modelled.method = evaluation::Method::Modelled;
    modelled.stress = 60;
    const RunResult s =
        RunSamples(ModelOf(modelled, {{Input::ModelledStress, Distribution::Normal(60, 0.6)}}),
                   Settings(20000, 6));
    ASSERT_EQ(s.withoutResult.size(), 1u);
    EXPECT_EQ(s.withoutResult[0].notPositive, Input::ModelledStress);
    EXPECT_NEAR(static_cast<double>(s.withoutResultCount()) / 20000, 0.0478, 0.006);
}

TEST(Run, NoSampleWithAnFosGivesNoStatistics) {
    const Model m =
        ModelOf(TributaryNumbers(), {{Input::PillarHeight, Distribution::Uniform(-2, -1)}});
    const RunResult r = RunSamples(m, Settings(1000, 4));
    EXPECT_EQ(r.finite, 0u);
    EXPECT_EQ(r.withoutResultCount(), 1000u);
    EXPECT_TRUE(r.histogram.counts.empty());
}

TEST(Run, InterpolationOutsideTheTableIsCountedNotFailed) {
    Model m = ModelOf(TributaryNumbers(), {});
    m.base.method = evaluation::Method::Interpolation;
    // No table loaded: every sample stops at the interpolation.
    const RunResult r = RunSamples(m, Settings(100, 1));
    ASSERT_EQ(r.withoutResult.size(), 1u);
    EXPECT_EQ(r.withoutResult[0].stop, NumericStop::Interpolation);
    EXPECT_EQ(r.withoutResult[0].count, 100u);
    EXPECT_EQ(r.belowOne, 0u);
}

TEST(Run, ACancelledRunGivesNothingButItsCancellation) {
    RunControl control;
    control.cancel = true;
    const RunResult r = RunSamples(Scattered(), Settings(100000, 1), &control);
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(r.finite, 0u);
    EXPECT_EQ(control.done.load(), 0u);
}

TEST(Run, TellsItsProgress) {
    RunControl control;
    const RunResult r = RunSamples(Scattered(), Settings(10000, 1), &control);
    EXPECT_FALSE(r.cancelled);
    EXPECT_EQ(control.done.load(), 10000u);
}

TEST(BackgroundRun, FinishesWithTheSameResultAsARunInPlace) {
    BackgroundRun run(Scattered(), Settings(20000, 9));
    while (!run.finished())
        std::this_thread::yield();
    EXPECT_EQ(run.done(), 20000u);
    ExpectSameBits(run.result(), RunSamples(Scattered(), Settings(20000, 9)), "background");
}

TEST(BackgroundRun, StopsWhenCancelledOrDestroyed) {
    BackgroundRun run(Scattered(), Settings(kMaxSamples, 9));
    run.cancel();
    while (!run.finished())
        std::this_thread::yield();
    EXPECT_TRUE(run.result().cancelled);
    EXPECT_LT(run.done(), kMaxSamples);
    // Destroyed while running: the destructor cancels and waits.
    { BackgroundRun running(Scattered(), Settings(kMaxSamples, 10)); }
}

} // namespace
} // namespace vt::probability
