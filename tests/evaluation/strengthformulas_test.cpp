// The strength formulas compared for a screen's design: the screen's row is
// the screen's own strength and FOS bit for bit, every other row the
// published formula (values worked by hand, kept as numbers), bad input
// refused naming the field, and the charts' curves through the pillar.
#include "evaluation/strengthformulas.h"
#include "tests/support/designs.h"
#include "tests/support/locale.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace vt::evaluation {
namespace {

const NumberLocale kEnglish(test::English());

// A pillar 10 x 10 m (effective width 10), 5 m high, under a typed stress of
// 64 MPa, in rock of UCS 150 MPa.
FormulaInputs Modelled() {
    FormulaInputs in;
    in.design = test::TributaryDesign();
    in.design.method = Method::Modelled;
    in.design.stress = QStringLiteral("64");
    in.ucs = QStringLiteral("150");
    return in;
}

const FormulaRow* Row(const FormulaComparison& c, const char* key) {
    for (const FormulaRow& row : c.rows)
        if (row.key == QLatin1String(key))
            return &row;
    ADD_FAILURE() << key;
    return nullptr;
}

TEST(CompareFormulas, TheScreensRowIsTheScreensResultBitForBit) {
    for (const FormulaInputs& in : {Modelled(), [] {
                                        FormulaInputs t = Modelled();
                                        t.design =
                                            test::TributaryDesign("2"); // W:H 5: the squat formula
                                        return t;
                                    }()}) {
        const Evaluation screen = Evaluate(in.design, kEnglish);
        ASSERT_TRUE(screen.complete());
        const auto c = CompareFormulas(in, kEnglish);
        ASSERT_TRUE(c.ok()) << c.refusal().message.toStdString();
        const FormulaRow& row = c->rows.front();
        EXPECT_EQ(row.key, QStringLiteral("screen"));
        EXPECT_EQ(row.strength, screen.strength);
        EXPECT_EQ(row.factorOfSafety, screen.factorOfSafety);
        EXPECT_EQ(row.strengthValue, static_cast<double>(screen.strengthValue));
        EXPECT_EQ(row.factorOfSafetyValue, static_cast<double>(screen.factorOfSafetyValue));
        EXPECT_EQ(row.meets,
                  screen.factorOfSafetyTooSmall ? QStringLiteral("no") : QStringLiteral("yes"));
        EXPECT_EQ(row.note, screen.formula);
        // The strength chart's screen curve passes through the screen's strength.
        const FormulaCharts charts = ChartFormulas(c.value(), in, {}, kEnglish);
        const auto at = std::find(charts.ratios.begin(), charts.ratios.end(), c->ratio);
        ASSERT_NE(at, charts.ratios.end());
        EXPECT_EQ(
            charts.strength.front().values[static_cast<std::size_t>(at - charts.ratios.begin())],
            static_cast<double>(screen.strengthValue));
    }
}

struct Expected {
    const char* key;
    const char* strength;
    const char* fos;
    const char* meets;
};

// Strengths by hand: 133 x 10^0.5 / 5^0.75 = 125.78, 65 x 10^0.46 / 5^0.66 =
// 64.80, 35.4 x 1.222 = 43.26, 0.42 x 150 x 2 = 126, 74 x 1.222 = 90.43,
// 150 x 0.6131 = 91.97, 0.65 x 150 x 10^0.3 / 5^0.59 = 75.27, 7.176 x 10^0.46
// / 5^0.66 = 7.15; each FOS over 64 MPa.
TEST(CompareFormulas, EveryPresetsRowWorkedByHand) {
    const auto c = CompareFormulas(Modelled(), kEnglish);
    ASSERT_TRUE(c.ok()) << c.refusal().message.toStdString();
    const Expected rows[] = {
        {"hedley-grant-1972", "125.8", "2", "yes"}, {"von-kimmelmann-1984", "64.8", "1", ""},
        {"krauland-soder-1987", "43.3", "0.7", ""}, {"potvin-1989", "126", "2", ""},
        {"sjoberg-1992", "90.4", "1.4", ""},        {"lunder-pakalnis-1997", "92", "1.4", "yes"},
        {"esterhuizen-2011", "75.3", "1.2", "no"},  {"salamon-munro-1967", "7.2", "0.1", "no"},
    };
    for (const Expected& e : rows) {
        const FormulaRow* row = Row(c.value(), e.key);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->strength, QLatin1String(e.strength)) << e.key;
        EXPECT_EQ(row->factorOfSafety, QLatin1String(e.fos)) << e.key;
        EXPECT_EQ(row->meets, QLatin1String(e.meets)) << e.key;
    }
    EXPECT_EQ(c->rows.size(), engine::kStrengthPresets.size());
    EXPECT_TRUE(Row(c.value(), "hedley-grant-1972")->note.contains(QLatin1String("feet")));

