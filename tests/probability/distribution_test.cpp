// The distributions of the inputs: refusals of bad parameters, the moments
// of what they draw, the lognormal fitted to the UCS readings, and the
// number of samples and the seed as typed.
#include "probability/core/distribution.h"
#include "probability/core/settings.h"
#include "probability/core/ucsfit.h"
#include "tests/probability/designs.h"

#include <cmath>
#include <gtest/gtest.h>

namespace vt::probability {
namespace {

using evaluation::Input;
using evaluation::NumberLocale;

using test::English;
using test::German;

struct BadParameters {
    const char* name;
    Input input;
    double value;
    DistributionTexts texts;
    const char* message;
};

class Refused : public ::testing::TestWithParam<BadParameters> {};

TEST_P(Refused, WithAMessageNamingTheInput) {
    const BadParameters& c = GetParam();
    const auto d = MakeDistribution(c.input, c.value, c.texts, English());
    ASSERT_FALSE(d.ok());
    EXPECT_EQ(d.refusal().message, QString::fromUtf8(c.message));
    EXPECT_EQ(d.refusal().title, QStringLiteral("Probability of failure"));
}

using K = DistributionKind;
INSTANTIATE_TEST_SUITE_P(
    Parameters, Refused,
    ::testing::Values(
        BadParameters{"NegativeCv",
                      Input::K,
                      100,
                      {K::Lognormal, QStringLiteral("-5"), {}, {}},
                      "The coefficient of variation of \"K (MPa)\" must not be negative"},
        BadParameters{"NegativeCvNormal",
                      Input::Depth,
                      500,
                      {K::Normal, QStringLiteral("-0.1"), {}, {}},
                      "The coefficient of variation of \"Depth (m)\" must not be negative"},
        BadParameters{"CvNotANumber",
                      Input::PillarHeight,
                      5,
                      {K::Normal, QStringLiteral("ten"), {}, {}},
                      "The coefficient of variation of \"Pillar height (m)\" is not a number"},
        BadParameters{"CvEmpty",
                      Input::K,
                      100,
                      {K::Normal, QString(), {}, {}},
                      "Fill in the coefficient of variation of \"K (MPa)\""},
        BadParameters{"BoundsWrongWayRound",
                      Input::Depth,
                      500,
                      {K::Uniform, {}, QStringLiteral("600"), QStringLiteral("400")},
                      "The lower bound of \"Depth (m)\" is above its upper bound"},
        BadParameters{"LowerBoundNotANumber",
                      Input::Depth,
                      500,
                      {K::Uniform, {}, QStringLiteral("4x"), QStringLiteral("600")},
                      "The lower bound of \"Depth (m)\" is not a number"},
        BadParameters{"UpperBoundEmpty",
                      Input::BordWidth1,
                      12,
                      {K::Uniform, {}, QStringLiteral("10"), QString()},
                      "Fill in the upper bound of \"Bord width 1 (m)\""},
        BadParameters{"BoundsTooFarApart",
                      Input::Depth,
                      500,
                      {K::Uniform, {}, QStringLiteral("-1e308"), QStringLiteral("1e308")},
                      "The bounds of \"Depth (m)\" are too far apart to use"},
        BadParameters{"LognormalOfZero",
                      Input::Depth,
                      0,
                      {K::Lognormal, QStringLiteral("10"), {}, {}},
                      "A lognormal \"Depth (m)\" needs a value above 0 on the screen; choose "
                      "normal or uniform instead"},
        BadParameters{"NormalCvTooLarge",
                      Input::Depth,
                      1e300,
                      {K::Normal, QStringLiteral("1e20"), {}, {}},
                      "The coefficient of variation of \"Depth (m)\" is too large to use"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MakeDistribution, TakesTheScreensValueAsMeanAndTheCvInPercent) {
    const auto normal =
        MakeDistribution(Input::Depth, 500, {K::Normal, QStringLiteral("10"), {}, {}}, English());
    ASSERT_TRUE(normal.ok());
    EXPECT_EQ(normal->mean, 500);
    EXPECT_DOUBLE_EQ(normal->standardDeviation, 50);
    const auto lognormal =
        MakeDistribution(Input::K, 100, {K::Lognormal, QStringLiteral("12,5"), {}, {}}, German());
    ASSERT_TRUE(lognormal.ok());
    EXPECT_DOUBLE_EQ(lognormal->coefficient, 0.125);
    // The mean of a lognormal is exp(mu + sigma^2 / 2), its CV sqrt(exp(sigma^2) - 1).
    EXPECT_NEAR(
        std::exp(lognormal->logMean + lognormal->logDeviation * lognormal->logDeviation / 2), 100,
        1e-12);
    EXPECT_NEAR(std::sqrt(std::expm1(lognormal->logDeviation * lognormal->logDeviation)), 0.125,
                1e-15);
    const auto uniform =
        MakeDistribution(Input::Depth, 500,
                         {K::Uniform, {}, QStringLiteral("450"), QStringLiteral("450")}, English());
    ASSERT_TRUE(uniform.ok()); // equal bounds: the value itself
    const auto fixed = MakeDistribution(Input::K, 100, {}, English());
    ASSERT_TRUE(fixed.ok());
    EXPECT_FALSE(fixed->varies());
    EXPECT_EQ(fixed->mean, 100);
}

struct Moments {
    double mean = 0;
    double sd = 0;
    double min = INFINITY;
    double max = -INFINITY;
};

Moments Draw(const Distribution& d, int n) {
    Moments m;
    double sum = 0;
    double squares = 0;
    for (int i = 0; i < n; ++i) {
        SampleStream s(StreamKey(99), static_cast<std::uint64_t>(i), 0);
        const double x = d.sample(s);
        sum += x;
        squares += x * x;
        m.min = std::min(m.min, x);
        m.max = std::max(m.max, x);
    }
    m.mean = sum / n;
    m.sd = std::sqrt((squares - sum * sum / n) / (n - 1));
    return m;
}

TEST(Distribution, DrawsHaveTheMomentsAsked) {
    constexpr int n = 400000;
    struct Case {
        Distribution d;
        double mean;
        double sd;
    };
    const Case cases[] = {
        {Distribution::Normal(500, 0.1), 500, 50},
        {Distribution::Lognormal(100, 0.2), 100, 20},
        {Distribution::Lognormal(5, 0.5), 5, 2.5},
        {Distribution::Uniform(400, 600), 500, 200 / std::sqrt(12.0)},
    };
    for (const Case& c : cases) {
        const Moments m = Draw(c.d, n);
        EXPECT_NEAR(m.mean, c.mean, 4 * c.sd / std::sqrt(n)) << KindName(c.d.kind).toStdString();
        // The sample sd of a lognormal with CV 0.5 scatters more: 2 % is ample.
        EXPECT_NEAR(m.sd, c.sd, 0.02 * c.sd) << KindName(c.d.kind).toStdString();
    }
    const Moments u = Draw(Distribution::Uniform(400, 600), n);
    EXPECT_GE(u.min, 400);
    EXPECT_LT(u.max, 600);
    EXPECT_GT(Draw(Distribution::Lognormal(5, 0.5), n).min, 0);
}

TEST(FitReadings, FitsTheLogarithmsOfTheDowngradedReadings) {
    // Readings 40, 60, 50 downgraded by 50 %: K 20, 30, 25.
    const auto fit = FitReadings(
        {{QStringLiteral("40"), QStringLiteral("60"), QStringLiteral("50")}, QStringLiteral("50")},
        English());
    ASSERT_TRUE(fit.ok());
    EXPECT_EQ(fit->kind, DistributionKind::FromReadings);
    EXPECT_EQ(fit->readings, 3);
    EXPECT_EQ(fit->downgrade, 50);
    // The fitted median is the geometric mean of the three K.
    EXPECT_NEAR(std::exp(fit->logMean), std::cbrt(20.0 * 30.0 * 25.0), 1e-12);
    // ln 20, ln 25, ln 30 about their mean, over n - 1 = 2.
    EXPECT_NEAR(fit->logDeviation, 0.20307476, 1e-8);
    EXPECT_EQ(DescribeFit(fit.value(), English()),
              QStringLiteral("lognormal fitted to 3 UCS readings, each downgraded by 50 %: median "
                             "24.66 MPa, CV 20.5 %"));
}

TEST(FitReadings, ReadsTheDialogsTextsInTheUsersLocale) {
    const auto fit = FitReadings(
        {{QStringLiteral("120,5"), QStringLiteral("100")}, QStringLiteral("66,67")}, German());
    ASSERT_TRUE(fit.ok());
    EXPECT_NEAR(std::exp(fit->logMean),
                std::sqrt(120.5f * (100 - 66.67f) / 100 * (100.0f * (100 - 66.67f) / 100)), 1e-4);
}

TEST(FitReadings, RefusesWhatCannotBeFitted) {
    struct Case {
        UcsReadings ucs;
        const char* message;
    };
    const Case cases[] = {
        {{{}, QStringLiteral("66.67")},
         "K from the UCS readings needs at least two readings in the UCS dialog (\"Determine K "
         "from UCS-values\"); it holds 0"},
        {{{QStringLiteral("40")}, QStringLiteral("66.67")},
         "K from the UCS readings needs at least two readings in the UCS dialog (\"Determine K "
         "from UCS-values\"); it holds 1"},
        {{{QStringLiteral("40"), QStringLiteral("abc")}, QStringLiteral("66.67")},
         "The UCS reading \"abc\" in the UCS dialog is not a number"},
        {{{QStringLiteral("40"), QStringLiteral("50")}, QStringLiteral("x")},
         "The downgrade percentage \"x\" in the UCS dialog is not a number"},
        {{{QStringLiteral("40"), QStringLiteral("50")}, QStringLiteral("100")},
         "The UCS reading \"40\" downgraded by 100 % gives no K above 0"},
        {{{QStringLiteral("40"), QStringLiteral("-50")}, QStringLiteral("50")},
         "The UCS reading \"-50\" downgraded by 50 % gives no K above 0"},
    };
    for (const Case& c : cases) {
        const auto fit = FitReadings(c.ucs, English());
        ASSERT_FALSE(fit.ok()) << c.message;
        EXPECT_EQ(fit.refusal().message, QString::fromUtf8(c.message));
    }
}

TEST(ReadSamples, AcceptsWholeNumbersFromOneToTenMillion) {
    struct Case {
        const char* text;
        std::uint64_t value; // 0: refused
    };
    const Case cases[] = {
        {"100000", 100000},
        {"100,000", 100000},
        {" 2 500 ", 2500},
        {"1", 1},
        {"10000000", 10000000},
        {"0", 0},
        {"10000001", 0},
        {"1000000000", 0},
        {"-5", 0},
        {"1.5", 0},
        {"1e6", 0},
        {"", 0},
        {"lots", 0},
        {"99999999999999999999999", 0},
    };
    for (const Case& c : cases) {
        const auto n = ReadSamples(QString::fromLatin1(c.text), English());
        if (c.value == 0) {
            ASSERT_FALSE(n.ok()) << c.text;
            EXPECT_EQ(n.refusal().message,
                      QStringLiteral("The number of samples must be a whole number from 1 to "
                                     "10,000,000"));
        } else {
            ASSERT_TRUE(n.ok()) << c.text;
            EXPECT_EQ(n.value(), c.value) << c.text;
        }
    }
    EXPECT_EQ(ReadSamples(QStringLiteral("100.000"), German()).value(), 100000u);
}

TEST(ReadSeed, AcceptsEverySixtyFourBitNumber) {
    EXPECT_EQ(ReadSeed(QStringLiteral("0"), English()).value(), 0u);
    EXPECT_EQ(ReadSeed(QStringLiteral("18446744073709551615"), English()).value(),
              18446744073709551615ull);
    for (const char* bad : {"18446744073709551616", "-1", "", "seed", "1.0"}) {
        const auto seed = ReadSeed(QString::fromLatin1(bad), English());
        ASSERT_FALSE(seed.ok()) << bad;
        EXPECT_EQ(seed.refusal().message,
                  QStringLiteral("The seed must be a whole number from 0 to 18446744073709551615"));
    }
}

} // namespace
} // namespace vt::probability
