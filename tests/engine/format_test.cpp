// Shown text of results: ties to even at the shown decimals, shortest text at
// the value's own precision, no exponent, no "-0", nothing for inf/NaN.
#include "engine/engine.h"
#include "engine/shortest.h"

#include <cfenv>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace vt::engine {
namespace {

struct SingleCase {
    float value;
    int decimals;
    const char* shown;
};

TEST(FormatResult, SinglePrecisionValues) {
    const SingleCase cases[] = {
        {70.0f, 1, "70"},
        {79.338844f, 1, "79.3"},
        {0.8f, 1, "0.8"},
        {64.0985413f, 2, "64.1"},
        {26.4900017f, 2, "26.49"},
        {10.0f, 1, "10"},
        {5.7f / 2, 1, "2.8"}, // the single 2.8499999 is below the tie
        {0.25f, 1, "0.2"},    // exact tie: even digit
        {0.75f, 1, "0.8"},    // exact tie: even digit
        {2.5f, 0, "2"},
        {3.5f, 0, "4"},
        {-0.25f, 1, "-0.2"},
        {-0.04f, 1, "0"}, // rounds to negative zero, shown as 0
        {-0.0f, 2, "0"},
        {2.45f, 1, "2.5"}, // the single 2.45000005 is above the tie
        {43.3299980f, 2, "43.33"},
        {13.3319998f, 2, "13.33"},
        {20.0f, 2, "20"},
        {123456.789f, 2, "123456.79"},
        {1e30f, 1, "1000000015047466219876688855040"},
        {-3e38f, 2, "-300000000549775575777803994281145270272"},
        {1e-30f, 2, "0"},
        {1.25f, 7, "1.25"},
    };
    for (const SingleCase& c : cases) {
        EXPECT_EQ(FormatResult(c.value, c.decimals), c.shown) << c.value << " @" << c.decimals;
    }
}

TEST(FormatResult, DoublePrecisionValues) {
    struct Case {
        double value;
        int decimals;
        const char* shown;
    };
    const Case cases[] = {
        {6.9, 1, "6.9"},
        {4.2, 1, "4.2"},
        {2.45, 1, "2.4"}, // the typed tie goes to the
                          // even digit
        {1.15, 1, "1.2"},
        {2.35, 1, "2.4"},
        {0.05, 1, "0"},
        {0.15, 1, "0.2"},
        {-2.45, 1, "-2.4"},
        {0.1 + 0.2, 1, "0.3"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatResult(c.value, c.decimals), c.shown) << c.value;
    }
    // Plain digits, no exponent.
    const std::string huge = FormatResult(1e300, 2);
    EXPECT_EQ(huge.size(), 301u);
    EXPECT_EQ(huge.substr(0, 4), "1000");
    EXPECT_EQ(huge.find_first_not_of("0123456789"), std::string::npos);
    const std::string largest = FormatResult(std::numeric_limits<double>::max(), 1);
    EXPECT_EQ(largest.size(), 309u);
}

TEST(FormatResult, NonFiniteGivesEmptyText) {
    EXPECT_EQ(FormatResult(std::numeric_limits<float>::infinity(), 1), "");
    EXPECT_EQ(FormatResult(-std::numeric_limits<float>::infinity(), 1), "");
    EXPECT_EQ(FormatResult(std::numeric_limits<float>::quiet_NaN(), 1), "");
    EXPECT_EQ(FormatResult(std::numeric_limits<double>::infinity(), 1), "");
    EXPECT_EQ(FormatResult(std::numeric_limits<double>::quiet_NaN(), 2), "");
    EXPECT_EQ(ShortestText(std::numeric_limits<double>::quiet_NaN()), "");
}

TEST(FormatResult, DecimalSeparatorFromCaller) {
    EXPECT_EQ(FormatResult(79.338844f, 1, ","), "79,3");
    EXPECT_EQ(FormatResult(6.857, 1, ","), "6,9");
    EXPECT_EQ(FormatResult(70.0f, 1, ","), "70");
    EXPECT_EQ(FormatResult(0.5f, 1, "\xC2\xB7"), "0\xC2\xB7"
                                                 "5"); // a multi-byte separator
}

TEST(FormatResult, OddDecimalCounts) {
    EXPECT_EQ(FormatResult(2.5f, -1), "2");      // below 0: whole numbers
    EXPECT_EQ(FormatResult(0.125, 40), "0.125"); // beyond the table: no crash
}

// Another rounding mode left behind by some library must not change the text.
TEST(FormatResult, IndependentOfTheRoundingMode) {
    for (int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        ASSERT_EQ(std::fesetround(mode), 0);
        const std::string tie = FormatResult(0.25f, 1);
        const std::string typed = FormatResult(2.45, 1);
        const std::string single = FormatResult(79.338844f, 1);
        const std::string negative = FormatResult(-2.45, 1);
        const int after = std::fegetround();
        std::fesetround(FE_TONEAREST);
        EXPECT_EQ(tie, "0.2") << mode;
        EXPECT_EQ(typed, "2.4") << mode;
        EXPECT_EQ(single, "79.3") << mode;
        EXPECT_EQ(negative, "-2.4") << mode;
        EXPECT_EQ(after, mode); // the caller's mode is restored
    }
}

TEST(ShortestText, PlainShortestForm) {
    EXPECT_EQ(ShortestText(2.75), "2.75");
    EXPECT_EQ(ShortestText(0.46), "0.46");
    EXPECT_EQ(ShortestText(100), "100");
    EXPECT_EQ(ShortestText(-0.0), "0");
    EXPECT_EQ(ShortestText(1e21), "1000000000000000000000");
    EXPECT_EQ(ShortestText(1e-7), "0.0000001");
    EXPECT_EQ(ShortestText(66.67, ","), "66,67");
    // A float's own digits, not its widening's.
    EXPECT_EQ(ShortestText(static_cast<double>(2.7f)), "2.700000047683716");
    EXPECT_EQ(ShortestFloatText(2.7f), "2.7");
    EXPECT_EQ(ShortestFloatText(-0.0f, ","), "0");
    EXPECT_EQ(ShortestFloatText(1.5e-7f), "0.00000015");
    EXPECT_EQ(ShortestFloatText(std::numeric_limits<float>::infinity()), "");
}

} // namespace
} // namespace vt::engine