    // Without the UCS the formulas that need it have none, and say why.
    FormulaInputs noUcs = Modelled();
    noUcs.ucs.clear();
    const auto n = CompareFormulas(noUcs, kEnglish);
    ASSERT_TRUE(n.ok());
    EXPECT_EQ(Row(n.value(), "potvin-1989")->strength, QString());
    EXPECT_EQ(Row(n.value(), "potvin-1989")->note, QStringLiteral("Needs the UCS."));
    EXPECT_EQ(Row(n.value(), "hedley-grant-1972")->strength, QStringLiteral("125.8"));

    // Scaled to the site's UCS: 133 fitted to 230 MPa, the site 115 MPa.
    FormulaInputs scaled = Modelled();
    scaled.ucs = QStringLiteral("115");
    scaled.scaleToUcs = true;
    const auto s = CompareFormulas(scaled, kEnglish);
    ASSERT_TRUE(s.ok());
    EXPECT_EQ(Row(s.value(), "hedley-grant-1972")->strength, QStringLiteral("62.9"));
    EXPECT_EQ(Row(s.value(), "salamon-munro-1967")->strength, QStringLiteral("7.2"));
    // A typed UCS named as read.
    scaled.ucs = QStringLiteral("115.3");
    EXPECT_TRUE(CompareFormulas(scaled, kEnglish)
                    .value()
                    .rows[1]
                    .note.endsWith(QStringLiteral("(UCS 115.3 of 230 MPa).")));
}

TEST(CompareFormulas, UsersFormulaAndItsDataRangeAtTheEdges) {
    FormulaInputs in = Modelled();
    in.user = UserFormulaTexts{true,
                               QStringLiteral("50"),
                               QStringLiteral("0.5"),
                               QStringLiteral("0.5"),
                               QStringLiteral("1.2"),
                               QStringLiteral("2"),
                               QStringLiteral("3")};
    // The range and the design FOS shown as read, not widened from single
    // precision ("2.1", not "2.0999999046325684").
    const struct {
        const char* low;
        const char* high;
        bool outside;
        const char* shown;
    } edges[] = {{"2", "3", false, "2 to 3"},
                 {"1", "2", false, "1 to 2"},
                 {"2.1", "3", true, "2.1 to 3"},
                 {"1", "1.9", true, "1 to 1.9"},
                 {"", "", false, "not known"}};
    for (const auto& edge : edges) {
        in.user->ratioLow = QLatin1String(edge.low);
        in.user->ratioHigh = QLatin1String(edge.high);
        const auto c = CompareFormulas(in, kEnglish);
        ASSERT_TRUE(c.ok()) << c.refusal().message.toStdString();
        const FormulaRow& user = c->rows.back();
        EXPECT_EQ(user.key, QStringLiteral("user"));
        EXPECT_EQ(user.strength, QStringLiteral("75")); // 50 x (0.5 + 0.5 x 2)
        EXPECT_EQ(user.factorOfSafety, QStringLiteral("1.2"));
        EXPECT_EQ(user.meets, QStringLiteral("no")); // 1.17 below 1.2
        EXPECT_EQ(user.outsideData, edge.outside) << edge.low << " " << edge.high;
        EXPECT_EQ(user.dataRange, QLatin1String(edge.shown));
        EXPECT_EQ(user.designFos, QStringLiteral("1.2"));
    }
}

