// The inverse solve against the answer found by typing every grid value into
// the screen's texts, over many random designs on the three screens (with the
// default table and one whose curve ends short), designs whose FOS falls where
// the squat formula takes over, and designs without an answer. The answer is
// the value from which every value on the safe side passes; passing values
// cut off from it by failing ones are checked value by value.
#include "design/solve.h"
#include "design/solvewords.h"
#include "tests/design/designcases.h"
#include "tests/support/locale.h"

#include <gtest/gtest.h>

namespace vt::design {
namespace {

using evaluation::DesignTexts;
using evaluation::Evaluation;
using evaluation::Method;
using evaluation::NumberLocale;

const NumberLocale kEnglish(test::English());

QString Text(const std::optional<Decimal>& d) {
    return d ? d->text(kEnglish) : QStringLiteral("none");
}

const char* Name(Question q) {
    switch (q) {
    case Question::SmallestWidth:
        return "smallest width";
    case Question::GreatestDepth:
        return "greatest depth";
    case Question::WidestBords:
        return "widest bords";
    }
    return "";
}

// Whether every value of the stretch passes (or fails) by the typed flags.
bool AllAre(bool passing, const std::pair<Decimal, Decimal>& stretch, const GridRange& range,
            const std::vector<bool>& passes) {
    std::int64_t a = StepsBetween(range.from, stretch.first, range.step);
    std::int64_t b = StepsBetween(range.from, stretch.second, range.step);
    if (b < a)
        std::swap(a, b);
    for (std::int64_t k = a; k <= b; ++k)
        if (passes.at(static_cast<std::size_t>(k)) != passing)
            return false;
    return true;
}

// Solves and checks the answer against typing every value: the answer, the
// failing neighbour, and the passing values cut off from the answer value by
// value. Returns whether there was an answer; counts the cut-offs met.
bool CheckAgainstTyping(const BaseDesign& base, Question q, const SolveSettings& s,
                        int* cutOffs = nullptr) {
    const Answer a = Solve(base, q, s);
    const std::vector<bool> passes = test::PassesByTyping(base, q, s);
    const auto range = SearchRange(base, q, s);
    const auto valueAt = [&](std::optional<std::int64_t> k) {
        return k ? std::optional<Decimal>(range->at(*k)) : std::nullopt;
    };
    const std::optional<Decimal> typed = valueAt(test::SettledIndex(q, passes));
    const std::optional<Decimal> firstPass = valueAt(test::FirstPassIndex(q, passes));
    const std::string where = test::Describe(base.texts) + " / " + Name(q) + " target " +
                              s.targetText.toStdString() + " W:H " + s.ratioText.toStdString() +
                              " grid " + s.grid.text(kEnglish).toStdString();
    EXPECT_EQ(Text(a.answer ? std::optional<Decimal>(a.answer->value) : std::nullopt), Text(typed))
        << where << "\n"
        << a.text.toStdString();
    EXPECT_EQ(Text(SolveByStepping(base, q, s)), Text(typed)) << where;
    if (a.answer) {
        EXPECT_TRUE(test::PassesOnScreen(a.answer->shown, s)) << where;
        EXPECT_FALSE(a.apply.empty()) << where;
    } else {
        EXPECT_TRUE(a.apply.empty()) << where;
        EXPECT_FALSE(a.text.isEmpty()) << where;
    }
    if (a.neighbour) {
        EXPECT_FALSE(test::PassesOnScreen(a.neighbour->shown, s)) << where;
    }
    if (!firstPass || firstPass == typed) {
        EXPECT_FALSE(a.alsoPasses) << where << "\n" << a.text.toStdString();
        return a.answer.has_value();
    }
    EXPECT_TRUE(a.alsoPasses) << where << "\n" << a.text.toStdString();
    if (a.alsoPasses) {
        const CutOffPasses& cut = *a.alsoPasses;
        EXPECT_EQ(Text(cut.passing.first), Text(firstPass)) << where;
        EXPECT_TRUE(AllAre(true, cut.passing, range.value(), passes)) << where;
        EXPECT_TRUE(AllAre(false, cut.failing, range.value(), passes)) << where;
        EXPECT_TRUE(a.text.contains(CutOffText(cut, typed.has_value(), kEnglish))) << where;
        if (cutOffs)
            ++*cutOffs;
    }
    return a.answer.has_value();
}

TEST(Solve, AgreesWithTypingEveryValueOverRandomDesigns) {
    test::RandomDesigns random(2024);
    for (const test::MethodCase& m : test::EveryMethod()) {
        int answers = 0;
        int none = 0;
        for (int i = 0; i < 40; ++i) {
            DesignTexts d = random.design(m.method);
            if (m.table == &test::ShortCurveTable()) {
                d.width = random.decimal(5, 7, 2);
                d.depth = random.decimal(100, 200, 0);
            }
            if (random.chance(0.1)) // where the bounds do not hold: every value is tried
                d.alpha = random.pick({QStringLiteral("-0.3"), QStringLiteral("0")});
            const auto base = ReadDesign(d, kEnglish, m.table);
            if (!base)
                continue;
            const SolveSettings s = random.settings();
            for (Question q :
                 {Question::SmallestWidth, Question::GreatestDepth, Question::WidestBords})
                (CheckAgainstTyping(base.value(), q, s) ? answers : none)++;
        }
        EXPECT_GT(answers, 8) << m.name;
        EXPECT_GT(none, 5) << m.name;
    }
}

// Targets that lie exactly on an FOS of the range, and a float step either
// side of it: where a block's bound meets the target, nothing may be left out.
TEST(Solve, AgreesWithTypingWhereTheTargetIsAnFosOfTheRange) {
    test::RandomDesigns random(77);
    const Question questions[] = {Question::SmallestWidth, Question::GreatestDepth,
                                  Question::WidestBords};
    const Quantity quantities[] = {Quantity::PillarWidth, Quantity::Depth, Quantity::BordWidth};
    int checked = 0;
    for (const test::MethodCase& m : test::EveryMethod()) {
        for (int i = 0; i < 8; ++i) {
            const DesignTexts d = random.design(m.method);
            const auto base = ReadDesign(d, kEnglish, m.table);
            if (!base)
                continue;
            SolveSettings s = random.settings();
            for (int q = 0; q < 3; ++q) {
                const auto range = SearchRange(base.value(), questions[q], s);
                const auto v = Variation::Of(base.value(), quantities[q]);
                if (!range || !v || range->count() < 2)
                    continue;
                const std::int64_t at = random.whole(0, range->count() - 1);
                const PointResult r = v->resultAt(range->at(at));
                if (!r.complete || !(r.factorOfSafety > 0))
                    continue;
                for (const float target : {r.factorOfSafety, std::nextafter(r.factorOfSafety, 0.0f),
                                           std::nextafter(r.factorOfSafety, 1e30f)}) {
                    s.target = target;
                    s.targetText = evaluation::ShowShortest(target, kEnglish);
                    CheckAgainstTyping(base.value(), questions[q], s);
                    ++checked;
                }
            }
        }
    }
    EXPECT_GT(checked, 30);
}

// A strength constant so small that the FOS lies among the single-precision
// subnormals: the answer is still the one stepping finds.
TEST(Solve, AnFosAmongTheSubnormalsIsSearchedValueByValue) {
    DesignTexts d = test::TributaryDesign("4");
    d.method = Method::Modelled;
    d.density.clear();
    d.stress = QStringLiteral("30");
    d.width = QStringLiteral("12");
    d.length = QStringLiteral("12");
    d.height = QStringLiteral("3");
    d.k = QStringLiteral("1e-42");
    const BaseDesign base = test::ReadBase(d);
    SolveSettings s;
    s.target = 5e-44f;
    s.targetText = QStringLiteral("5e-44");
    const Answer a = Solve(base, Question::SmallestWidth, s);
    ASSERT_TRUE(a.answer);
    EXPECT_EQ(Text(a.answer->value), QStringLiteral("11.6"));
    EXPECT_TRUE(CheckAgainstTyping(base, Question::SmallestWidth, s));
}

// Rectangular pillars: the squat formula's volume makes the strength fall
// where it takes over, so the FOS drops as the pillar widens.
TEST(Solve, FindsTheSmallestWidthWhereTheFosIsNotMonotonic) {
    int cases = 0;
    int cutOffs = 0;
    for (const char* height : {"2", "2.5", "3"})
        for (const char* k : {"30", "45", "60"})
            for (const char* depth : {"300", "600", "900"}) {
                DesignTexts d = test::TributaryDesign("4");
                d.width = QStringLiteral("10");
                d.length = QStringLiteral("30");
                d.height = QString::fromLatin1(height);
                d.k = QString::fromLatin1(k);
                d.depth = QString::fromLatin1(depth);
                const BaseDesign base = test::ReadBase(d);
                SolveSettings s;
                s.minimumRatio = 1;
                const auto range = SearchRange(base, Question::SmallestWidth, s);
                const auto v = Variation::Of(base, Quantity::PillarWidth);
                ASSERT_TRUE(range.ok() && v.ok());
                // The last Hedley/Grant width before the drop.
                std::optional<std::int64_t> peak;
                PointResult before;
                for (std::int64_t i = 0; i < range->count() && !peak; ++i) {
                    const PointResult r = v->resultAt(range->at(i));
                    if (i > 0 && r.complete && before.complete && r.formula != before.formula &&
                        r.factorOfSafety < before.factorOfSafety)
                        peak = i - 1;
                    before = r;
                }
                ASSERT_TRUE(peak) << test::Describe(d);
                const PointResult top = v->resultAt(range->at(*peak));
                const PointResult after = v->resultAt(range->at(*peak + 1));
                s.target = top.factorOfSafety;
                s.targetText = evaluation::ShowShortest(top.factorOfSafety, kEnglish);
                ASSERT_LT(after.factorOfSafety, s.target);
                const Answer a = Solve(base, Question::SmallestWidth, s);
                ASSERT_TRUE(a.answer || a.alsoPasses) << test::Describe(d);
                // The first width that passes lies at or before the peak; a
                // width from which every wider one passes, beyond the drop.
                const Decimal firstPass =
                    a.alsoPasses ? a.alsoPasses->passing.first : a.answer->value;
                EXPECT_LE(Compare(firstPass, range->at(*peak)), 0);
                if (a.answer) {
                    EXPECT_GT(Compare(a.answer->value, range->at(*peak + 1)), 0);
                    EXPECT_TRUE(a.alsoPasses) << a.text.toStdString();
                }
                EXPECT_TRUE(CheckAgainstTyping(base, Question::SmallestWidth, s, &cutOffs));
                // A little above the peak, the first pass lies beyond the drop.
                s.target = std::nextafter(top.factorOfSafety, 100.0f);
                const Answer beyond = Solve(base, Question::SmallestWidth, s);
                if (beyond.answer) {
                    EXPECT_GT(Compare(beyond.answer->value, range->at(*peak + 1)), 0);
                }
                CheckAgainstTyping(base, Question::SmallestWidth, s);
                ++cases;
            }
    EXPECT_EQ(cases, 27);
    EXPECT_EQ(cutOffs, 27);
}

TEST(Solve, SaysWhyThereIsNoAnswer) {
    struct Case {
        const char* what;
        Method method;
        Question question;
        const char* target;
        const char* ratio;
        void (*change)(DesignTexts&);
        const char* says;
    };
    const auto same = [](DesignTexts&) {};
    const Case cases[] = {
        {"FOS out of reach", Method::Tributary, Question::SmallestWidth, "1e6", "2.5", same,
         "No pillar width from 0.1 m to 100 m reaches FOS 1e6: the FOS peaks at"},
        {"W:H out of reach", Method::Tributary, Question::SmallestWidth, "1.6", "40", same,
         "The W:H stays below 40 for every pillar width from 0.1 m to 100 m (W:H 25 at 100 m)"},
        {"depth, W:H too small", Method::Tributary, Question::GreatestDepth, "1.6", "2.5",
         [](DesignTexts& d) { d.height = QStringLiteral("5"); },
         "The W:H is 2 at every depth: below the minimum 2.5"},
        {"depth, FOS too small", Method::Tributary, Question::GreatestDepth, "1.6", "2.5",
         [](DesignTexts& d) { d.k = QStringLiteral("0.1"); },
         "No depth from 1 m to 5000 m reaches FOS 1.6: the FOS peaks at"},
        {"bords, FOS too small", Method::Tributary, Question::WidestBords, "1.6", "2.5",
         [](DesignTexts& d) { d.k = QStringLiteral("1"); },
         "No bord width from 0.1 m to 50 m reaches FOS 1.6"},
        {"table widths", Method::Interpolation, Question::SmallestWidth, "50", "2.5", same,
         "No pillar width within the table's widths (from 4 m to 18 m) reaches FOS 50"},
        {"table depths", Method::Interpolation, Question::GreatestDepth, "50", "2.5", same,
         "No depth within the table's depths (from 100 m to 2000 m) reaches FOS 50"},
        {"modelled depth", Method::Modelled, Question::GreatestDepth, "1.6", "2.5", same,
         "The depth takes no part in the calculation on this screen"},
        {"modelled bords", Method::Modelled, Question::WidestBords, "1.6", "2.5", same,
         "The bord widths change the % extraction on this screen but not the FOS"},
        {"table bords", Method::Interpolation, Question::WidestBords, "1.6", "2.5", same,
         "All the modelling was done on a 12m bord width"},
    };
    for (const Case& c : cases) {
        DesignTexts d = test::TributaryDesign("4");
        d.method = c.method;
        d.stress = QStringLiteral("60");
        c.change(d);
        const BaseDesign base = test::ReadBase(d, &test::DefaultTable());
        const auto s =
            ReadSolveSettings(QString::fromLatin1(c.target), QString::fromLatin1(c.ratio),
                              QStringLiteral("0.1"), kEnglish);
        ASSERT_TRUE(s.ok());
        const Answer a = Solve(base, c.question, s.value());
        EXPECT_FALSE(a.answer) << c.what;
        EXPECT_TRUE(a.apply.empty()) << c.what;
        EXPECT_TRUE(a.text.contains(QString::fromUtf8(c.says)))
            << c.what << ": " << a.text.toStdString();
        EXPECT_FALSE(test::AnswerByTyping(base, c.question, s.value())) << c.what;
    }
}

TEST(Solve, ThePeakNamedIsTheHighestFosOfTheRange) {
    test::RandomDesigns random(7);
    int checked = 0;
    for (Method method : {Method::Tributary, Method::Interpolation}) {
        for (int i = 0; i < 15; ++i) {
            const auto base = ReadDesign(random.design(method), kEnglish, &test::DefaultTable());
            if (!base)
                continue;
            SolveSettings s;
            s.target = 1e30f;
            s.targetText = QStringLiteral("1e30");
            s.minimumRatio = 0;
            for (Question q : {Question::SmallestWidth, Question::GreatestDepth}) {
                const auto range = SearchRange(base.value(), q, s);
                const auto v = Variation::Of(base.value(), test::QuantityOf(q));
                std::optional<Decimal> at;
                float best = 0;
                // The first highest in the order of the search.
                for (std::int64_t k = 0; k < range->count(); ++k) {
                    const std::int64_t j =
                        q == Question::SmallestWidth ? k : range->count() - 1 - k;
                    const PointResult r = v->resultAt(range->at(j));
                    if (r.complete && !(r.ratio < s.minimumRatio) &&
                        (!at || r.factorOfSafety > best)) {
                        best = r.factorOfSafety;
                        at = range->at(j);
                    }
                }
                ASSERT_TRUE(at);
                const Answer a = Solve(base.value(), q, s);
                const Evaluation shown = v->shownAt(*at);
                EXPECT_TRUE(a.text.contains(QStringLiteral("the FOS peaks at %1 (at %2 m")
                                                .arg(shown.factorOfSafety, at->text(kEnglish))))
                    << a.text.toStdString() << " / " << at->text(kEnglish).toStdString();
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 40);
}

TEST(Solve, StatesTheAnswerAndItsFailingNeighbourAsTheScreenShowsThem) {
    DesignTexts d = test::TributaryDesign("4");
    d.k = QStringLiteral("50");
    d.height = QStringLiteral("3");
    const BaseDesign base = test::ReadBase(d);
    const SolveSettings s;
    const Answer a = Solve(base, Question::SmallestWidth, s);
    ASSERT_TRUE(a.answer);
    ASSERT_TRUE(a.neighbour);
    const auto v = Variation::Of(base, Quantity::PillarWidth);
    EXPECT_EQ(Compare(a.neighbour->value, Add(a.answer->value, s.grid, -1)), 0);
    const Evaluation at = v->shownAt(a.answer->value);
    const Evaluation next = v->shownAt(a.neighbour->value);
    const QString w = a.answer->value.text(kEnglish);
    const QString n = a.neighbour->value.text(kEnglish);
    EXPECT_EQ(a.text.toStdString(),
              QStringLiteral("Smallest pillar width: %1 m\nThere the screen shows FOS %2 and W:H "
                             "%3.\nAt %4 m: FOS %5 and W:H %6: the FOS below 1.6 (shown "
                             "rounded).")
                  .arg(w, at.factorOfSafety, at.widthHeightRatio, n, next.factorOfSafety,
                       next.widthHeightRatio)
                  .toStdString());
    ASSERT_EQ(a.apply.size(), 2u);
    EXPECT_EQ(a.apply[0], std::make_pair(evaluation::Input::PillarWidth, w));
    EXPECT_EQ(a.apply[1], std::make_pair(evaluation::Input::PillarLength, w));

    const Answer depth = Solve(base, Question::GreatestDepth, s);
    ASSERT_TRUE(depth.answer);
    ASSERT_TRUE(depth.neighbour);
    EXPECT_EQ(Compare(depth.neighbour->value, Add(depth.answer->value, Decimal{1, 0}, 1)), 0);
    EXPECT_TRUE(depth.text.startsWith(
        QStringLiteral("Greatest depth: %1 m\n").arg(depth.answer->value.text(kEnglish))));
    ASSERT_EQ(depth.apply.size(), 1u);
    EXPECT_EQ(depth.apply[0].first, evaluation::Input::Depth);

    DesignTexts wide = d;
    wide.bord2 = QStringLiteral("16");
    const Answer bords = Solve(test::ReadBase(wide), Question::WidestBords, s);
    ASSERT_TRUE(bords.answer);
    ASSERT_EQ(bords.apply.size(), 2u);
    EXPECT_EQ(bords.apply[1].first, evaluation::Input::BordWidth2);
    EXPECT_TRUE(
        bords.text.startsWith(QStringLiteral("Widest bords: %1 m and %2 m")
                                  .arg(bords.answer->texts.bord1, bords.answer->texts.bord2)));
}

TEST(Solve, AnAnswerAtTheEndOfTheRangeSaysSo) {
    DesignTexts d = test::TributaryDesign("4");
    d.depth = QStringLiteral("10");
    SolveSettings s;
    s.target = 0.001f;
    s.targetText = QStringLiteral("0.001");
    const BaseDesign base = test::ReadBase(d);
    const Answer depth = Solve(base, Question::GreatestDepth, s);
    ASSERT_TRUE(depth.answer);
    EXPECT_EQ(depth.answer->value.text(kEnglish), QStringLiteral("5000"));
    EXPECT_FALSE(depth.neighbour);
    EXPECT_TRUE(depth.text.endsWith(
        QStringLiteral("5000 m is the greatest depth searched; deeper was not tried.")));
    s.minimumRatio = 0;
    const Answer width = Solve(base, Question::SmallestWidth, s);
    ASSERT_TRUE(width.answer);
    EXPECT_TRUE(width.text.endsWith(QStringLiteral("0.1 m is the smallest width searched.")));
}

TEST(Solve, LeavesOutMostOfTheRange) {
    const BaseDesign base = test::ReadBase(test::TributaryDesign("4"));
    const SolveSettings s;
    for (Question q : {Question::SmallestWidth, Question::GreatestDepth, Question::WidestBords}) {
        const Answer a = Solve(base, q, s);
        ASSERT_TRUE(a.answer) << Name(q);
        EXPECT_LT(a.evaluations * 10, a.searched->count()) << Name(q);
    }
}

TEST(Solve, ReadsTheSettingsOrSaysWhatIsWrong) {
    test::ExpectRefusals(
        {
            {"1.6", "2.5", "0.1", nullptr},
            {"1,6", "2,5", "0,25", nullptr},
            {"", "2.5", "0.1", "The target FOS is not a number"},
            {"-1", "2.5", "0.1", "The target FOS must be above 0"},
            {"0", "2.5", "0.1", "The target FOS must be above 0"},
            {"1.6", "0", "0.1", "The minimum W:H must be above 0"},
            {"1.6", "-2.5", "0.1", "The minimum W:H must be above 0"},
            {"1.6", "x", "0.1", "The minimum W:H is not a number"},
            {"1.6", "2.5", "0", "The plan grid must be above 0"},
            {"1.6", "2.5", "-0.1", "The plan grid must be above 0"},
            {"1.6", "2.5", "y", "The plan grid is not a number"},
            {"1.6", "2.5", "0.00000001", "The plan grid has more than 6 decimals"},
        },
        [](const QString& target, const QString& ratio, const QString& grid) {
            return ReadSolveSettings(target, ratio, grid, kEnglish);
        });
    const auto comma = ReadSolveSettings(QStringLiteral("1,6"), QStringLiteral("2,5"),
                                         QStringLiteral("0,25"), kEnglish);
    EXPECT_EQ(comma->target, 1.6f);
    EXPECT_EQ(comma->minimumRatio, 2.5f);
    EXPECT_EQ(comma->grid.text(kEnglish), QStringLiteral("0.25"));
    const BaseDesign base = test::ReadBase(test::TributaryDesign("4"));
    SolveSettings fine;
    fine.grid = Decimal{1, 5};
    const Answer a = Solve(base, Question::SmallestWidth, fine);
    EXPECT_TRUE(a.text.contains(QStringLiteral("too fine"))) << a.text.toStdString();
}

// Where the squat formula or a table makes a value beyond the first passing
// one fail, the answer moves on to where every value beyond passes, and the
// passing values cut off are named.
TEST(Solve, NamesThePassingValuesCutOffFromTheAnswer) {
    // The stress falls between 200 m and 300 m: shallow and middle depths
    // pass, the depths between them fail.
    static const results::ModellingResults dipping = test::TableFromBytes(
        "5\t0\t7\t0\r\n100\t10\t100\t9\r\n200\t30\t200\t28\r\n300\t15\t300\t14\r\n"
        "400\t40\t400\t38\r\n");
    // The stress rises steeply towards the widest pillar of the table.
    static const results::ModellingResults rising = test::TableFromBytes(
        "5\t0\t7\t0\t9\t0\r\n100\t10\t100\t9\t100\t90\r\n400\t40\t400\t38\t400\t300\r\n");
    struct Case {
        const char* what;
        Method method;
        const results::ModellingResults* table;
        Question question;
        void (*change)(DesignTexts&);
        const char* answer; // "" for none
        const char* says;   // how the text ends
    };
    const Case cases[] = {
        {"rectangular, squat from 10.2 m", Method::Tributary, nullptr, Question::SmallestWidth,
         [](DesignTexts& d) {
             d.width = QStringLiteral("10");
             d.length = QStringLiteral("20");
             d.bord1 = d.bord2 = QStringLiteral("6");
             d.depth = QStringLiteral("600");
             d.height = QStringLiteral("3");
             d.k = QStringLiteral("33");
         },
         "10.4", "10.1 m passes too, but 10.2\u201310.3 m do not."},
        {"square, no drop", Method::Tributary, nullptr, Question::SmallestWidth,
         [](DesignTexts&) {}, "10",
         "At 9.9 m: FOS 1.7 and W:H 2.5: the W:H below 2.5 (shown rounded)."},
        {"stress dips with depth", Method::Interpolation, &dipping, Question::GreatestDepth,
         [](DesignTexts& d) {
             d.width = QStringLiteral("6");
             d.length = QStringLiteral("6");
             d.depth = QStringLiteral("150");
             d.height = QStringLiteral("2");
             d.k = QStringLiteral("20");
         },
         "144", "275\u2013315 m pass too, but 145\u2013274 m do not."},
        {"widest pillar fails", Method::Interpolation, &rising, Question::SmallestWidth,
         [](DesignTexts& d) {
             d.width = QStringLiteral("6");
             d.length = QStringLiteral("6");
             d.depth = QStringLiteral("100");
             d.height = QStringLiteral("2");
             d.k = QStringLiteral("40");
         },
         "",
         "No pillar width within the table's widths (from 5 m to 9 m) passes together with "
         "every wider one: at 9 m, FOS 0.8 and W:H 4.5: the FOS below 1.6.\n"
         "5\u20137.8 m pass, but 7.9\u20139 m do not."},
    };
    for (const Case& c : cases) {
        DesignTexts d = test::TributaryDesign("4");
        d.method = c.method;
        c.change(d);
        const BaseDesign base = test::ReadBase(d, c.table);
        const SolveSettings s;
        const Answer a = Solve(base, c.question, s);
        EXPECT_EQ(Text(a.answer ? std::optional<Decimal>(a.answer->value) : std::nullopt),
                  *c.answer ? QString::fromLatin1(c.answer) : QStringLiteral("none"))
            << c.what;
        EXPECT_TRUE(a.text.endsWith(QString::fromUtf8(c.says))) << c.what << "\n"
                                                                << a.text.toStdString();
        EXPECT_EQ(CheckAgainstTyping(base, c.question, s), a.answer.has_value()) << c.what;
    }
}

} // namespace
} // namespace vt::design
