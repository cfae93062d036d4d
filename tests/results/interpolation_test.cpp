// Stress interpolation in the kept table and the extraction of the modelled
// layout.
#include "engine/engine.h"
#include "results/core/interpolation.h"
#include "tests/results/resultsfiles.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace {

using vt::results::InterpolatePillarStress;
using vt::results::InterpolationOutcome;
using vt::results::ModellingResults;

class Interpolation : public ::testing::Test {
protected:
    ModellingResults load(std::string_view bytes) {
        vt::test::Loaded l = vt::test::LoadBytes(files, bytes);
        EXPECT_TRUE(l.parsed) << bytes;
        return std::move(l.record);
    }
    vt::test::ResultsFiles files;
};

struct StressCase {
    double W;
    double D;
    double expected;
};

class TwoWidthExample : public Interpolation, public ::testing::WithParamInterface<StressCase> {};

TEST_P(TwoWidthExample, InterpolatesBetweenWidthsAndDepths) {
    const ModellingResults r = load(vt::test::kWidths5And7);
    const StressCase& c = GetParam();
    const InterpolationOutcome out = InterpolatePillarStress(r, c.W, c.D);
    ASSERT_TRUE(out.ok()) << out.message;
    EXPECT_NEAR(*out.stress, c.expected, 1e-12) << "W " << c.W << " D " << c.D;
}

INSTANTIATE_TEST_SUITE_P(Examples, TwoWidthExample,
                         ::testing::Values(StressCase{6, 150, 24.5}, StressCase{5, 100, 20},
                                           StressCase{7, 200, 28}, StressCase{5, 200, 35},
                                           StressCase{7, 100, 15}, StressCase{6.3, 150, 23.6},
                                           StressCase{6, 100, 17.5}));

TEST_F(Interpolation, ExactEndsGiveTheReadingsExactly) {
    const ModellingResults r = load(vt::test::kWidths5And7);
    EXPECT_EQ(*InterpolatePillarStress(r, 6, 150).stress, 24.5);
    EXPECT_EQ(*InterpolatePillarStress(r, 5, 100).stress, 20);
    EXPECT_EQ(*InterpolatePillarStress(r, 7, 200).stress, 28);
    EXPECT_EQ(vt::engine::FormatResult(*InterpolatePillarStress(r, 6, 150).stress, 1), "24.5");
}

struct FailureCase {
    double W;
    double D;
    const char* message;
    const char* title;
};

class OutOfBounds : public Interpolation, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(OutOfBounds, FailsWithTheMessageAndTitle) {
    const ModellingResults r = load(vt::test::kWidths5And7);
    const FailureCase& c = GetParam();
    const InterpolationOutcome out = InterpolatePillarStress(r, c.W, c.D);
    EXPECT_FALSE(out.ok());
    EXPECT_EQ(out.message, c.message);
    EXPECT_EQ(out.title, c.title);
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Examples, OutOfBounds,
    ::testing::Values(FailureCase{4, 150, "Pillar width out of bounds", "Error message"},
                      FailureCase{8, 150, "Pillar width out of bounds", "Error message"},
                      FailureCase{6, 50, "Depth out of bounds", "Error Message"},
                      FailureCase{6, 250, "Depth out of bounds", "Error Message"},
                      FailureCase{6, 0, "Depth out of bounds", "Error Message"},
                      FailureCase{kNaN, 150, "Pillar width out of bounds", "Error message"},
                      FailureCase{kInf, 150, "Pillar width out of bounds", "Error message"},
                      FailureCase{6, kNaN, "Depth out of bounds", "Error Message"},
                      FailureCase{6, -kInf, "Depth out of bounds", "Error Message"}));

TEST_F(Interpolation, ExtendedCurveMustPassThePlausibilityTest) {
    const ModellingResults r = load(vt::test::kShortWidth7);
    // Curve 7 is extended from (150, 21.5) with the slope 6/50 (6.5 rounds to
    // the even 6) to 27.5 at 200 m; S = 28.55 lies below L = 29.6.
    const InterpolationOutcome refused = InterpolatePillarStress(r, 6, 180);
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(refused.message, "Pillar stress out of bounds");
    EXPECT_EQ(refused.title, "Error Message");

    const InterpolationOutcome passed = InterpolatePillarStress(r, 5.5, 180);
    ASSERT_TRUE(passed.ok()) << passed.message;
    EXPECT_NEAR(*passed.stress, 30.275, 1e-12);
    EXPECT_EQ(vt::engine::FormatResult(*passed.stress, 1), "30.3");
}

TEST_F(Interpolation, ExtensionTowardsSmallerDepths) {
    const ModellingResults r = load("5\t0\t7\t0\r\n"
                                    "150\t25\t100\t15\r\n"
                                    "200\t35\t200\t28\r\n");
    // Curve 5 starts at 150 m: extended upwards with slope 10/50 to 15 at 100 m.
    const InterpolationOutcome out = InterpolatePillarStress(r, 6, 120);
    ASSERT_TRUE(out.ok()) << out.message;
    EXPECT_NEAR(*out.stress, 18.3, 1e-12);
}

