// Median of UCS readings and the downgraded strength constant K.
#include "engine/engine.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace vt::engine {
namespace {

struct MedianCase {
    const char* name;
    std::vector<float> readings;
    float median;
};

class Median : public ::testing::TestWithParam<MedianCase> {};

TEST_P(Median, OfReadings) {
    const auto m = MedianUCS(GetParam().readings);
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(*m, GetParam().median);
}

INSTANTIATE_TEST_SUITE_P(Lists, Median,
                         ::testing::Values(MedianCase{"One", {40}, 40},
                                           MedianCase{"EvenCount", {100, 140, 120, 160}, 130},
                                           MedianCase{"OddSmallestLast", {150, 90, 120}, 120},
                                           MedianCase{"EqualPair", {80, 80}, 80},
                                           MedianCase{"Two", {10, 11}, 10.5f},
                                           MedianCase{"Five", {5, 1, 4, 2, 3}, 3},
                                           MedianCase{"SixUnsorted", {6, 1, 5, 2, 4, 3}, 3.5f},
                                           MedianCase{"Negative", {-10, -30, -20}, -20},
                                           // The sum of the middle pair would overflow in single.
                                           MedianCase{"Huge", {3e38f, 3e38f}, 3e38f}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Median, LargestListCountsFromTheMiddle) {
    std::vector<float> readings;
    for (int i = 32767; i >= 1; --i)
        readings.push_back(static_cast<float>(i));
    EXPECT_EQ(MedianUCS(readings), 16384.0f);
    readings.pop_back(); // 32766 readings: 2 .. 32767
    EXPECT_EQ(MedianUCS(readings), 16384.5f);
}

TEST(Median, RefusedLists) {
    EXPECT_FALSE(MedianUCS({}).has_value());
    EXPECT_FALSE(MedianUCS({1, std::numeric_limits<float>::quiet_NaN(), 3}).has_value());
    EXPECT_FALSE(MedianUCS({std::numeric_limits<float>::infinity()}).has_value());
}

TEST(DowngradedK, ShownWithTwoDecimals) {
    struct Case {
        float median, d;
        const char* shown;
    };
    const Case cases[] = {
        {40, 66.67f, "13.33"}, {130, 50, "65"},     {130, 66.67f, "43.33"}, {130, 0, "130"},
        {130, 100, "0"},       {120, 66.67f, "40"}, {100, 150, "-50"},      {77.7f, 33.3f, "51.83"},
    };
    for (const Case& c : cases) {
        const auto k = DowngradedK(c.median, c.d);
        ASSERT_TRUE(k.ok());
        EXPECT_EQ(FormatResult(k.value(), 2), c.shown) << c.median << " less " << c.d << " %";
    }
    // Held unrounded in single precision.
    EXPECT_EQ(DowngradedK(40, 66.67f).value(), 13.3320007f);
    EXPECT_EQ(DowngradedK(130, 0).value(), 130.0f);
}

TEST(DowngradedK, FaultsInsteadOfNonFiniteResults) {
    EXPECT_EQ(DowngradedK(std::numeric_limits<float>::quiet_NaN(), 50).fault(), Fault::NotANumber);
    EXPECT_EQ(DowngradedK(40, std::numeric_limits<float>::infinity()).fault(), Fault::NotANumber);
    EXPECT_EQ(DowngradedK(3e38f, -3e38f).fault(), Fault::Overflow);
}

} // namespace
} // namespace vt::engine
