// The design charts' curves: every point is what the screen shows for its
// inputs, the screen's own point is the screen's result, points without a
// result are left out with the screen's reason, and the marks sit where the
// screen's flags and formula change.
#include "design/solve.h"
#include "design/sweep.h"
#include "evaluation/messages.h"
#include "tests/design/designcases.h"
#include "tests/support/locale.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace vt::design {
namespace {

using evaluation::DesignTexts;
using evaluation::Evaluation;
using evaluation::Method;
using evaluation::NumberLocale;

Curve SweepOf(const BaseDesign& base, Quantity q, const GridRange& range) {
    const auto curve = Sweep(base, q, range);
    EXPECT_TRUE(curve.ok()) << curve.refusal().message.toStdString();
    return curve.value();
}

GridRange Range(double from, double to, Decimal step) {
    return {*ExactDecimal(from), *ExactDecimal(to), step};
}

// The numbers a curve draws against what the screen shows for the point's
// texts; returns how many points had a result.
int CheckAgainstScreen(const BaseDesign& base, const Curve& curve) {
    int complete = 0;
    for (std::size_t i = 0; i < curve.points.size(); ++i) {
        const PointResult& r = curve.points[i].result;
        const Evaluation shown = PointShown(base, curve, i);
        const std::string where = test::Describe(PointTexts(base, curve, i));
        EXPECT_EQ(r.complete, shown.complete()) << where;
        if (!r.complete || !shown.complete())
            continue;
        ++complete;
        EXPECT_EQ(r.factorOfSafety, shown.factorOfSafetyValue) << where;
        EXPECT_EQ(evaluation::ShowResult(r.factorOfSafety, 1, base.locale), shown.factorOfSafety)
            << where;
        EXPECT_EQ(r.ratio, shown.widthHeightRatioValue) << where;
        EXPECT_EQ(r.strength, shown.strengthValue) << where;
        EXPECT_EQ(r.stress, shown.averagePillarStress) << where;
        EXPECT_EQ(r.formula, shown.formulaUsed) << where;
        EXPECT_EQ(r.ratioTooSmall, shown.widthHeightTooSmall) << where;
        EXPECT_EQ(r.factorOfSafetyTooSmall, shown.factorOfSafetyTooSmall) << where;
    }
    return complete;
}

TEST(Sweep, EveryPointIsWhatTheScreenShowsForItsInputs) {
    test::RandomDesigns random(11);
    for (const QLocale& locale : {test::English(), test::German()}) {
        test::LocaleScope scope(locale);
        const NumberLocale numbers(locale);
        for (const test::MethodCase& m : test::EveryMethod()) {
            int compared = 0;
            for (int i = 0; i < 12; ++i) {
                DesignTexts d = random.design(m.method);
                if (m.table == &test::ShortCurveTable()) {
                    d.width = random.decimal(5, 7, 1);
                    d.depth = random.decimal(100, 200, 0);
                }
                if (locale == test::German())
                    for (QString* t : {&d.width, &d.length, &d.k, &d.height, &d.stress})
                        t->replace(QLatin1Char('.'), QLatin1Char(','));
                const auto base = ReadDesign(d, numbers, m.table);
                if (!base)
                    continue;
                for (Quantity q : {Quantity::PillarWidth, Quantity::Depth, Quantity::PillarHeight,
                                   Quantity::BordWidth}) {
                    const auto curve = Sweep(base.value(), q, DefaultRange(base.value(), q));
                    if (curve)
                        compared += CheckAgainstScreen(base.value(), curve.value());
                }
            }
            EXPECT_GT(compared, 1000) << m.name;
        }
    }
}

TEST(Sweep, TheScreensPointShowsTheScreensResults) {
    test::RandomDesigns random(5);
    for (Method method : {Method::Tributary, Method::Modelled, Method::Interpolation}) {
        for (int i = 0; i < 10; ++i) {
            const DesignTexts d = random.design(method);
            const auto base = ReadDesign(d, NumberLocale(test::English()), &test::DefaultTable());
            if (!base)
                continue;
            const Evaluation screen =
                evaluation::Evaluate(d, NumberLocale(test::English()), &test::DefaultTable());
            for (Quantity q : {Quantity::PillarWidth, Quantity::Depth, Quantity::PillarHeight}) {
                const Curve curve = SweepOf(base.value(), q, DefaultRange(base.value(), q));
                ASSERT_TRUE(curve.current) << test::Describe(d);
                const std::size_t c = *curve.current;
                EXPECT_FALSE(curve.points[c].grid);
                EXPECT_EQ(PointShown(base.value(), curve, c).factorOfSafety, screen.factorOfSafety);
                EXPECT_EQ(curve.points[c].result.factorOfSafety, screen.factorOfSafetyValue);
                EXPECT_EQ(CurrentValue(base.value(), q), curve.points[c].x);
                // One point per value, in order.
                for (std::size_t k = 1; k < curve.points.size(); ++k)
                    EXPECT_LT(curve.points[k - 1].x, curve.points[k].x);
            }
        }
    }
}

// "6,3" in an English locale: the interpolation reads the leading 6, the
// strength step the length 6.3; the curves then follow the texts throughout.
TEST(Sweep, AWidthTheTwoStepsReadApartIsFollowedByItsTexts) {
    DesignTexts d = test::TributaryDesign("4");
    d.method = Method::Interpolation;
    d.width = QStringLiteral("6,3");
    d.height = QStringLiteral("1.3");
    const BaseDesign base = test::ReadBase(d, &test::DefaultTable());
    EXPECT_FALSE(base.numbersExact);
    // W:H 6 / 1.3 > 4.5: the squat formula, whose volume takes the length.
    EXPECT_EQ(base.shown.formulaUsed, engine::StrengthFormula::SquatPillar);
    for (Quantity q : {Quantity::Depth, Quantity::PillarHeight}) {
        const Curve curve = SweepOf(base, q, DefaultRange(base, q));
        EXPECT_GT(CheckAgainstScreen(base, curve), 100);
    }
    const Answer a = Solve(base, Question::GreatestDepth, SolveSettings{});
    EXPECT_EQ(a.answer.has_value(),
              test::AnswerByTyping(base, Question::GreatestDepth, {}).has_value());
}

TEST(Sweep, AGridValueAtTheScreensValueIsTheScreensPoint) {
    const BaseDesign base = test::ReadBase(test::TributaryDesign("4"));
    const Curve curve = SweepOf(base, Quantity::PillarWidth, Range(5, 20, Decimal{5, 1}));
    ASSERT_TRUE(curve.current);
    EXPECT_EQ(curve.points.size(), 31u);
    EXPECT_EQ(curve.points[*curve.current].x, 10);
    // Off the grid, the screen's value comes between two grid values.
    DesignTexts d = test::TributaryDesign("4");
    d.width = QStringLiteral("10.2");
    d.length = d.width;
    const BaseDesign off = test::ReadBase(d);
    const Curve between = SweepOf(off, Quantity::PillarWidth, Range(5, 20, Decimal{5, 1}));
    EXPECT_EQ(between.points.size(), 32u);
    EXPECT_EQ(between.points[*between.current].x, 10.2);
    EXPECT_EQ(between.points[*between.current - 1].x, 10);
    // Outside the range, the screen's point is not drawn.
    EXPECT_FALSE(SweepOf(base, Quantity::PillarWidth, Range(12, 20, Decimal{5, 1})).current);
}

TEST(Sweep, ABadDesignOnTheScreenGivesTheScreensMessage) {
    struct Case {
        const char* what;
        void (*change)(DesignTexts&);
    };
    const Case cases[] = {
        {"empty depth", [](DesignTexts& d) { d.depth.clear(); }},
        {"empty K", [](DesignTexts& d) { d.k.clear(); }},
        {"height not a number", [](DesignTexts& d) { d.height = QStringLiteral("abc"); }},
        {"height 0", [](DesignTexts& d) { d.height = QStringLiteral("0"); }},
        {"width 0", [](DesignTexts& d) { d.width = QStringLiteral("0"); }},
        {"thousands", [](DesignTexts& d) { d.depth = QStringLiteral("1,200"); }},
        {"strength too large",
         [](DesignTexts& d) {
             d.k = QStringLiteral("3e38");
             d.height = QStringLiteral("0.5");
         }},
    };
    const NumberLocale locale(test::English());
    for (const Case& c : cases) {
        DesignTexts d = test::TributaryDesign("4");
        c.change(d);
        const Evaluation screen = evaluation::Evaluate(d, locale);
        ASSERT_FALSE(screen.complete()) << c.what;
        const auto base = ReadDesign(d, locale, nullptr);
        ASSERT_FALSE(base.ok()) << c.what;
        EXPECT_EQ(base.refusal(), *screen.refusal) << c.what;
        EXPECT_FALSE(base.refusal().message.isEmpty()) << c.what;
    }
    DesignTexts deep = test::TributaryDesign("4");
    deep.method = Method::Interpolation;
    deep.depth = QStringLiteral("2500");
    const auto base = ReadDesign(deep, locale, &test::DefaultTable());
    ASSERT_FALSE(base.ok());
    EXPECT_EQ(base.refusal().message, QStringLiteral("Depth out of bounds"));
    EXPECT_EQ(base.refusal().title, QStringLiteral("Error Message"));
}

TEST(Sweep, PointsWithoutAResultAreLeftOutWithTheScreensReason) {
    const BaseDesign base = test::ReadBase(test::TributaryDesign("4"));
    const Curve heights = SweepOf(base, Quantity::PillarHeight, Range(-1, 1, Decimal{5, 1}));
    ASSERT_EQ(heights.points.size(), 5u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_FALSE(heights.points[i].result.complete) << i;
    EXPECT_TRUE(heights.points[3].result.complete);
    // A run of refusals is one gap, with the reason of its first point.
    ASSERT_EQ(heights.gaps.size(), 1u);
    EXPECT_EQ(heights.gaps[0].from, -1);
    EXPECT_EQ(heights.gaps[0].to, 0);
    EXPECT_EQ(heights.gaps[0].reason, *PointShown(base, heights, 0).refusal);

    DesignTexts d = test::TributaryDesign("4");
    d.method = Method::Interpolation;
    const BaseDesign interpolated = test::ReadBase(d, &test::DefaultTable());
    const Curve depths = SweepOf(interpolated, Quantity::Depth, Range(0, 2500, Decimal{50, 0}));
    ASSERT_EQ(depths.gaps.size(), 2u);
    EXPECT_EQ(depths.gaps[0].to, 50);
    EXPECT_EQ(depths.gaps[1].from, 2050);
    for (const Gap& gap : depths.gaps)
        EXPECT_EQ(gap.reason.message, QStringLiteral("Depth out of bounds"));
}

TEST(Sweep, MarksTheLowRatioSpanAndTheSquatFormulasStart) {
    // A square pillar 4 m high: W:H < 2.5 below a width of 10 m, the squat
    // formula above W:H 4.5, beyond a width of 18 m.
    const BaseDesign base = test::ReadBase(test::TributaryDesign("4"));
    const Curve widths = SweepOf(base, Quantity::PillarWidth, Range(5, 25, Decimal{5, 1}));
    ASSERT_EQ(widths.lowRatio.size(), 1u);
    EXPECT_EQ(widths.lowRatio[0].from, 5);
    EXPECT_EQ(widths.lowRatio[0].to, 9.75);
    ASSERT_EQ(widths.squatStarts.size(), 1u);
    EXPECT_EQ(widths.squatStarts[0], 18.5);
    // Against the height the squat formula holds for the low pillars: the
    // mark is at the last of them (W:H 10 / 2.2 > 4.5 >= 10 / 2.3).
    const Curve heights = SweepOf(base, Quantity::PillarHeight, Range(1, 8, Decimal{1, 1}));
    ASSERT_EQ(heights.squatStarts.size(), 1u);
    EXPECT_EQ(heights.squatStarts[0], 2.2);
    ASSERT_EQ(heights.lowRatio.size(), 1u);
    EXPECT_EQ(heights.lowRatio[0].from, 4.05);
    EXPECT_EQ(heights.lowRatio[0].to, 8);
}

TEST(Sweep, TheWidthKeepsTheScreensLengthToWidthRatio) {
    DesignTexts d = test::TributaryDesign("4");
    d.width = QStringLiteral("6");
    d.length = QStringLiteral("8");
    d.bord1 = QStringLiteral("12");
    d.bord2 = QStringLiteral("16");
    const BaseDesign base = test::ReadBase(d);
    const auto widths = Variation::Of(base, Quantity::PillarWidth);
    ASSERT_TRUE(widths.ok());
    EXPECT_EQ(widths->textsAt(Decimal{63, 1}).length, QStringLiteral("8.4"));
    EXPECT_EQ(widths->textsAt(Decimal{61, 1}).length, QStringLiteral("8.13"));
    EXPECT_EQ(widths->textsAt(Decimal{6, 0}).length, QStringLiteral("8"));
    const auto bords = Variation::Of(base, Quantity::BordWidth);
    ASSERT_TRUE(bords.ok());
    EXPECT_EQ(bords->textsAt(Decimal{9, 0}).bord2, QStringLiteral("12"));
    const auto inputs = bords->inputsAt(Decimal{9, 0});
    ASSERT_EQ(inputs.size(), 2u);
    EXPECT_EQ(inputs[1].first, evaluation::Input::BordWidth2);

    // The ratio of the bords as typed: 7.7 / 6.3 keeps its two decimals,
    // although the steps read both in single precision.
    d.bord1 = QStringLiteral("6.3");
    d.bord2 = QStringLiteral("7.7");
    const BaseDesign decimalBords = test::ReadBase(d);
    const auto typed = Variation::Of(decimalBords, Quantity::BordWidth);
    ASSERT_TRUE(typed.ok());
    EXPECT_EQ(typed->textsAt(Decimal{63, 1}).bord2, QStringLiteral("7.7"));
    EXPECT_EQ(typed->textsAt(Decimal{9, 0}).bord2, QStringLiteral("11"));
    EXPECT_EQ(CurrentValue(decimalBords, Quantity::BordWidth), 6.3);

    d.bord1 = QStringLiteral("0");
    EXPECT_FALSE(Variation::Of(test::ReadBase(d), Quantity::BordWidth).ok());

    DesignTexts square = test::TributaryDesign("4");
    square.method = Method::Interpolation;
    const BaseDesign interpolated = test::ReadBase(square, &test::DefaultTable());
    const auto w = Variation::Of(interpolated, Quantity::PillarWidth);
    EXPECT_EQ(w->textsAt(Decimal{63, 1}).length, QStringLiteral("6.3"));
    ASSERT_EQ(w->inputsAt(Decimal{63, 1}).size(), 1u); // the screen's length follows
    const auto b = Variation::Of(interpolated, Quantity::BordWidth);
    ASSERT_FALSE(b.ok());
    EXPECT_TRUE(b.refusal().message.contains(
        QStringLiteral("All the modelling was done on a 12m bord width")));
}

TEST(Sweep, TheInterpolationWidthsStayInsideTheTable) {
    DesignTexts d = test::TributaryDesign("4");
    d.method = Method::Interpolation;
    const BaseDesign base = test::ReadBase(d, &test::DefaultTable());
    const Curve curve = SweepOf(base, Quantity::PillarWidth, Range(1, 30, Decimal{1, 0}));
    EXPECT_EQ(curve.points.front().x, 4);
    EXPECT_EQ(curve.points.back().x, 18);
    EXPECT_EQ(curve.points.size(), 15u);
    ASSERT_EQ(curve.notes.size(), 1);
    EXPECT_TRUE(curve.notes[0].contains(QStringLiteral("4 m to 18 m")));
    const auto outside = Sweep(base, Quantity::PillarWidth, Range(20, 30, Decimal{1, 0}));
    ASSERT_FALSE(outside.ok());
    EXPECT_TRUE(outside.refusal().message.contains(QStringLiteral("outside the table's widths")));
}

TEST(Sweep, DefaultRangesLieAroundTheScreensValue) {
    const BaseDesign base = test::ReadBase(test::TributaryDesign("4"));
    const NumberLocale& l = base.locale;
    struct Case {
        Quantity quantity;
        const char* from;
        const char* to;
        const char* step;
    };
    const Case cases[] = {{Quantity::PillarWidth, "5", "20", "0.05"},
                          {Quantity::Depth, "250", "1000", "2"},
                          {Quantity::PillarHeight, "2", "8", "0.02"}};
    for (const Case& c : cases) {
        const GridRange r = DefaultRange(base, c.quantity);
        EXPECT_EQ(r.from.text(l), QString::fromLatin1(c.from));
        EXPECT_EQ(r.to.text(l), QString::fromLatin1(c.to));
        EXPECT_EQ(r.step.text(l), QString::fromLatin1(c.step));
        EXPECT_LE(r.count(), 501);
    }
    DesignTexts d = test::TributaryDesign("4");
    d.method = Method::Interpolation;
    const BaseDesign table = test::ReadBase(d, &test::DefaultTable());
    const GridRange widths = DefaultRange(table, Quantity::PillarWidth);
    EXPECT_EQ(widths.from.text(l), QStringLiteral("4"));
    EXPECT_EQ(widths.to.text(l), QStringLiteral("18"));
    const GridRange depths = DefaultRange(table, Quantity::Depth);
    EXPECT_EQ(depths.from.text(l), QStringLiteral("100"));
    EXPECT_EQ(depths.to.text(l), QStringLiteral("2000"));
}

TEST(Sweep, ReadsTheTypedRangeOrSaysWhatIsWrong) {
    test::ExpectRefusals(
        {
            {"5", "20", "0.1", nullptr},
            {"5,5", "20", "0,5", nullptr},
            {"x", "20", "0.1", "The start of the range is not a number"},
            {"5", "", "0.1", "The end of the range is not a number"},
            {"5", "20", "0", "The step must be above 0"},
            {"5", "20", "-1", "The step must be above 0"},
            {"20", "5", "1", "The start of the range must lie below its end"},
            {"5", "5", "1", "The start of the range must lie below its end"},
            {"5", "20", "0.0000001", "The step has more than 6 decimals"},
            {"0", "1000", "0.1", nullptr}, // drawn on a coarser step: see DrawnRange
            {"0", "1e7", "1", "The end of the range is too large"},
        },
        [](const QString& from, const QString& to, const QString& step) {
            return ReadRange(from, to, step, NumberLocale(test::English()));
        });
}

// A range of more points than are drawn is drawn from its start on a round
// multiple of its step; the count against stepping through it.
TEST(Sweep, LongRangesAreDrawnOnACoarserStep) {
    struct Case {
        const char *from, *to, *step;
        const char* drawnStep;
        std::int64_t drawnCount;
    };
    const Case cases[] = {
        {"0", "499.9", "0.1", "0.1", 5000},     {"0", "500", "0.1", "0.2", 2501},
        {"0", "1000", "0.1", "0.5", 2001},      {"0.3", "1000", "0.1", "0.2", 4999},
        {"0", "1000000", "0.001", "500", 2001}, {"-1000000", "1000000", "0.000001", "500", 4001},
    };
    const NumberLocale l(test::English());
    for (const Case& c : cases) {
        const auto typed = ReadRange(QString::fromLatin1(c.from), QString::fromLatin1(c.to),
                                     QString::fromLatin1(c.step), l);
        ASSERT_TRUE(typed.ok()) << c.from << " " << c.to;
        const GridRange drawn = DrawnRange(typed.value());
        EXPECT_EQ(drawn.step.text(l), QString::fromLatin1(c.drawnStep)) << c.to;
        EXPECT_EQ(drawn.count(), c.drawnCount) << c.to;
        EXPECT_LE(drawn.count(), kMaxSweepPoints);
        EXPECT_EQ(drawn.from, typed->from);
        // Stepping: the last point drawn is at or below the end, and one
        // more step would pass it.
        const double last = drawn.at(drawn.count() - 1).value();
        EXPECT_LE(last, typed->to.value()) << c.to;
        EXPECT_GT(last + drawn.step.value(), typed->to.value()) << c.to;
    }
}

// The caption line of an exported chart names the method and every input
// as typed, with the screen's FOS and W:H.
TEST(DesignCaption, NamesTheMethodEveryInputAndTheScreensResult) {
    DesignTexts tributary = test::TributaryDesign("4");
    DesignTexts modelled = tributary;
    modelled.method = Method::Modelled;
    modelled.stress = QStringLiteral("35.5");
    DesignTexts interpolation = tributary;
    interpolation.method = Method::Interpolation;
    interpolation.width = interpolation.length = QStringLiteral("9");
    results::ModellingResults named = test::DefaultTable();
    named.FileName = "/srv/mine/section 4.int";
    struct Case {
        BaseDesign base;
        const char* caption;
    };
    const Case cases[] = {
        {test::ReadBase(tributary),
         "Tributary theory: density 2.7 t/m³, depth 500 m, pillar 10 m x 10 m, bords 12 m and "
         "12 m, height 4 m, K 100 MPa, α 0.5, β 0.75, squat from W:H 4.5 at rate 4.5; "},
        {test::ReadBase(modelled),
         "Modelled stress: pillar stress 35.5 MPa, depth 500 m, pillar 10 m x 10 m, bords 12 m "
         "and 12 m, height 4 m, K 100 MPa, α 0.5, β 0.75, squat from W:H 4.5 at rate 4.5; "},
        {test::ReadBase(interpolation, &named),
         "Interpolation in section 4.int: depth 500 m, pillar 9 m x 9 m, "
         "bords 12 m and 12 m, height 4 m, K 100 MPa, α 0.5, β 0.75, squat from W:H 4.5 at "
         "rate 4.5; "},
    };
    for (const Case& c : cases) {
        const QString expected =
            QString::fromUtf8(c.caption) +
            QStringLiteral("FOS %1, W:H %2")
                .arg(c.base.shown.factorOfSafety, c.base.shown.widthHeightRatio);
        EXPECT_FALSE(c.base.shown.factorOfSafety.isEmpty());
        EXPECT_EQ(DesignCaption(c.base), expected);
    }
}

// What the modelled screen holds fixed is said on the curves it applies to:
// the depth takes no part, the typed stress stays at every width.
TEST(Sweep, WhatTheModelledScreenHoldsFixedIsSaid) {
    struct Case {
        Method method;
        Quantity quantity;
        const char* note; // empty: none
    };
    const Case cases[] = {
        {Method::Modelled, Quantity::Depth, "takes no part"},
        {Method::Modelled, Quantity::PillarWidth,
         "The stress stays the modelled stress typed in at every width"},
        {Method::Modelled, Quantity::PillarHeight, ""},
        {Method::Tributary, Quantity::PillarWidth, ""},
        {Method::Tributary, Quantity::Depth, ""},
    };
    for (const Case& c : cases) {
        DesignTexts d = test::TributaryDesign();
        d.method = c.method;
        if (c.method == Method::Modelled)
            d.stress = QStringLiteral("50");
        const BaseDesign base = test::ReadBase(d);
        const Curve curve = SweepOf(base, c.quantity, DefaultRange(base, c.quantity));
        const QString note = QString::fromUtf8(c.note);
        if (note.isEmpty()) {
            EXPECT_TRUE(curve.notes.isEmpty()) << curve.notes.join(u'|').toStdString();
            continue;
        }
        ASSERT_EQ(curve.notes.size(), 1);
        EXPECT_TRUE(curve.notes[0].contains(note)) << curve.notes[0].toStdString();
        if (c.quantity == Quantity::Depth) {
            for (const CurvePoint& p : curve.points)
                EXPECT_EQ(p.result.factorOfSafety, base.shown.factorOfSafetyValue);
        }
        // At every width the stress is the one typed.
        if (c.quantity == Quantity::PillarWidth) {
            for (const CurvePoint& p : curve.points) {
                if (p.result.complete) {
                    EXPECT_EQ(p.result.stress, 50.0f) << p.x;
                }
            }
        }
    }
}

// --- CSV ---

QList<QStringList> ParseCsv(const QString& csv) {
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < csv.size(); ++i) {
        const QChar c = csv[i];
        if (quoted) {
            if (c == u'"' && i + 1 < csv.size() && csv[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row << field;
            field.clear();
        } else if (c == u'\r') {
            row << field;
            rows << row;
            row.clear();
            field.clear();
            ++i; // \n
        } else {
            field += c;
        }
    }
    return rows;
}

TEST(CurveCsv, HoldsEveryInputAndEveryShownResultOfEveryPoint) {
    const NumberLocale german(test::German());
    DesignTexts d = test::TributaryDesign("4");
    d.width = QStringLiteral("10,2");
    d.length = QStringLiteral("10,2");
    const BaseDesign base = test::ReadBase(d, nullptr, german);
    const Curve curve = SweepOf(base, Quantity::PillarHeight, Range(-1, 8, Decimal{5, 1}));
    const QList<QStringList> rows = ParseCsv(CurveCsv(base, curve));
    ASSERT_EQ(rows.size(), static_cast<qsizetype>(curve.points.size()) + 1);
    const QStringList& header = rows[0];
    const auto column = [&](const char* name) { return header.indexOf(QString::fromUtf8(name)); };
    for (const char* name :
         {"Method", "Rock Rel. Density", "Depth (m)", "Pillar width (m)", "Pillar length (m)",
          "Bord width 1 (m)", "K (MPa)", "Pillar height (m)", "α", "β", "Start squat pillar",
          "Strength incr. rate", "% Extraction", "Pillar stress (MPa)", "W:H-ratio",
          "Pillar strength (MPa)", "FOS", "No result because"})
        EXPECT_GE(column(name), 0) << name;
    for (std::size_t i = 0; i < curve.points.size(); ++i) {
        const QStringList& row = rows[static_cast<qsizetype>(i) + 1];
        ASSERT_EQ(row.size(), header.size());
        const Evaluation shown = PointShown(base, curve, i);
        const DesignTexts texts = PointTexts(base, curve, i);
        EXPECT_EQ(row[column("Pillar height (m)")], texts.height);
        EXPECT_EQ(row[column("Pillar width (m)")], QStringLiteral("10,2"));
        EXPECT_EQ(row[column("FOS")], shown.factorOfSafety);
        EXPECT_EQ(row[column("W:H-ratio")], shown.widthHeightRatio);
        EXPECT_EQ(row[column("Pillar stress (MPa)")], shown.stress);
        EXPECT_EQ(row[column("No result because")],
                  shown.refusal ? shown.refusal->message : QString());
    }
    EXPECT_EQ(rows[static_cast<qsizetype>(*curve.current) + 1][column("FOS")],
              base.shown.factorOfSafety);
    EXPECT_FALSE(rows[1][column("No result because")].isEmpty()); // height -1
}

} // namespace
} // namespace vt::design
