// Extraction, tributary-area stress, effective width and W:H ratio: the
// shown texts and the exact single-precision values behind them.
#include "engine/engine.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace vt::engine {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

struct StressCase {
    const char* name;
    float w, l, b1, b2, density, depth;
    const char* extractionShown;
    const char* stressShown;
    float stress; // exact single value
};

class TributaryStress : public ::testing::TestWithParam<StressCase> {};

TEST_P(TributaryStress, ShowsExtractionAndStress) {
    const StressCase& c = GetParam();
    const auto e = CalculatePercentageExtraction(c.w, c.l, c.b1, c.b2);
    ASSERT_TRUE(e.ok());
    EXPECT_EQ(FormatResult(e.value(), 1), c.extractionShown);
    const auto s = CalculateTributaryPillarStress(c.density, c.depth, e.value());
    ASSERT_TRUE(s.ok());
    EXPECT_EQ(FormatResult(s.value(), 2), c.stressShown);
    EXPECT_EQ(s.value(), c.stress);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, TributaryStress,
    ::testing::Values(
        StressCase{"Square10Bords12", 10, 10, 12, 12, 2.7f, 500, "79.3", "64.1", 64.0985413f},
        StressCase{"ExactlySeventy", 6, 8, 4, 8, 2.7f, 300, "70", "26.49", 26.4869995f},
        StressCase{"Square5Deep", 5, 5, 8, 8, 2.75f, 1000, "85.2", "182.37", 182.367874f},
        // No bords: nothing is extracted and the stress is the premining stress.
        StressCase{"NoBords", 6, 8, 0, 0, 2.7f, 500, "0", "13.24", 13.2435007f},
        // A negative depth gives a negative quotient, shown as its size.
        StressCase{"NegativeDepth", 10, 10, 12, 12, 2.7f, -500, "79.3", "64.1", 64.0985413f},
        // The 32-bit stress 132.434998 shows 132.43 where the decimal
        // 132.435 would go to the even 132.44.
        StressCase{"SingleStressBelowTie", 4, 4, 4, 4, 2.7f, 1250, "75", "132.43", 132.434998f}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PercentageExtraction, ExactValueOfFirstLayout) {
    const auto e = CalculatePercentageExtraction(10, 10, 12, 12);
    ASSERT_TRUE(e.ok());
    EXPECT_EQ(e.value(), 79.338844f);
}

// Intermediates rounded to 32 bits move a value off a decimal tie, which
// changes the shown digit against exact decimal arithmetic.
TEST(PercentageExtraction, SingleIntermediatesDecideTheShownDigit) {
    struct Case {
        float w, l, b1, b2;
        float exact;
        const char* shown;
    };
    const Case cases[] = {
        {4.0f, 4.3f, 8.5f, 8.5f, 89.2500076f, "89.3"}, // decimal 89.25 would show 89.2
        {4.2f, 5.9f, 11.8f, 11.8f, 91.25f, "91.2"},    // lands on the tie: even digit
        {4.2f, 7.1f, 5.4f, 5.4f, 75.1500015f, "75.2"}, // decimal 75.15 would show 75.2 too
        {1.1f, 1.1f, 3.3f, 3.3f, 93.7500076f, "93.8"}, // double arithmetic gives 93.7499997
    };
    for (const Case& c : cases) {
        const auto e = CalculatePercentageExtraction(c.w, c.l, c.b1, c.b2);
        ASSERT_TRUE(e.ok());
        EXPECT_EQ(e.value(), c.exact) << c.w << " x " << c.l;
        EXPECT_EQ(FormatResult(e.value(), 1), c.shown) << c.w << " x " << c.l;
    }
}

TEST(PercentageExtraction, FaultsInsteadOfNonFiniteResults) {
    struct Case {
        const char* name;
        float w, l, b1, b2;
        Fault fault;
    };
    const Case cases[] = {
        {"width and bord 1 cancel", 4, 6, -4, 3, Fault::ZeroTributaryArea},
        {"length and bord 2 cancel", 4, 6, 3, -6, Fault::ZeroTributaryArea},
        {"all zero", 0, 0, 0, 0, Fault::ZeroTributaryArea},
        {"NaN width", kNaN, 6, 3, 3, Fault::NotANumber},
        {"infinite bord", 4, 6, kInf, 3, Fault::NotANumber},
        {"area too large", 3e19f, 3e19f, 1, 1, Fault::Overflow},
        {"area too small to hold", 1e-30f, 1e-30f, 0, 0, Fault::ZeroTributaryArea},
    };
    for (const Case& c : cases) {
        const auto e = CalculatePercentageExtraction(c.w, c.l, c.b1, c.b2);
        EXPECT_FALSE(e.ok()) << c.name;
        EXPECT_EQ(e.fault(), c.fault) << c.name;
    }
}

TEST(PercentageExtraction, PillarWithoutAreaIsFullExtraction) {
    const auto e = CalculatePercentageExtraction(0, 8, 4, 4);
    ASSERT_TRUE(e.ok());
    EXPECT_EQ(e.value(), 100.0f);
    const auto s = CalculateTributaryPillarStress(2.7f, 500, e.value());
    EXPECT_EQ(s.fault(), Fault::FullExtraction);
}

TEST(TributaryPillarStress, FaultsInsteadOfNonFiniteResults) {
    EXPECT_EQ(CalculateTributaryPillarStress(kNaN, 500, 50).fault(), Fault::NotANumber);
    EXPECT_EQ(CalculateTributaryPillarStress(2.7f, -kInf, 50).fault(), Fault::NotANumber);
    EXPECT_EQ(CalculateTributaryPillarStress(2.7f, 500, kNaN).fault(), Fault::NotANumber);
    EXPECT_EQ(CalculateTributaryPillarStress(2.7f, 500, 100).fault(), Fault::FullExtraction);
    EXPECT_EQ(CalculateTributaryPillarStress(3e38f, 3e38f, 50).fault(), Fault::Overflow);
    // Nearly full extraction still has a finite stress.
    const auto nearlyFull = CalculateTributaryPillarStress(2.7f, 500, 99.99999f);
    ASSERT_TRUE(nearlyFull.ok());
    EXPECT_TRUE(std::isfinite(nearlyFull.value()));
}

TEST(TributaryPillarStress, UsesTheUnroundedExtraction) {
    // 79.338844 gives 64.0985; the shown 79.3 would give 63.98.
    const auto fromUnrounded = CalculateTributaryPillarStress(2.7f, 500, 79.338844f);
    const auto fromShown = CalculateTributaryPillarStress(2.7f, 500, 79.3f);
    EXPECT_EQ(FormatResult(fromUnrounded.value(), 2), "64.1");
    EXPECT_EQ(FormatResult(fromShown.value(), 2), "63.98");
}

TEST(EffectivePillarWidth, RoundedToOneDecimalTiesToEven) {
    struct Case {
        double w, l, held;
        const char* shown;
    };
    const Case cases[] = {
        {6, 8, 6.9, "6.9"},       // 6.857...
        {3, 7, 4.2, "4.2"},       // 4.2
        {10, 10, 10, "10"},       // a square pillar: the width itself
        {2.45, 2.45, 2.4, "2.4"}, // the typed tie goes to the even digit
        {1.15, 1.15, 1.2, "1.2"}, {2.25, 2.25, 2.2, "2.2"},
        {0, 5, 0, "0"},           {-2, 6, -6, "-6"}, // a negative width is not refused here
    };
    for (const Case& c : cases) {
        const auto weff = CalculateEffectivePillarWidth(c.w, c.l);
        ASSERT_TRUE(weff.ok()) << c.w << " x " << c.l;
        EXPECT_EQ(weff.value(), c.held) << c.w << " x " << c.l;
        EXPECT_EQ(FormatResult(weff.value(), 1), c.shown) << c.w << " x " << c.l;
    }
}

TEST(EffectivePillarWidth, FaultsInsteadOfNonFiniteResults) {
    EXPECT_EQ(CalculateEffectivePillarWidth(0, 0).fault(), Fault::ZeroPerimeter);
    EXPECT_EQ(CalculateEffectivePillarWidth(3, -3).fault(), Fault::ZeroPerimeter);
    EXPECT_EQ(CalculateEffectivePillarWidth(std::nan(""), 3).fault(), Fault::NotANumber);
    EXPECT_EQ(CalculateEffectivePillarWidth(3, HUGE_VAL).fault(), Fault::NotANumber);
    EXPECT_EQ(CalculateEffectivePillarWidth(1e308, 1e308).fault(), Fault::Overflow);
}

TEST(WidthHeightRatio, RoundedToSingle) {
    const auto wh = CalculateWidthHeightRatio(6.9f, 3);
    ASSERT_TRUE(wh.ok());
    EXPECT_EQ(wh.value(), 2.29999995f);
    EXPECT_EQ(FormatResult(wh.value(), 1), "2.3");
    // 6.0 / 2.4 is 2.4999999 in double; the 32-bit ratio is exactly 2.5.
    EXPECT_EQ(CalculateWidthHeightRatio(6.0f, 2.4f).value(), 2.5f);
}

TEST(WidthHeightRatio, FaultsInsteadOfNonFiniteResults) {
    EXPECT_EQ(CalculateWidthHeightRatio(6, 0).fault(), Fault::ZeroHeight);
    EXPECT_EQ(CalculateWidthHeightRatio(6, -0.0f).fault(), Fault::ZeroHeight);
    EXPECT_EQ(CalculateWidthHeightRatio(kNaN, 2).fault(), Fault::NotANumber);
    EXPECT_EQ(CalculateWidthHeightRatio(6, kInf).fault(), Fault::NotANumber);
    EXPECT_EQ(CalculateWidthHeightRatio(3e38f, 1e-3f).fault(), Fault::Overflow);
}

} // namespace
} // namespace vt::engine
