// A whole design evaluated as its screen would, and the same road over
// numbers: the numeric road gives the very single-precision results that the
// shown texts come from, for random designs of every method.
#include "evaluation/design.h"
#include "evaluation/designfields.h"
#include "results/core/modellingfile.h"
#include "tests/support/designs.h"
#include "tests/support/locale.h"
#include "tests/support/modellingtables.h"

#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <string_view>

namespace vt::evaluation {
namespace {

const NumberLocale kEnglish(test::English());

QString Q(const char* text) {
    return QString::fromUtf8(text);
}

using test::TributaryDesign;

TEST(Evaluate, TheTributaryRoadGivesEveryShownText) {
    const Evaluation e = Evaluate(TributaryDesign(), kEnglish);
    ASSERT_TRUE(e.complete()) << e.refusal->message.toStdString();
    EXPECT_EQ(e.extraction, Q("79.3"));
    EXPECT_EQ(e.stress, Q("64.1"));
    EXPECT_EQ(e.effectiveWidth, Q("10"));
    EXPECT_EQ(e.widthHeightRatio, Q("2"));
    EXPECT_EQ(e.strength, Q("94.6"));
    EXPECT_EQ(e.factorOfSafety, Q("1.5"));
    EXPECT_EQ(e.formula, Q("The Hedley/Grant formula was used"));
    EXPECT_TRUE(e.widthHeightTooSmall);
    EXPECT_TRUE(e.factorOfSafetyTooSmall);
}

TEST(Evaluate, TheModelledRoadDividesByTheTypedStress) {
    DesignTexts d = TributaryDesign();
    d.method = Method::Modelled;
    d.density.clear();
    d.stress = Q("64.0985");
    const Evaluation e = Evaluate(d, kEnglish);
    ASSERT_TRUE(e.complete());
    EXPECT_EQ(e.stress, Q("64.0985")); // the typed text, as Final Results shows it
    EXPECT_EQ(e.factorOfSafety, Q("1.5"));
    EXPECT_EQ(e.averagePillarStress, 64.0985f);
}

TEST(Evaluate, TheFirstRefusalEndsIt) {
    DesignTexts d = TributaryDesign();
    d.depth.clear();
    Evaluation e = Evaluate(d, kEnglish);
    ASSERT_FALSE(e.complete());
    EXPECT_EQ(e.refusal->message, kFillAllFields);
    EXPECT_TRUE(e.extraction.isEmpty());

    d = TributaryDesign();
    d.k.clear();
    e = Evaluate(d, kEnglish);
    ASSERT_FALSE(e.complete());
    EXPECT_EQ(e.refusal->message, kFillAndCalculateStress);
    EXPECT_EQ(e.stress, Q("64.1")); // the steps before it stand
    EXPECT_EQ(e.effectiveWidth, Q("10"));
    EXPECT_TRUE(e.factorOfSafety.isEmpty());
}

results::ModellingResults Table() {
    return test::TableFromBytes(test::kWidths5And7);
}

TEST(Evaluate, TheInterpolationRoadUsesSquarePillarsAndTheModelledBords) {
    const results::ModellingResults table = Table();
    DesignTexts d;
    d.method = Method::Interpolation;
    d.width = Q("6");
    d.length = Q("not used"); // the length follows the width
    d.bord1 = Q("4");         // the modelling's bords are 12 m
    d.depth = Q("150");
    d.k = Q("40");
    d.height = Q("3");
    const Evaluation e = Evaluate(d, kEnglish, &table);
    ASSERT_TRUE(e.complete()) << e.refusal->message.toStdString();
    EXPECT_EQ(e.stress, Q("24.5"));
    EXPECT_EQ(e.extraction, Q("88.9"));
    EXPECT_EQ(e.effectiveWidth, Q("6"));
    EXPECT_EQ(e.averagePillarStress, 24.5f);
    EXPECT_EQ(AsOnScreen(d).length, Q("6"));

    const Evaluation noTable = Evaluate(d, kEnglish);
    ASSERT_FALSE(noTable.complete());
    EXPECT_EQ(noTable.refusal->message, kFileNotSelected);
}

// In a point locale "6,5" on the interpolation screen is read by its leading
// number, 6: the stress, the extraction and the effective width are those of
// 6 m, and so is the length in the squat formula's volume. In a comma locale
// it is 6.5 throughout (a point read as one too).
TEST(Evaluate, TheSquatFormulaTakesTheLengthTheInterpolationRead) {
    const results::ModellingResults table = Table();
    DesignTexts d;
    d.method = Method::Interpolation;
    d.depth = Q("150");
    d.k = Q("40");
    d.height = Q("1"); // W:H 6: the squat formula
    const NumberLocale german(test::German());
    struct Case {
        const NumberLocale& locale;
        const char* typed;
        const char* same;
        const char* length;
    };
    const Case cases[] = {{kEnglish, "6,5", "6", "6"},
                          {kEnglish, "6.5", "6.5", "6.5"},
                          {german, "6,5", "6,5", "6,5"},
                          {german, "6.5", "6,5", "6,5"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        d.width = Q(c.typed);
        const Evaluation e = Evaluate(d, c.locale, &table);
        d.width = Q(c.same);
        const Evaluation same = Evaluate(d, c.locale, &table);
        ASSERT_TRUE(e.complete()) << e.refusal->message.toStdString();
        EXPECT_EQ(e.formulaUsed, engine::StrengthFormula::SquatPillar);
        EXPECT_EQ(e.effectiveWidth, same.effectiveWidth);
        EXPECT_EQ(e.strength, same.strength);
        EXPECT_EQ(e.factorOfSafety, same.factorOfSafety);
        EXPECT_EQ(e.strengthValue, same.strengthValue);
        d.width = Q(c.typed);
        EXPECT_EQ(StrengthLength(AsOnScreen(d), c.locale, &table), Q(c.length));
    }
    // Elsewhere the length is read as typed.
    DesignTexts plan = TributaryDesign();
    plan.length = Q("6,5");
    EXPECT_EQ(StrengthLength(plan, kEnglish, &table), Q("6,5"));
}

TEST(MethodName, ReadsBackAndRefusesOthers) {
    for (Method m : {Method::Tributary, Method::Modelled, Method::Interpolation})
        EXPECT_EQ(MethodFromName(MethodName(m)), m);
    EXPECT_EQ(MethodFromName(u"Tributary"), std::nullopt);
    EXPECT_EQ(MethodFromName(u""), std::nullopt);
}

// Each input's row: its caption and unit letter for letter as the screens
// show them, its name in files, and the text it reads into its own number
// (and no other).
TEST(DesignFields, EachRowReadsItsOwnTextIntoItsOwnNumber) {
    struct Case {
        Input input;
        const char* caption;
        const char* unit;
        const char* name;
    };
    const Case cases[] = {
        {Input::RockDensity, "Rock Rel. Density", "", "rock_density"},
        {Input::ModelledStress, "APS (MPa)", "MPa", "aps"},
        {Input::Depth, "Depth (m)", "m", "depth"},
        {Input::PillarWidth, "Pillar width (m)", "m", "pillar_width"},
        {Input::PillarLength, "Pillar length (m)", "m", "pillar_length"},
        {Input::BordWidth1, "Bord width 1 (m)", "m", "bord_width_1"},
        {Input::BordWidth2, "Bord width 2 (m)", "m", "bord_width_2"},
        {Input::K, "K (MPa)", "MPa", "k"},
        {Input::PillarHeight, "Pillar height (m)", "m", "pillar_height"},
        {Input::Alpha, "α", "", "alpha"},
        {Input::Beta, "β", "", "beta"},
        {Input::SquatStart, "Start squat pillar", "", "squat_start"},
        {Input::IncreaseRate, "Strength incr. rate", "", "strength_increase_rate"},
    };
    ASSERT_EQ(std::size(cases), kDesignFields.size());
    const auto members = {
        &DesignNumbers::density,     &DesignNumbers::stress, &DesignNumbers::depth,
        &DesignNumbers::width,       &DesignNumbers::length, &DesignNumbers::bord1,
        &DesignNumbers::bord2,       &DesignNumbers::k,      &DesignNumbers::height,
        &DesignNumbers::alpha,       &DesignNumbers::beta,   &DesignNumbers::squatStart,
        &DesignNumbers::increaseRate};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DesignField* field = FieldOf(c.input);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(Caption(c.input), Q(c.caption));
        EXPECT_EQ(field->unit.toString(), Q(c.unit));
        EXPECT_EQ(std::string_view(field->name), c.name);

        DesignTexts design = TributaryDesign();
        design.stress = Q("64");
        design.method = field->usedBy(Method::Tributary) ? Method::Tributary : Method::Modelled;
        const Step<DesignNumbers> before = ReadNumbers(design, kEnglish);
        design.*field->text = Q("123.25");
        const Step<DesignNumbers> after = ReadNumbers(design, kEnglish);
        ASSERT_TRUE(before.ok() && after.ok());
        int changed = 0;
        for (auto member : members) {
            if (before.value().*member == after.value().*member)
                continue;
            ++changed;
            EXPECT_EQ(member, field->number);
            EXPECT_EQ(after.value().*member, 123.25);
        }
        EXPECT_EQ(changed, 1);
    }
    EXPECT_EQ(FieldOf(Input::EffectiveWidth), nullptr); // worked out, not typed
    EXPECT_EQ(Caption(Input::EffectiveWidth), Q("Eff. pillar width (m)"));
}

// A design's texts read as its screen reads them, or the refusal of the first
// field the screen's steps cannot read; fields the method has no use for are
// not read.
TEST(ReadNumbers, ReadsAsTheScreenOrRefusesNamingTheField) {
    const results::ModellingResults table = Table();
    struct Case {
        Method method;
        QString DesignTexts::*text;
        const char* typed;
        const char* refusal; // none: it reads, to `value` in `number`
        double DesignNumbers::*number = nullptr;
        double value = 0;
    };
    const Case cases[] = {
        {Method::Tributary, &DesignTexts::k, "abc", "The value in \"K (MPa)\" is not a number"},
        {Method::Modelled, &DesignTexts::stress, "1,200",
         "The value \"1,200\" in \"APS (MPa)\" could be read as 1200 or as 1.2: type 1200 "
         "without the thousands separator, or 1.2"},
        // The extraction reads the width in single precision.
        {Method::Tributary, &DesignTexts::width, "1e39",
         "The value in \"Pillar width (m)\" is too large to use"},
        {Method::Tributary, &DesignTexts::height, "1e-50",
         "The value in \"Pillar height (m)\" is too close to 0 to use: type 0 or a larger "
         "number"},
        {Method::Tributary, &DesignTexts::stress, "abc", nullptr, &DesignNumbers::stress, 0},
        {Method::Modelled, &DesignTexts::density, "abc", nullptr, &DesignNumbers::density, 0},
        {Method::Tributary, &DesignTexts::depth, "100.1", nullptr, &DesignNumbers::depth,
         static_cast<double>(100.1f)},
        {Method::Tributary, &DesignTexts::width, "6.3", nullptr, &DesignNumbers::width, 6.3},
        {Method::Interpolation, &DesignTexts::depth, "150 m", nullptr, &DesignNumbers::depth, 150},
        {Method::Interpolation, &DesignTexts::width, "6,5", nullptr, &DesignNumbers::length, 6},
        {Method::Interpolation, &DesignTexts::bord1, "x", nullptr, &DesignNumbers::bord1, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        DesignTexts design = TributaryDesign();
        design.method = c.method;
        design.stress = Q("64");
        design.*c.text = Q(c.typed);
        const Step<DesignNumbers> read = ReadNumbers(design, kEnglish, &table);
        if (c.refusal) {
            ASSERT_FALSE(read.ok());
            EXPECT_EQ(read.refusal(), (Refusal{Q(c.refusal), kInvalidDataTitle}));
            continue;
        }
        ASSERT_TRUE(read.ok()) << read.refusal().message.toStdString();
        EXPECT_EQ(read.value().*c.number, c.value);
    }
}

// Random designs of every method, through the texts (as the screen shows
// them) and through the numbers: the same results bit for bit, and the shown
// texts are those of the numeric values.
class BothRoads : public ::testing::TestWithParam<Method> {};

TEST_P(BothRoads, AgreeBitForBitOnRandomDesigns) {
    const results::ModellingResults table = Table();
    std::mt19937 random(static_cast<unsigned>(GetParam()) + 41);
    const auto pick = [&](double low, double high, double step) {
        std::uniform_int_distribution<int> steps(0, static_cast<int>((high - low) / step));
        return low + step * steps(random);
    };
    int complete = 0;
    for (int i = 0; i < 3000; ++i) {
        DesignNumbers n;
        n.method = GetParam();
        n.density = pick(2.0, 3.5, 0.05);
        n.stress = pick(5, 200, 0.1);
        n.depth = GetParam() == Method::Interpolation ? pick(90, 210, 0.5) : pick(50, 2000, 1);
        n.width = GetParam() == Method::Interpolation ? pick(4.8, 7.2, 0.1) : pick(0, 20, 0.1);
        n.length = pick(0, 25, 0.1);
        n.bord1 = pick(0, 20, 0.5);
        n.bord2 = pick(0, 20, 0.5);
        n.k = pick(4.5, 100, 0.5);
        n.height = pick(0, 8, 0.1);
        n.alpha = pick(0.4, 0.6, 0.01);
        n.beta = pick(0.6, 0.8, 0.01);
        n.squatStart = pick(3, 6, 0.5);
        n.increaseRate = pick(1, 5, 0.5);
        const auto text = [](double v) { return ShowShortest(v, kEnglish); };
        DesignTexts t;
        t.method = n.method;
        t.density = text(n.density);
        t.stress = text(n.stress);
        t.depth = text(n.depth);
        t.width = text(n.width);
        t.length = text(n.length);
        t.bord1 = text(n.bord1);
        t.bord2 = text(n.bord2);
        t.k = text(n.k);
        t.height = text(n.height);
        t.alpha = text(n.alpha);
        t.beta = text(n.beta);
        t.squatStart = text(n.squatStart);
        t.increaseRate = text(n.increaseRate);

        const Evaluation shown = Evaluate(t, kEnglish, &table);
        const NumericEvaluation numbers = EvaluateNumbers(n, &table);
        ASSERT_EQ(shown.complete(), numbers.complete())
            << i << ": " << (shown.refusal ? shown.refusal->message.toStdString() : "");
        if (!shown.complete())
            continue;
        ++complete;
        EXPECT_EQ(shown.averagePillarStress, numbers.averagePillarStress) << i;
        EXPECT_EQ(shown.factorOfSafetyValue, numbers.factorOfSafety) << i;
        EXPECT_EQ(shown.strengthValue, numbers.strength) << i;
        EXPECT_EQ(shown.widthHeightRatioValue, numbers.widthHeightRatio) << i;
        EXPECT_EQ(shown.widthHeightTooSmall, numbers.widthHeightTooSmall) << i;
        EXPECT_EQ(shown.factorOfSafetyTooSmall, numbers.factorOfSafetyTooSmall) << i;
        EXPECT_EQ(shown.formulaUsed, numbers.formula) << i;
        EXPECT_EQ(shown.factorOfSafety, ShowResult(numbers.factorOfSafety, 1, kEnglish)) << i;
        EXPECT_EQ(shown.effectiveWidth, ShowResult(numbers.effectiveWidth, 1, kEnglish)) << i;
        EXPECT_EQ(shown.extraction, ShowResult(numbers.extraction, 1, kEnglish)) << i;

        // The screen's own reading of the texts: the fields the steps read in
        // single precision as those floats, the width and length (and the
        // interpolation screen's depth) as the doubles they were made from.
        const Step<DesignNumbers> read = ReadNumbers(t, kEnglish, &table);
        ASSERT_TRUE(read.ok()) << i << ": " << read.refusal().message.toStdString();
        const DesignNumbers& r = read.value();
        const auto single = [](double v) { return static_cast<double>(static_cast<float>(v)); };
        const bool interpolation = n.method == Method::Interpolation;
        EXPECT_EQ(r.width, n.width) << i;
        EXPECT_EQ(r.length, interpolation ? n.width : n.length) << i;
        EXPECT_EQ(r.depth, interpolation ? n.depth : single(n.depth)) << i;
        EXPECT_EQ(r.density, n.method == Method::Tributary ? single(n.density) : 0) << i;
        EXPECT_EQ(r.stress, n.method == Method::Modelled ? single(n.stress) : 0) << i;
        EXPECT_EQ(r.bord1, interpolation ? 12 : single(n.bord1)) << i;
        EXPECT_EQ(r.bord2, interpolation ? 12 : single(n.bord2)) << i;
        for (auto member :
             {&DesignNumbers::k, &DesignNumbers::height, &DesignNumbers::alpha,
              &DesignNumbers::beta, &DesignNumbers::squatStart, &DesignNumbers::increaseRate})
            EXPECT_EQ(r.*member, single(n.*member)) << i;
        const NumericEvaluation again = EvaluateNumbers(r, &table);
        ASSERT_TRUE(again.complete()) << i;
        EXPECT_EQ(shown.averagePillarStress, again.averagePillarStress) << i;
        EXPECT_EQ(shown.factorOfSafetyValue, again.factorOfSafety) << i;
        EXPECT_EQ(shown.strengthValue, again.strength) << i;
        EXPECT_EQ(shown.widthHeightRatioValue, again.widthHeightRatio) << i;
        EXPECT_EQ(shown.formulaUsed, again.formula) << i;
    }
    EXPECT_GT(complete, 1000); // most designs have a result
}

INSTANTIATE_TEST_SUITE_P(Methods, BothRoads,
                         ::testing::Values(Method::Tributary, Method::Modelled,
                                           Method::Interpolation),
                         [](const auto& info) { return MethodName(info.param).toStdString(); });

} // namespace
} // namespace vt::evaluation