TEST(CompareFormulas, BadInputIsRefusedNamingTheField) {
    struct Case {
        const char* what;
        std::function<void(FormulaInputs&)> change;
        const char* says;
    };
    const auto user = [](const char* c, const char* a, const char* b) {
        return [=](FormulaInputs& in) {
            in.user = UserFormulaTexts{false,
                                       QLatin1String(c),
                                       QLatin1String(a),
                                       QLatin1String(b),
                                       QStringLiteral("1.6"),
                                       {},
                                       {}};
        };
    };
    const Case cases[] = {
        {"UCS 0", [](FormulaInputs& in) { in.ucs = QStringLiteral("0"); }, "\"UCS (MPa)\""},
        {"UCS below 0", [](FormulaInputs& in) { in.ucs = QStringLiteral("-5"); },
         "\"UCS (MPa)\" must be above 0"},
        {"UCS not a number", [](FormulaInputs& in) { in.ucs = QStringLiteral("hard"); },
         "The value in \"UCS (MPa)\" is not a number"},
        {"LDF above 1", [](FormulaInputs& in) { in.ldf = QStringLiteral("1.2"); }, "\"LDF\""},
        {"LDF 0", [](FormulaInputs& in) { in.ldf = QStringLiteral("0"); }, "\"LDF\""},
        {"LDF empty", [](FormulaInputs& in) { in.ldf.clear(); }, "Fill in \"LDF\""},
        {"user constant", user("strong", "0.5", "0.75"), "\"Your formula's constant\""},
        {"user empty b", user("100", "0.5", ""), "Fill in \"Your formula's b\""},
        {"user overflow", user("1e30", "300", "0"), "no finite strength"},
        {"user half range",
         [](FormulaInputs& in) {
             in.user = UserFormulaTexts{false,
                                        QStringLiteral("100"),
                                        QStringLiteral("0.5"),
                                        QStringLiteral("0.75"),
                                        QStringLiteral("1.6"),
                                        QStringLiteral("1"),
                                        QString()};
         },
         "\"Your formula's data from W:H\""},
        {"the screen has no strength", [](FormulaInputs& in) { in.design.k.clear(); },
         "Fill values in all the text-boxes"},
    };
    for (const Case& c : cases) {
        FormulaInputs in = Modelled();
        c.change(in);
        const auto result = CompareFormulas(in, kEnglish);
        ASSERT_FALSE(result.ok()) << c.what;
        EXPECT_TRUE(result.refusal().message.contains(QLatin1String(c.says)))
            << c.what << ": " << result.refusal().message.toStdString();
    }
}

TEST(ChartFormulas, CurvesOfTheShownFormulasAndTheStabilityGraph) {
    const FormulaInputs in = Modelled();
    const auto c = CompareFormulas(in, kEnglish);
    ASSERT_TRUE(c.ok());
    std::vector<bool> shown(c->rows.size(), false);
    shown[4] = true; // Potvin, Hudyma & Miller: 0.42 x 150 x W:H
    const FormulaCharts charts = ChartFormulas(c.value(), in, shown, kEnglish, nullptr, 11);
    ASSERT_EQ(charts.strength.size(), 1u);
    EXPECT_EQ(charts.strength[0].name, c->rows[4].name);
    ASSERT_EQ(charts.ratios.size(), 12u); // 0.25 to 3 and the pillar's 2
    EXPECT_EQ(charts.ratios.front(), 0.25);
    EXPECT_EQ(charts.ratios.back(), 3.0);
    for (std::size_t i = 0; i < charts.ratios.size(); ++i) {
        EXPECT_DOUBLE_EQ(charts.strength[0].values[i], 63 * charts.ratios[i]);
        if (charts.ratios[i] == 2.0) {
            EXPECT_NEAR(charts.failedAbove[i], 0.6131, 5e-5);
            EXPECT_NEAR(charts.stableBelow[i], 0.6131 / 1.4, 5e-5);
        }
    }
    EXPECT_EQ(charts.stress, 64.0);
    ASSERT_TRUE(charts.pillarStressOverUcs);
    EXPECT_DOUBLE_EQ(*charts.pillarStressOverUcs, 64.0 / 150.0);
}

TEST(CompareFormulas, GermanDecimalCommas) {
    test::LocaleScope german(test::German());
    const NumberLocale locale = NumberLocale::Current();
    FormulaInputs in = Modelled();
    in.ucs = QStringLiteral("150,0");
    in.ldf = QStringLiteral("0,8");
    const auto c = CompareFormulas(in, locale);
    ASSERT_TRUE(c.ok()) << c.refusal().message.toStdString();
    EXPECT_EQ(Row(c.value(), "hedley-grant-1972")->strength, QStringLiteral("125,8"));
    EXPECT_EQ(Row(c.value(), "esterhuizen-2011")->strength, QStringLiteral("60,2"));
}

} // namespace
} // namespace vt::evaluation