TEST_F(Interpolation, WidthsMayFallAndAHeaderWidthUsesTheFirstPairHoldingIt) {
    const ModellingResults r = load("9\t0\t7\t0\t5\t0\r\n"
                                    "100\t10\t100\t15\t100\t20\r\n"
                                    "200\t20\t200\t28\t200\t35\r\n");
    EXPECT_NEAR(*InterpolatePillarStress(r, 6, 150).stress, 24.5, 1e-12);
    EXPECT_NEAR(*InterpolatePillarStress(r, 7, 200).stress, 28, 1e-12);
    EXPECT_NEAR(*InterpolatePillarStress(r, 8, 100).stress, 12.5, 1e-12);
}

TEST_F(Interpolation, PaddedCurveIsUsedUpToItsLastReading) {
    const ModellingResults r = load("4\t0\t6\t0\r\n"
                                    "100\t30\t100\t20\r\n"
                                    "200\t60\t200\t40\r\n"
                                    "300\t90\t300\t60\r\n"
                                    "-1\t-1\t400\t80\r\n");
    // Beyond 300 m the 4 m curve is extended from (200, 60)-(300, 90): slope 0.3.
    const InterpolationOutcome atEnd = InterpolatePillarStress(r, 4, 300);
    ASSERT_TRUE(atEnd.ok());
    EXPECT_EQ(*atEnd.stress, 90);
    // At 350 m: 105 on the extended 4 m curve, 70 on the 6 m curve.
    const InterpolationOutcome beyond = InterpolatePillarStress(r, 5.9, 350);
    ASSERT_TRUE(beyond.ok()) << beyond.message;
    EXPECT_NEAR(*beyond.stress, 70 * 0.95 + 105 * 0.05, 1e-12);
    // Halfway between the widths the result lies above the end-point line.
    EXPECT_EQ(InterpolatePillarStress(r, 5, 350).message, "Pillar stress out of bounds");
}

TEST_F(Interpolation, UsesTheKeptTableNotTheFile) {
    const std::string path = files.write(vt::test::kWidths5And7);
    vt::test::Loaded l = vt::test::LoadFile(path);
    ASSERT_TRUE(l.parsed);
    files.write("5\t0\t7\t0\r\n100\t99\t100\t99\r\n200\t99\t200\t99\r\n");
    EXPECT_EQ(*InterpolatePillarStress(l.record, 6, 150).stress, 24.5);
    std::remove(path.c_str());
    EXPECT_EQ(*InterpolatePillarStress(l.record, 6, 150).stress, 24.5);
}

struct UnusableCase {
    const char* name;
    const char* bytes;
    double W;
    double D;
    const char* messagePart;
};

class UnusableData : public ::testing::TestWithParam<UnusableCase> {};

