// The Monte Carlo estimates against closed forms. On the power formula
// FOS = K weff^a h^-b / stress; with the tributary stress
// rho g H / 1000 / (1 - e / 100) and K, h and H lognormal and independent,
// ln FOS is normal with mean mu_K - b mu_h - mu_H + ln C and variance
// s_K^2 + b^2 s_h^2 + s_H^2, where C = weff^a (1 - e / 100) 1000 / (rho g).
// So P(FOS < x) = Phi((ln x - m) / s). The estimates must lie within three
// standard errors of it, for several CVs and FOS levels, with every sample
// on the power formula.
#include "probability/core/montecarlo.h"
#include "tests/probability/designs.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <numbers>

namespace vt::probability {
namespace {

using evaluation::Input;
using test::ModelOf;
using test::Settings;
using test::TributaryNumbers;

double Phi(double x) {
    return 0.5 * std::erfc(-x / std::numbers::sqrt2);
}

constexpr double kAlpha = 0.5;
constexpr double kBeta = 0.75;

// The design of TributaryNumbers worked by hand: weff 10, 12 m bords, rho 2.7.
double Constant() {
    const double area = (10.0 + 12) * (10.0 + 12);
    const double extraction = (area - 100) / area; // as a fraction
    return std::pow(10.0, kAlpha) * (1 - extraction) * 1000 / (2.7 * 9.81);
}

struct LogNormalInput {
    double cv;
    double logMean;
    double logDeviation;
};

LogNormalInput ByMedian(double median, double cv) {
    return {cv, std::log(median), std::sqrt(std::log1p(cv * cv))};
}

double MeanOf(const LogNormalInput& in) {
    return std::exp(in.logMean + in.logDeviation * in.logDeviation / 2);
}

struct Expected {
    double m; // mean of ln FOS
    double s; // its standard deviation
    double below(double x) const { return Phi((std::log(x) - m) / s); }
};

void ExpectWithinThreeStandardErrors(const RunResult& r, const Expected& e, const char* label) {
    ASSERT_EQ(r.finite, r.samples);
    ASSERT_EQ(r.squat, 0u) << "a sample left the power formula";
    const auto n = static_cast<double>(r.finite);
    for (auto [x, estimate] :
         {std::pair{1.0, r.failure.value}, std::pair{1.6, r.belowSafetyLimit.value}}) {
        const double p = e.below(x);
        const double se = std::sqrt(p * (1 - p) / n);
        std::printf("%-34s P(FOS < %.1f): estimate %.6f  closed form %.6f  SE %.6f  (%+.2f SE)\n",
                    label, x, estimate, p, se, se > 0 ? (estimate - p) / se : 0.0);
        EXPECT_LE(std::fabs(estimate - p), 3 * se) << label << " x = " << x;
    }
    // The mean of a lognormal FOS, and its median.
    const double mean = std::exp(e.m + e.s * e.s / 2);
    const double sd = mean * std::sqrt(std::expm1(e.s * e.s));
    EXPECT_LE(std::fabs(r.mean - mean), 3 * sd / std::sqrt(n)) << label;
    // The median's standard error: sqrt(1/4 / n) / density at the median.
    const double density = 1 / (std::exp(e.m) * e.s * std::sqrt(2 * std::numbers::pi));
    EXPECT_LE(std::fabs(static_cast<double>(r.median) - std::exp(e.m)),
              3 * std::sqrt(0.25 / n) / density)
        << label;
}

constexpr std::uint64_t kSamples = 200000;

TEST(ClosedForm, KAloneLognormalOnThePowerFormula) {
    const double height = 5; // W:H 2
    // FOS = K Constant() h^-b / H, at depth 500.
    const double perK = Constant() / std::pow(height, kBeta) / 500;
    std::uint64_t seed = 100;
    for (double level : {0.8, 1.0, 1.3, 1.7}) // the median FOS
        for (double cv : {0.1, 0.25, 0.5}) {
            const LogNormalInput k = ByMedian(level / perK, cv);
            const Model m = ModelOf(TributaryNumbers(MeanOf(k), height),
                                    {{Input::K, Distribution::Lognormal(MeanOf(k), cv)}});
            const RunResult r = RunSamples(m, Settings(kSamples, ++seed));
            char label[64];
            std::snprintf(label, sizeof label, "K alone, median FOS %.1f, CV %.2f", level, cv);
            ExpectWithinThreeStandardErrors(r, {std::log(level), k.logDeviation}, label);
        }
}

TEST(ClosedForm, KHeightAndDepthLognormalTogetherOnThePowerFormula) {
    struct Case {
        double cvK, cvHeight, cvDepth;
    };
    // Heights about 5 with a CV of at most 10 %: W:H 2 and never above 4.5
    // (that needs h below 2.2, eight standard deviations away).
    const Case cases[] = {{0.1, 0.05, 0.05}, {0.2, 0.1, 0.1}, {0.3, 0.1, 0.2}};
    std::uint64_t seed = 200;
    for (double level : {0.9, 1.2, 1.5, 2.0})
        for (const Case& c : cases) {
            const LogNormalInput height = ByMedian(5, c.cvHeight);
            const LogNormalInput depth = ByMedian(500, c.cvDepth);
            // K's median puts the median FOS at `level`.
            const double lnC = std::log(Constant());
            const double muK = std::log(level) + kBeta * height.logMean + depth.logMean - lnC;
            const LogNormalInput k{c.cvK, muK, std::sqrt(std::log1p(c.cvK * c.cvK))};
            evaluation::DesignNumbers d = TributaryNumbers(MeanOf(k), MeanOf(height));
            d.depth = MeanOf(depth);
            const Model m = ModelOf(
                d, {{Input::K, Distribution::Lognormal(MeanOf(k), c.cvK)},
                    {Input::PillarHeight, Distribution::Lognormal(MeanOf(height), c.cvHeight)},
                    {Input::Depth, Distribution::Lognormal(MeanOf(depth), c.cvDepth)}});
            const RunResult r = RunSamples(m, Settings(kSamples, ++seed));
            const double s = std::sqrt(k.logDeviation * k.logDeviation +
                                       kBeta * kBeta * height.logDeviation * height.logDeviation +
                                       depth.logDeviation * depth.logDeviation);
            const double mean = k.logMean - kBeta * height.logMean - depth.logMean + lnC;
            char label[64];
            std::snprintf(label, sizeof label, "K, h, H, median %.1f, CV %.2f/%.2f/%.2f", level,
                          c.cvK, c.cvHeight, c.cvDepth);
            ExpectWithinThreeStandardErrors(r, {mean, s}, label);
        }
}

} // namespace
} // namespace vt::probability
