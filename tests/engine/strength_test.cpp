// Pillar strength, the choice of formula, the W:H and FOS limits, and the
// factor of safety.
#include "engine/engine.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace vt::engine {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

StrengthInputs Inputs(float weff, float l, float h, float k) {
    return {weff, l, h, k, 0.5f, 0.75f, 4.5f, 4.5f};
}

struct StrengthCase {
    const char* name;
    StrengthInputs in;
    float ratio;
    const char* ratioShown;
    bool ratioTooSmall;
    StrengthFormula formula;
    const char* strengthShown;
};

class PillarStrength : public ::testing::TestWithParam<StrengthCase> {};

TEST_P(PillarStrength, RatioFormulaAndShownStrength) {
    const StrengthCase& c = GetParam();
    const auto r = CalculatePillarStrength(c.in);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value().widthHeightRatio, c.ratio);
    EXPECT_EQ(FormatResult(r.value().widthHeightRatio, 1), c.ratioShown);
    EXPECT_EQ(r.value().widthHeightTooSmall, c.ratioTooSmall);
    EXPECT_EQ(r.value().formula, c.formula);
    EXPECT_EQ(FormatResult(r.value().strength, 1), c.strengthShown);
}

constexpr auto HG = StrengthFormula::HedleyGrant;
constexpr auto Squat = StrengthFormula::SquatPillar;

