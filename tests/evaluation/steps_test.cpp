// The calculation steps from the fields' texts to the shown texts, flags and
// refusals, without windows.
#include "evaluation/steps.h"
#include "results/core/modellingfile.h"
#include "tests/support/locale.h"
#include "tests/support/modellingtables.h"

#include <cmath>
#include <gtest/gtest.h>
#include <ostream>
#include <string_view>

namespace vt::evaluation {

void PrintTo(const Refusal& r, std::ostream* os) {
    *os << '"' << r.message.toStdString() << "\" / \"" << r.title.toStdString() << '"';
}

namespace {

const NumberLocale kEnglish(test::English());
const NumberLocale kGerman(test::German());

QString Q(const char* text) {
    return QString::fromUtf8(text);
}

Refusal Invalid(const char* message) {
    return {Q(message), kInvalidDataTitle};
}

// --- tributary stress ---

struct TributaryCase {
    const char* name;
    TributaryTexts texts;
    const char* extraction; // shown, or nullptr for a refusal
    const char* stress;
    Refusal refusal;
};

class TributaryStressStep : public ::testing::TestWithParam<TributaryCase> {};

TEST_P(TributaryStressStep, ShowsOrRefuses) {
    const TributaryCase& c = GetParam();
    const Step<StressShown> step = TributaryStress(c.texts, kEnglish);
    if (!c.extraction) {
        ASSERT_FALSE(step.ok());
        EXPECT_EQ(step.refusal(), c.refusal);
        return;
    }
    ASSERT_TRUE(step.ok()) << step.refusal().message.toStdString();
    EXPECT_EQ(step->extraction, Q(c.extraction));
    EXPECT_EQ(step->stress, Q(c.stress));
}

TributaryTexts Plan(const char* density, const char* depth, const char* w, const char* l,
                    const char* b1 = "12", const char* b2 = "12") {
    return {Q(density), Q(depth), {Q(w), Q(l), Q(b1), Q(b2)}};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TributaryStressStep,
    ::testing::Values(
        TributaryCase{"Square10Bords12", Plan("2.7", "500", "10", "10"), "79.3", "64.1", {}},
        TributaryCase{"ExactlySeventy", Plan("2.7", "300", "6", "8", "4", "8"), "70", "26.49", {}},
        TributaryCase{
            "Square5Deep", Plan("2.75", "1000", "5", "5", "8", "8"), "85.2", "182.37", {}},
        TributaryCase{"NoBords", Plan("2.7", "500", "6", "8", "0", "0"), "0", "13.24", {}},
        TributaryCase{"NegativeDepth", Plan("2.7", "-500", "10", "10"), "79.3", "64.1", {}},
        TributaryCase{"EmptyBord2",
                      Plan("2.7", "500", "10", "10", "12", ""),
                      nullptr,
                      nullptr,
                      {kFillAllFields, kInsufficientDataTitle}},
        // The first field that is not a number is named, in the screen's order.
        TributaryCase{"DensityNamedFirst", Plan("x", "y", "10", "10"), nullptr, nullptr,
                      Invalid("The value in \"Rock Rel. Density\" is not a number")},
        TributaryCase{"LengthBeforeBords", Plan("2.7", "500", "10", "5a", "x"), nullptr, nullptr,
                      Invalid("The value in \"Pillar length (m)\" is not a number")},
        TributaryCase{"DepthTooLarge", Plan("2.7", "1e39", "10", "10"), nullptr, nullptr,
                      Invalid("The value in \"Depth (m)\" is too large to use")},
        TributaryCase{"NoPillar", Plan("2.7", "500", "0", "10"), nullptr, nullptr,
                      Invalid("The pillar width and the pillar length must not be 0")},
        // A bord of 1e30 m leaves a pillar with area but an extraction of 100 %.
        TributaryCase{"HugeBords", Plan("2.7", "500", "10", "10", "1e30"), nullptr, nullptr,
                      Invalid("The bords are so wide against the pillar that the extraction is "
                              "100 %: the pillar carries no share of the load it could be "
                              "given")},
        TributaryCase{"NoTributaryArea", Plan("2.7", "500", "0", "10", "0"), nullptr, nullptr,
                      Invalid("The pillar width plus the bord width must not be 0 in either "
                              "direction")},
        TributaryCase{"OverflowingBords", Plan("2.7", "500", "10", "10", "3e38", "3e38"), nullptr,
                      nullptr,
                      Invalid("The pillar and bord widths are too large to calculate the "
                              "% extraction")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TributaryStressStep, KeepsTheUnroundedStressForTheStrengthStep) {
    const auto step = TributaryStress(Plan("2.7", "500", "10", "10"), kEnglish);
    ASSERT_TRUE(step.ok());
    EXPECT_EQ(step->averagePillarStress, 64.0985413f);
    EXPECT_EQ(step->extractionValue, 79.338844f);
}

TEST(TributaryStressStep, ReadsAndShowsTheCommaInGerman) {
    const auto step = TributaryStress(Plan("2,7", "500", "10", "10"), kGerman);
    ASSERT_TRUE(step.ok());
    EXPECT_EQ(step->extraction, Q("79,3"));
    EXPECT_EQ(step->stress, Q("64,1"));
}

// --- modelled extraction ---

TEST(ModelledExtractionStep, ShowsTheExtractionAndKeepsTheTypedStress) {
    const auto step = ModelledExtraction(
        {Q("64.0985"), Q("500"), {Q("10"), Q("10"), Q("12"), Q("12")}}, kEnglish);
    ASSERT_TRUE(step.ok());
    EXPECT_EQ(step->extraction, Q("79.3"));
    EXPECT_EQ(step->stress, QString());
    EXPECT_EQ(step->averagePillarStress, 64.0985f);
}

TEST(ModelledExtractionStep, RefusesInTheScreensOrder) {
    const PlanTexts plan{Q("10"), Q("10"), Q("12"), Q("12")};
    struct Case {
        ModelledTexts texts;
        Refusal refusal;
    };
    const Case cases[] = {
        {{Q(""), Q("500"), plan}, {kFillAllFields, kInsufficientDataTitle}},
        {{Q("abc"), Q("x"), plan}, Invalid("The value in \"APS (MPa)\" is not a number")},
        // The depth takes no part, but must be a number.
        {{Q("70"), Q("-"), plan}, Invalid("The value in \"Depth (m)\" is not a number")},
        {{Q("70"), Q("500"), {Q("10"), Q("10"), Q("1,200"), Q("12")}},
         Invalid("The value \"1,200\" in \"Bord width 1 (m)\" could be read as 1200 or as 1.2: "
                 "type 1200 without the thousands separator, or 1.2")},
    };
    for (const Case& c : cases) {
        const auto step = ModelledExtraction(c.texts, kEnglish);
        ASSERT_FALSE(step.ok());
        EXPECT_EQ(step.refusal(), c.refusal);
    }
    // A pillar of no area is 100 % extraction here: the step needs no stress.
    const auto full =
        ModelledExtraction({Q("70"), Q("500"), {Q("0"), Q("10"), Q("12"), Q("12")}}, kEnglish);
    ASSERT_TRUE(full.ok());
    EXPECT_EQ(full->extraction, Q("100"));
}

// --- effective width ---

TEST(EffectiveWidthStep, RoundsToOneDecimalOrSaysWhy) {
    struct Case {
        const char* w;
        const char* l;
        const char* shown; // nullptr: refused
        const char* message;
    };
    const Case cases[] = {
        {"6", "8", "6.9", nullptr},
        {"3", "7", "4.2", nullptr},
        {"10", "10", "10", nullptr},
        {"4", "10", "5.7", nullptr},
        {"", "10", nullptr, ""}, // silent: nothing to work on
        {"10", "", nullptr, ""},
        {"5a", "10", nullptr, "The value in \"Pillar width (m)\" is not a number"},
        {"0", "0", nullptr, "The pillar width plus the pillar length must not be 0"},
        {"1e308", "1e308", nullptr,
         "The pillar width and length are too large to calculate the effective pillar width"},
    };
    for (const Case& c : cases) {
        const auto step = EffectiveWidth(Q(c.w), Q(c.l), kEnglish);
        if (c.shown) {
            ASSERT_TRUE(step.ok()) << c.w << " x " << c.l;
            EXPECT_EQ(step->text, Q(c.shown));
        } else {
            ASSERT_FALSE(step.ok()) << c.w << " x " << c.l;
            EXPECT_EQ(step.refusal().message, Q(c.message));
            EXPECT_EQ(step.refusal().silent(), *c.message == 0);
        }
    }
}

// --- strength ---

StrengthTexts Strength(const char* weff, const char* h, const char* k, const char* l) {
    StrengthTexts t;
    t.effectiveWidth = Q(weff);
    t.height = Q(h);
    t.k = Q(k);
    t.length = Q(l);
    return t;
}

const Readiness kStressShown{Q("64.1"), kFillAndCalculateStress};

struct StrengthCase {
    const char* name;
    StrengthTexts texts;
    float stress;
    const char* wh;
    const char* strength;
    const char* fos;
    bool whTooSmall;
    bool fosTooSmall;
    engine::StrengthFormula formula;
};

class StrengthStep : public ::testing::TestWithParam<StrengthCase> {};

TEST_P(StrengthStep, ShowsTheResultsAndTheirFlags) {
    const StrengthCase& c = GetParam();
    const auto step = evaluation::Strength(c.texts, kStressShown, c.stress, kEnglish);
    ASSERT_TRUE(step.ok()) << step.refusal().message.toStdString();
    EXPECT_EQ(step->widthHeightRatio, Q(c.wh));
    EXPECT_EQ(step->strength, Q(c.strength));
    EXPECT_EQ(step->factorOfSafety, Q(c.fos));
    EXPECT_EQ(step->widthHeightTooSmall, c.whTooSmall);
    EXPECT_EQ(step->factorOfSafetyTooSmall, c.fosTooSmall);
    EXPECT_EQ(step->formulaUsed, c.formula);
    EXPECT_EQ(step->formula, Q(engine::FormulaMessage(c.formula)));
}

using engine::StrengthFormula;
INSTANTIATE_TEST_SUITE_P(
    Cases, StrengthStep,
    ::testing::Values(StrengthCase{"SlenderAndWeak", Strength("10", "5", "100", "10"), 64.0985413f,
                                   "2", "94.6", "1.5", true, true, StrengthFormula::HedleyGrant},
                      StrengthCase{"Squat", Strength("10", "2", "100", "10"), 64.0985413f, "5",
                                   "189.3", "3", false, false, StrengthFormula::SquatPillar},
                      // At the start of squat behaviour the power formula still holds.
                      StrengthCase{"AtTheSquatStart", Strength("9", "2", "100", "9"), 64.0985413f,
                                   "4.5", "178.4", "2.8", false, false,
                                   StrengthFormula::HedleyGrant},
                      // 6.9 / 3 is the single 2.2999999: shown 2.3 and too small.
                      StrengthCase{"RoundedUpButTooSmall", Strength("6.9", "3", "100", "8"), 30.0f,
                                   "2.3", "115.2", "3.8", true, false,
                                   StrengthFormula::HedleyGrant}),
    [](const auto& info) { return std::string(info.param.name); });

// A W:H of exactly 2.5 and an FOS of exactly 1.6 (in single precision) are
// not too small; a hair below either is.
TEST(StrengthStep, TheLimitsThemselvesAreNotTooSmall) {
    const StrengthTexts texts = Strength("5", "2", "100", "5");
    const auto atLimit = evaluation::Strength(texts, kStressShown, 1.0f, kEnglish);
    ASSERT_TRUE(atLimit.ok());
    EXPECT_EQ(atLimit->widthHeightRatioValue, 2.5f);
    EXPECT_FALSE(atLimit->widthHeightTooSmall);
    // The stress that makes strength / stress exactly the single 1.6.
    const float strength = atLimit->strengthValue;
    float stress = strength / 1.6f;
    while (strength / stress > 1.6f)
        stress = std::nextafter(stress, 1e30f);
    while (strength / stress < 1.6f)
        stress = std::nextafter(stress, 0.0f);
    ASSERT_EQ(strength / stress, 1.6f);
    const auto fos = evaluation::Strength(texts, kStressShown, stress, kEnglish);
    ASSERT_TRUE(fos.ok());
    EXPECT_EQ(fos->factorOfSafety, Q("1.6"));
    EXPECT_FALSE(fos->factorOfSafetyTooSmall);
    const auto below =
        evaluation::Strength(texts, kStressShown, std::nextafter(stress, 1e30f), kEnglish);
    ASSERT_TRUE(below.ok());
    EXPECT_EQ(below->factorOfSafety, Q("1.6"));
    EXPECT_TRUE(below->factorOfSafetyTooSmall);
}

TEST(StrengthStep, ChangedFormulaVariables) {
    StrengthTexts t = Strength("10", "2", "100", "10");
    t.alpha = Q("0.46");
    t.beta = Q("0.66");
    t.squatStart = Q("5.0");
    const auto step = evaluation::Strength(t, kStressShown, 64.0985413f, kEnglish);
    ASSERT_TRUE(step.ok());
    EXPECT_EQ(step->strength, Q("182.5"));
    EXPECT_EQ(step->formulaUsed, StrengthFormula::HedleyGrant);
}

TEST(StrengthStep, RefusesWithTheScreensMessages) {
    struct Case {
        StrengthTexts texts;
        Readiness readiness;
        float stress;
        Refusal refusal;
    };
    const Readiness noExtraction{QString(), kFillAndCalculateExtraction};
    const Case cases[] = {
        {Strength("10", "5", "", "10"),
         kStressShown,
         64,
         {kFillAndCalculateStress, kInsufficientDataTitle}},
        {Strength("10", "5", "100", "10"),
         noExtraction,
         64,
         {kFillAndCalculateExtraction, kInsufficientDataTitle}},
        {Strength("10", "x", "y", "10"), kStressShown, 64,
         Invalid("The value in \"Pillar height (m)\" is not a number")},
        // The length is not checked for filled, but must be a number.
        {Strength("10", "5", "100", ""), kStressShown, 64,
         Invalid("The value in \"Pillar length (m)\" is not a number")},
        {Strength("10", "0", "100", "10"), kStressShown, 64,
         Invalid("The pillar height must not be 0")},
        {Strength("10", "-2", "100", "10"), kStressShown, 64,
         Invalid("The pillar width, length and height and the start squat pillar value must "
                 "not be negative")},
        {Strength("10", "5", "100", "10"), kStressShown, 0,
         Invalid("The average pillar stress must not be 0")},
        {Strength("1000", "1", "3e38", "1000"), kStressShown, 64,
         Invalid("The pillar strength is too large to calculate: check K, the pillar dimensions "
                 "and the formula variables")},
        {Strength("10", "5", "100", "10"), kStressShown, 1e-44f,
         Invalid("The factor of safety is too large to calculate: check the pillar stress")},
    };
    for (const Case& c : cases) {
        const auto step = evaluation::Strength(c.texts, c.readiness, c.stress, kEnglish);
        ASSERT_FALSE(step.ok());
        EXPECT_EQ(step.refusal(), c.refusal);
    }
}

// --- interpolation ---

using test::kWidths5And7;
using test::TableFromBytes;

TEST(InterpolationStep, WorkedCases) {
    const results::ModellingResults table = TableFromBytes(kWidths5And7);
    struct Case {
        const char* width;
        const char* depth;
        const char* stress;
        const char* extraction;
    };
    const Case cases[] = {
        {"6", "150", "24.5", "88.9"},   {"5", "100", "20", "91.3"},     {"7", "200", "28", "86.4"},
        {"6.3", "150", "23.6", "88.1"}, {"6", "150 m", "24.5", "88.9"}, // the leading number
        {"6,3", "150", "24.5", "88.9"}, // a comma ends the number in English
    };
    for (const Case& c : cases) {
        const auto step = Interpolation(table, {Q(c.width), Q(c.width), Q(c.depth)}, kEnglish);
        ASSERT_TRUE(step.ok()) << c.width;
        EXPECT_EQ(step->stress, Q(c.stress)) << c.width;
        EXPECT_EQ(step->extraction, Q(c.extraction)) << c.width;
    }
}

TEST(InterpolationStep, GermanReadsTheCommaAndKeepsTheOneDecimalStress) {
    const results::ModellingResults table = TableFromBytes(kWidths5And7);
    const auto step = Interpolation(table, {Q("6,3"), Q("6,3"), Q("150,0")}, kGerman);
    ASSERT_TRUE(step.ok());
    EXPECT_EQ(step->width, 6.3);
    EXPECT_EQ(step->depth, 150.0);
    EXPECT_EQ(step->stress, Q("23,6"));
    EXPECT_EQ(step->stressValue, 23.6);
    EXPECT_EQ(step->averagePillarStress, 23.6f);
    EXPECT_EQ(step->extraction, Q("88,1"));
}

TEST(InterpolationStep, APickedWidthIsTheHeaderWidthExactly) {
    // 6.35 is no exact double; its list text reads back to the same double.
    const results::ModellingResults table = TableFromBytes("5\t0\t6.35\t0\t8\t0\r\n"
                                                           "100\t20\t100\t17\t100\t15\r\n"
                                                           "200\t35\t200\t31\t200\t28\r\n");
    for (const NumberLocale& locale : {kEnglish, kGerman}) {
        const QStringList items = WidthItems(table, locale);
        ASSERT_EQ(items.size(), 3);
        EXPECT_EQ(InterpolationWidth(table, items[1], locale), table.Header[3]);
        const auto step = Interpolation(table, {items[1], items[1], Q("150")}, locale);
        ASSERT_TRUE(step.ok());
        EXPECT_EQ(step->width, table.Header[3]);
        EXPECT_EQ(step->stress, ShowResult(24.0, 1, locale)); // on the 6.35 curve itself
    }
}

// The interpolated stress is shown and worked with at one decimal; one too
// large for single precision cannot be worked with.
TEST(InterpolationStep, TheStressIsKeptAtOneDecimalWithinSinglePrecision) {
    struct Case {
        double stress;
        std::optional<double> kept;
    };
    const Case cases[] = {
        {24.46, 24.5},          {24.44, 24.4},         {0.04, 0}, {100, 100}, {3.4e38, 3.4e38},
        {3.5e38, std::nullopt}, {1e300, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RoundedInterpolatedStress(c.stress), c.kept) << c.stress;
}

TEST(InterpolationStep, RefusesWithTheTablesMessages) {
    const results::ModellingResults table = TableFromBytes(kWidths5And7);
    struct Case {
        const char* width;
        const char* depth;
        Refusal refusal;
    };
    const Case cases[] = {
        {"4", "150", {Q("Pillar width out of bounds"), Q("Error message")}},
        {"8", "150", {Q("Pillar width out of bounds"), Q("Error message")}},
        {"6", "50", {Q("Depth out of bounds"), Q("Error Message")}},
        {"6", "", {Q("Depth out of bounds"), Q("Error Message")}},
    };
    for (const Case& c : cases) {
        const auto step = Interpolation(table, {Q(c.width), Q(c.width), Q(c.depth)}, kEnglish);
        ASSERT_FALSE(step.ok());
        EXPECT_EQ(step.refusal(), c.refusal) << c.width << " at " << c.depth;
    }
    const auto noFile =
        Interpolation(results::ModellingResults{}, {Q("6"), Q("6"), Q("150")}, kEnglish);
    ASSERT_FALSE(noFile.ok());
    EXPECT_EQ(noFile.refusal(), (Refusal{kFileNotSelected, kSelectFileTitle}));
}

TEST(InterpolationStep, TheEffectiveWidthIsThatOfTheInterpolatedNumber) {
    const results::ModellingResults table = TableFromBytes(kWidths5And7);
    struct Case {
        const char* width;
        const char* shown; // nullptr: none
    };
    const Case cases[] = {{"6", "6"},     {"6.3", "6.3"}, {"4.5a", "4.5"},
                          {"0", nullptr}, {"", nullptr},  {"x", nullptr}};
    for (const Case& c : cases) {
        const auto step = InterpolationEffectiveWidth(table, Q(c.width), Q(c.width), kEnglish);
        EXPECT_EQ(step.ok(), c.shown != nullptr) << c.width;
        if (c.shown)
            EXPECT_EQ(step->text, Q(c.shown)) << c.width;
        else
            EXPECT_TRUE(step.refusal().silent()) << c.width;
    }
}

TEST(GuideLineValues, DepthZeroWithoutADepthAndTheShownStressOtherwise) {
    const auto none = GuideLineValues(QString(), QString(), kEnglish);
    ASSERT_TRUE(none.has_value());
    EXPECT_EQ(none->depth, 0);
    EXPECT_EQ(none->stress, 0);
    const auto drawn = GuideLineValues(Q("175,5"), Q("27,6"), kGerman);
    ASSERT_TRUE(drawn.has_value());
    EXPECT_EQ(drawn->depth, 175.5);
    EXPECT_EQ(drawn->stress, 27.6);
    EXPECT_FALSE(GuideLineValues(Q("150"), QString(), kEnglish).has_value());
}

} // namespace
} // namespace vt::evaluation
