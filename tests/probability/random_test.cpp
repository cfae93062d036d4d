// The random streams and the normal sampler, checked against the normal
// distribution computed another way (erfc), and the streams' independence
// from the order in which samples are drawn.
#include "probability/core/random.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <set>
#include <vector>

namespace vt::probability {
namespace {

double Phi(double x) {
    return 0.5 * std::erfc(-x / std::numbers::sqrt2);
}

TEST(Ziggurat, LayersHaveEqualAreasAndCloseAtTheTop) {
    const Ziggurat& z = NormalZiggurat();
    auto f = [](double x) { return std::exp(-0.5 * x * x); };
    const double V = Ziggurat::kV;
    // The base strip: the rectangle under f(R) out to R plus the tail beyond.
    const double tail =
        std::sqrt(std::numbers::pi / 2) * std::erfc(Ziggurat::kR / std::numbers::sqrt2);
    EXPECT_NEAR(Ziggurat::kR * f(Ziggurat::kR) + tail, V, 1e-12);
    EXPECT_NEAR(z.x[0] * f(Ziggurat::kR), V, 1e-15);
    for (std::size_t i = 1; i + 1 < Ziggurat::kLayers; ++i)
        EXPECT_NEAR(z.x[i] * (f(z.x[i + 1]) - f(z.x[i])), V, 1e-12) << i;
    // The last layer reaches the top of the density with the same area.
    const double top = z.x[Ziggurat::kLayers - 1];
    EXPECT_NEAR(top * (1 - f(top)), V, 1e-9);
    EXPECT_EQ(z.x[Ziggurat::kLayers], 0.0);
}

TEST(SampleStream, SameKeySampleAndSlotGiveTheSameDraws) {
    const std::uint64_t key = StreamKey(42);
    SampleStream a(key, 123456, 3);
    SampleStream b(key, 123456, 3);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(a.next(), b.next());
}

TEST(SampleStream, StreamsOfNeighbouringSamplesSlotsAndSeedsDiffer) {
    std::set<std::uint64_t> first;
    for (std::uint64_t seed : {0ull, 1ull, 2ull})
        for (std::uint64_t sample = 0; sample < 200; ++sample)
            for (unsigned slot = 0; slot < 14; ++slot) {
                SampleStream s(StreamKey(seed), sample, slot);
                first.insert(s.next());
            }
    EXPECT_EQ(first.size(), 3u * 200u * 14u);
}

TEST(SampleStream, UniformStaysInItsInterval) {
    SampleStream s(StreamKey(7), 0, 0);
    double sum = 0;
    constexpr int n = 200000;
    for (int i = 0; i < n; ++i) {
        const double u = s.uniform();
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
        const double p = s.uniformPositive();
        ASSERT_GT(p, 0.0);
        ASSERT_LE(p, 1.0);
        sum += u;
    }
    // Mean 1/2, standard error sqrt(1/12 / n).
    EXPECT_NEAR(sum / n, 0.5, 4 * std::sqrt(1.0 / 12 / n));
}

// One draw from each of many streams, as a run takes them.
std::vector<double> Normals(int n) {
    std::vector<double> z;
    z.reserve(static_cast<std::size_t>(n));
    const std::uint64_t key = StreamKey(2024);
    for (int i = 0; i < n; ++i) {
        SampleStream s(key, static_cast<std::uint64_t>(i), 7);
        z.push_back(s.normal());
    }
    return z;
}

TEST(SampleStream, NormalDrawsFollowTheNormalDistribution) {
    constexpr int n = 1000000;
    const std::vector<double> z = Normals(n);
    // 42 bins: 40 of width 0.2 from -4 to 4 and the two tails.
    std::array<double, 42> observed{};
    double sum = 0;
    double squares = 0;
    for (double x : z) {
        sum += x;
        squares += x * x;
        std::size_t bin = 0;
        if (x >= 4)
            bin = 41;
        else if (x >= -4)
            bin = 1 + static_cast<std::size_t>(std::floor((x + 4) / 0.2));
        observed[std::min<std::size_t>(bin, 41)] += 1;
    }
    double chi2 = 0;
    for (std::size_t b = 0; b < observed.size(); ++b) {
        const double lo = b == 0 ? -INFINITY : -4 + 0.2 * static_cast<double>(b - 1);
        const double hi = b == 41 ? INFINITY : -4 + 0.2 * static_cast<double>(b);
        const double expected = n * (Phi(hi) - Phi(lo));
        chi2 += (observed[b] - expected) * (observed[b] - expected) / expected;
    }
    // 41 degrees of freedom: 80 is beyond the 99.99 % point.
    EXPECT_LT(chi2, 80.0);
    EXPECT_NEAR(sum / n, 0.0, 4 / std::sqrt(n));
    EXPECT_NEAR(squares / n, 1.0, 4 * std::sqrt(2.0 / n));
}

TEST(SampleStream, NormalTailsBeyondTheBaseStripHaveTheirShare) {
    constexpr int n = 1000000;
    const std::vector<double> z = Normals(n);
    int beyond = 0;
    int farBeyond = 0;
    for (double x : z) {
        beyond += std::fabs(x) > Ziggurat::kR;
        farBeyond += std::fabs(x) > 4.0;
    }
    for (auto [count, limit] : {std::pair{beyond, Ziggurat::kR}, std::pair{farBeyond, 4.0}}) {
        const double p = 2 * (1 - Phi(limit));
        EXPECT_NEAR(static_cast<double>(count) / n, p, 4 * std::sqrt(p * (1 - p) / n)) << limit;
    }
}

} // namespace
} // namespace vt::probability