TEST_P(UnusableData, IsRefusedWithAMessageOfItsOwn) {
    vt::test::ResultsFiles files;
    const UnusableCase& c = GetParam();
    const vt::test::Loaded l = vt::test::LoadBytes(files, c.bytes);
    ASSERT_TRUE(l.parsed);
    const InterpolationOutcome out = InterpolatePillarStress(l.record, c.W, c.D);
    EXPECT_FALSE(out.ok());
    EXPECT_EQ(out.title, "Unusable modelling data");
    EXPECT_NE(out.message.find(c.messagePart), std::string::npos) << out.message;
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnusableData,
    ::testing::Values(
        UnusableCase{"OneReading", "5\t0\t7\t0\r\n100\t20\t100\t15\r\n200\t35\t-1\t-1\r\n", 6, 150,
                     "width of 7 m has fewer than two readings"},
        UnusableCase{"EqualWidths", "5\t0\t5\t0\r\n100\t20\t100\t15\r\n200\t35\t200\t28\r\n", 5,
                     150, "two adjacent pillar widths of 5 m"},
        UnusableCase{"EqualDepths",
                     "5\t0\t7\t0\r\n100\t20\t100\t15\r\n100\t30\t150\t20\r\n200\t35\t200\t28\r\n",
                     6, 150, "width of 5 m repeats a depth"},
        UnusableCase{"FallingDepths",
                     "5\t0\t7\t0\r\n100\t20\t100\t15\r\n200\t30\t150\t20\r\n150\t35\t200\t28\r\n",
                     6, 150, "width of 5 m has depths that do not rise"},
        UnusableCase{"MissingBeforeLast",
                     "5\t0\t7\t0\r\n100\t20\t100\t15\r\n-1\t-1\t150\t20\r\n200\t35\t200\t28\r\n", 6,
                     150, "width of 5 m has a missing reading before its last reading"},
        UnusableCase{"StressMissingBeforeLast",
                     "5\t0\t7\t0\r\n100\t20\t100\t15\r\n150\t-1\t150\t20\r\n200\t35\t200\t28\r\n",
                     6, 150, "width of 5 m has a missing reading before its last reading"},
        UnusableCase{"HugeStressDifference",
                     "5\t0\t7\t0\r\n100\t20\t100\t0\r\n200\t35\t150\t40000\r\n", 6, 180,
                     "width of 7 m changes its stress too much"},
        UnusableCase{"TieRoundsBeyond16Bits",
                     "5\t0\t7\t0\r\n100\t20\t100\t0\r\n200\t35\t150\t32767.5\r\n", 6, 180,
                     "width of 7 m changes its stress too much"},
        UnusableCase{"NoFiniteResult", "5\t0\t7\t0\r\n0\t0\t0\t0\r\n1e308\t1\t1\t32767\r\n", 6,
                     1e307, "cannot be interpolated"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Interpolation, StressDifferenceJustInside16BitsIsUsed) {
    // 32766.5 rounds to the even 32766: the curve is extended and the run
    // ends at the plausibility test, not at the data.
    const ModellingResults r = load("5\t0\t7\t0\r\n100\t20\t100\t0\r\n200\t35\t150\t-32766.5\r\n");
    const InterpolationOutcome out = InterpolatePillarStress(r, 6, 180);
    EXPECT_NE(out.title, "Unusable modelling data") << out.message;
}

TEST(InterpolationWithoutData, EmptyRecordIsRefused) {
    const InterpolationOutcome out = InterpolatePillarStress(ModellingResults{}, 6, 150);
    EXPECT_FALSE(out.ok());
    EXPECT_EQ(out.title, "Unusable modelling data");
}

TEST(DefaultFileInterpolation, GivesPlausibleStresses) {
    const vt::test::Loaded l = vt::test::LoadFile(vt::test::DefaultFilePath());
    ASSERT_TRUE(l.parsed);
    const ModellingResults& r = l.record;
    // A modelled width at a modelled depth gives the reading itself.
    EXPECT_EQ(*InterpolatePillarStress(r, 10, 1000).stress, r.Readings(11, 8));
    // Every reading of every curve comes back exactly at its own width and
    // depth, and halfway between two depths lies halfway between readings.
    for (int p = 1; p <= 15; p += 2) {
        for (int row = 2; row <= 21 && r.Readings(row, p) != -1; ++row) {
            const auto at = InterpolatePillarStress(r, r.Header[p], r.Readings(row, p));
            ASSERT_TRUE(at.ok()) << p << ' ' << row << ' ' << at.message;
            EXPECT_EQ(*at.stress, r.Readings(row, p + 1)) << p << ' ' << row;
            if (row < 21 && r.Readings(row + 1, p) != -1) {
                const auto mid = InterpolatePillarStress(r, r.Header[p], r.Readings(row, p) + 50);
                EXPECT_NEAR(*mid.stress, (r.Readings(row, p + 1) + r.Readings(row + 1, p + 1)) / 2,
                            1e-9);
            }
        }
    }
    // Between widths and depths the stress lies between the four readings.
    const InterpolationOutcome mid = InterpolatePillarStress(r, 11, 750);
    ASSERT_TRUE(mid.ok()) << mid.message;
    EXPECT_GT(*mid.stress, r.Readings(8, 10)); // 12 m at 700 m
    EXPECT_LT(*mid.stress, r.Readings(9, 8));  // 10 m at 800 m
    // Beyond the end of the 4 m curve it is extended towards the 6 m curve.
    // Nearer the 6 m curve the result passes the end-point test, nearer the
    // 4 m curve it does not.
    const InterpolationOutcome extended = InterpolatePillarStress(r, 5.5, 1400);
    ASSERT_TRUE(extended.ok()) << extended.message;
    EXPECT_GT(*extended.stress, r.Readings(15, 4)); // above the 6 m curve at 1400 m
    EXPECT_LT(*extended.stress, r.Readings(15, 4) * 1.25);
    EXPECT_EQ(InterpolatePillarStress(r, 5, 1400).message, "Pillar stress out of bounds");
    EXPECT_FALSE(InterpolatePillarStress(r, 3, 500).ok());
    EXPECT_FALSE(InterpolatePillarStress(r, 10, 2500).ok());
}

TEST(ModelledExtraction, UsesTwelveMetreBordsInSinglePrecision) {
    const auto e = vt::results::ExtractionForModelledBords(10, 10);
    ASSERT_TRUE(e.has_value());
    EXPECT_EQ(*e, vt::engine::CalculatePercentageExtraction(10, 10, 12, 12).value());
    EXPECT_EQ(vt::engine::FormatResult(*e, 1), "79.3");
    EXPECT_EQ(vt::results::ExtractionForModelledBords(0, 10), 100.0f);          // no pillar left
    EXPECT_FALSE(vt::results::ExtractionForModelledBords(-12, 10).has_value()); // no area
    EXPECT_FALSE(vt::results::ExtractionForModelledBords(1e300, 10).has_value());
    EXPECT_FALSE(vt::results::ExtractionForModelledBords(kNaN, 10).has_value());
}

} // namespace
