// The histogram of a run on its own: its bins and its frame.
#include "probability/core/statistics.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace vt::probability {
namespace {

TEST(Histogram, BinsSettleOnTheirEdgesExactly) {
    Histogram h;
    h.lower = 0;
    h.step = 0.1;
    h.counts.assign(20, 0);
    EXPECT_EQ(h.bin(-0.0001), -1);
    EXPECT_EQ(h.bin(0), 0);
    for (std::size_t i = 1; i < 20; ++i) {
        const double e = h.edge(i);
        EXPECT_EQ(h.bin(e), static_cast<std::ptrdiff_t>(i)) << e;
        EXPECT_EQ(h.bin(std::nextafter(e, -1.0)), static_cast<std::ptrdiff_t>(i - 1)) << e;
    }
    EXPECT_EQ(h.bin(h.upper()), 20);
    EXPECT_EQ(h.bin(std::nextafter(h.upper(), 0.0)), 19);
    EXPECT_EQ(h.bin(1e30), 20);
}

TEST(HistogramFrame, RoundBinsFromZeroThatShowTheValuesAndTheMarks) {
    struct Case {
        double low, high, mark;
        double lower, step;
    };
    const Case cases[] = {
        {0.9, 2.1, 1.5, 0, 0.05},     // 0 .. 2.1 in 0.05: 43 bins
        {1.2, 1.3, 1.25, 0, 0.05},    // up to the 1.6 mark
        {0.5, 1.0, 3.9, 0, 0.1},      // up to the screen's FOS
        {-0.7, 2.0, 1.0, -0.75, 0.1}, // negative values in view
        {0.0, 5.8, 2.0, 0, 0.2},
    };
    for (const Case& c : cases) {
        const Histogram h = HistogramFrame(c.low, c.high, c.mark);
        EXPECT_DOUBLE_EQ(h.step, c.step) << c.high;
        EXPECT_LE(h.lower, std::min(0.0, c.low));
        EXPECT_NEAR(h.lower, c.lower, 0.06) << c.low;
        EXPECT_GT(h.upper(), std::max({c.high, c.mark, 1.6}));
        EXPECT_LE(h.counts.size(), 60u);
        EXPECT_GE(h.counts.size(), 20u);
    }
    // Far tails stay out: three times the larger mark either side of 0.
    for (auto [low, high, mark] :
         {std::tuple{0.5, 1e8, 1.5}, std::tuple{-1e8, 2.0, 1.0}, std::tuple{0.5, 1e8, 2.5}}) {
        const Histogram h = HistogramFrame(low, high, mark);
        const double reach = 3 * std::max(1.6, mark);
        EXPECT_GE(h.upper(), std::min(high, reach));
        EXPECT_LE(h.upper(), std::min(high, reach) + 2 * h.step);
        const double bottom = std::min(0.0, std::max(low, -reach));
        EXPECT_LE(h.lower, bottom);
        EXPECT_GE(h.lower, bottom - h.step);
    }
}

} // namespace
} // namespace vt::probability