INSTANTIATE_TEST_SUITE_P(
    Pillars, PillarStrength,
    ::testing::Values(
        StrengthCase{"SlenderHedleyGrant", Inputs(10, 10, 5, 100), 2, "2", true, HG, "94.6"},
        StrengthCase{"SquatAboveStart", Inputs(10, 10, 2, 100), 5, "5", false, Squat, "189.3"},
        StrengthCase{"AtSquatStart", Inputs(9, 9, 2, 100), 4.5f, "4.5", false, HG, "178.4"},
        StrengthCase{"AtOtherSquatStart",
                     {10, 10, 2, 100, 0.46f, 0.66f, 5.0f, 4.5f},
                     5,
                     "5",
                     false,
                     HG,
                     "182.5"},
        StrengthCase{"SquatSlowerRise",
                     {12, 12, 2, 30, 0.5f, 0.75f, 4.5f, 2.5f},
                     6,
                     "6",
                     false,
                     Squat,
                     "63.8"},
        StrengthCase{"RatioJustBelowTwoPointThree", Inputs(6.9f, 6.9f, 3, 100), 2.29999995f, "2.3",
                     true, HG, "115.2"},
        StrengthCase{"RatioExactlyTwoAndAHalf", Inputs(5, 5, 2, 100), 2.5f, "2.5", false, HG,
                     "133"},
        // 6.0 / 2.4 is below 2.5 in double but exactly 2.5 in single.
        StrengthCase{"RatioTwoAndAHalfInSingle", Inputs(6.0f, 6.0f, 2.4f, 100), 2.5f, "2.5", false,
                     HG, "127"},
        // A rectangular pillar: the volume uses the length, so the squat
        // strength differs from that of a square pillar of the same width.
        StrengthCase{"SquatRectangular", Inputs(10, 20, 2, 100), 5, "5", false, Squat, "178.7"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PillarStrength, ExactSingleValues) {
    EXPECT_EQ(CalculatePillarStrength(Inputs(10, 10, 5, 100)).value().strength, 94.5741577f);
    EXPECT_EQ(CalculatePillarStrength(Inputs(10, 10, 2, 100)).value().strength, 189.294144f);
    EXPECT_EQ(CalculatePillarStrength(Inputs(9, 9, 2, 100)).value().strength, 178.381073f);
}

// For a square pillar both formulas meet where squat behaviour starts: a start
// ratio a hair below 4.5 switches to the squat formula without a jump.
TEST(PillarStrength, FormulasMeetAtSquatStartForSquarePillars) {
    StrengthInputs atStart = Inputs(9, 9, 2, 100);
    StrengthInputs justBelow = atStart;
    justBelow.squatStart = std::nextafter(4.5f, 0.0f);
    const auto hedley = CalculatePillarStrength(atStart);
    const auto squat = CalculatePillarStrength(justBelow);
    ASSERT_TRUE(hedley.ok());
    ASSERT_TRUE(squat.ok());
    EXPECT_EQ(hedley.value().formula, StrengthFormula::HedleyGrant);
    EXPECT_EQ(squat.value().formula, StrengthFormula::SquatPillar);
    EXPECT_NEAR(squat.value().strength, hedley.value().strength, 1e-3f);
    EXPECT_EQ(FormatResult(squat.value().strength, 1), "178.4");

    // A rectangular pillar does not meet: its squat strength at the start is lower.
    StrengthInputs rectangular = justBelow;
    rectangular.length = 18;
    const auto rect = CalculatePillarStrength(rectangular);
    ASSERT_TRUE(rect.ok());
    EXPECT_LT(rect.value().strength, hedley.value().strength - 1.0f);
}

TEST(PillarStrength, FormulaMessages) {
    EXPECT_STREQ(FormulaMessage(StrengthFormula::HedleyGrant), "The Hedley/Grant formula was used");
    EXPECT_STREQ(FormulaMessage(StrengthFormula::SquatPillar), "The squat pillar formula was used");
}

TEST(PillarStrength, FaultsInsteadOfNonFiniteResults) {
    struct Case {
        const char* name;
        StrengthInputs in;
        Fault fault;
    };
    const Case cases[] = {
        {"zero height", Inputs(10, 10, 0, 100), Fault::ZeroHeight},
        {"NaN width", Inputs(kNaN, 10, 2, 100), Fault::NotANumber},
        {"infinite K", Inputs(10, 10, 2, std::numeric_limits<float>::infinity()),
         Fault::NotANumber},
        {"NaN length", Inputs(10, kNaN, 2, 100), Fault::NotANumber},
        {"zero squat start", {10, 10, 2, 100, 0.5f, 0.75f, 0, 4.5f}, Fault::ZeroSquatStart},
        {"zero increase rate", {10, 10, 2, 100, 0.5f, 0.75f, 4.5f, 0}, Fault::ZeroIncreaseRate},
        {"negative width", Inputs(-10, 10, 2, 100), Fault::NegativeBase},
        {"negative height", Inputs(10, 10, -2, 100), Fault::NegativeBase},
        {"negative length under squat", Inputs(10, -10, 2, 100), Fault::NegativeBase},
        {"negative squat start", {10, 10, 2, 100, 0.5f, 0.75f, -4.5f, 4.5f}, Fault::NegativeBase},
        {"zero length under squat", Inputs(10, 0, 2, 100), Fault::Overflow},
        {"ratio too large", Inputs(3e38f, 3e38f, 1e-3f, 100), Fault::Overflow},
        {"strength too large", Inputs(1e30f, 1e30f, 1e20f, 3e38f), Fault::Overflow},
        {"zero width under negative power",
         {0, 10, 2, 100, -0.5f, 0.75f, 4.5f, 4.5f},
         Fault::Overflow},
    };
    for (const Case& c : cases) {
        const auto r = CalculatePillarStrength(c.in);
        EXPECT_FALSE(r.ok()) << c.name;
        EXPECT_EQ(r.fault(), c.fault) << c.name;
    }
}

TEST(PillarStrength, ZeroStartOrRateDoNotMatterBelowTheSquatRange) {
    // With weff = 0 the ratio is 0, not above a start of 0: Hedley/Grant gives 0.
    const auto r = CalculatePillarStrength({0, 10, 2, 100, 0.5f, 0.75f, 0, 0});
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value().strength, 0.0f);
    EXPECT_TRUE(r.value().widthHeightTooSmall);
}

struct SafetyCase {
    const char* name;
    float strength, stress;
    float fos;
    const char* shown;
    bool tooSmall;
};

class FactorOfSafety : public ::testing::TestWithParam<SafetyCase> {};

TEST_P(FactorOfSafety, ValueFlagAndText) {
    const SafetyCase& c = GetParam();
    const auto f = CalculateFactorOfSafety(c.strength, c.stress);
    ASSERT_TRUE(f.ok());
    EXPECT_EQ(f.value().factorOfSafety, c.fos);
    EXPECT_EQ(f.value().tooSmall, c.tooSmall);
    EXPECT_EQ(FormatResult(f.value().factorOfSafety, 1), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Safety, FactorOfSafety,
    ::testing::Values(
        // Strength 94.574 against the stress of the 10 m square layout at 500 m.
        SafetyCase{"FirstEvaluation", 94.5741577f, 64.0985413f, 1.4754494f, "1.5", true},
        SafetyCase{"ExactlyLimit", 80, 50, 1.6f, "1.6", false},
        // 52.8 / 33 is 1.59999998 in double and rounds to the 32-bit limit.
        SafetyCase{"LimitInSingle", 52.8f, 33, 1.6f, "1.6", false},
        SafetyCase{"JustBelowLimit", std::nextafter(80.0f, 0.0f), 50, 1.59999990f, "1.6", true},
        SafetyCase{"Ample", 189.294144f, 64.0985413f, 2.95317388f, "3", false},
        SafetyCase{"NegativeStress", 100, -50, -2, "-2", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FactorOfSafety, FaultsInsteadOfNonFiniteResults) {
    EXPECT_EQ(CalculateFactorOfSafety(100, 0).fault(), Fault::ZeroStress);
    EXPECT_EQ(CalculateFactorOfSafety(100, -0.0f).fault(), Fault::ZeroStress);
    EXPECT_EQ(CalculateFactorOfSafety(kNaN, 50).fault(), Fault::NotANumber);
    EXPECT_EQ(CalculateFactorOfSafety(100, kNaN).fault(), Fault::NotANumber);
    EXPECT_EQ(CalculateFactorOfSafety(3e38f, 1e-3f).fault(), Fault::Overflow);
}

// The whole road of the first evaluation, as a screen runs it.
TEST(Evaluation, TributaryLayoutToFactorOfSafety) {
    const auto e = CalculatePercentageExtraction(10, 10, 12, 12);
    const auto stress = CalculateTributaryPillarStress(2.7f, 500, e.value());
    const auto weff = CalculateEffectivePillarWidth(10.0, 10.0);
    const auto strength =
        CalculatePillarStrength(Inputs(static_cast<float>(weff.value()), 10, 5, 100));
    const auto fos = CalculateFactorOfSafety(strength.value().strength, stress.value());
    ASSERT_TRUE(fos.ok());
    EXPECT_EQ(fos.value().factorOfSafety, 1.4754494f);
    EXPECT_EQ(FormatResult(fos.value().factorOfSafety, 1), "1.5");
    EXPECT_TRUE(fos.value().tooSmall);
}

} // namespace
} // namespace vt::engine
