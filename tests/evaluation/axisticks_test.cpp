// The one tick rule of every chart axis: round steps, and labels that show
// each tick exactly in the user's decimal separator.
#include "evaluation/axisticks.h"
#include "tests/support/locale.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace vt::evaluation {
namespace {

QStringList Texts(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* t : texts)
        list << QString::fromLatin1(t);
    return list;
}

// "25" followed by `zeros` zeros, and so on.
QString Digits(const char* lead, int zeros) {
    return QString::fromLatin1(lead) + QString(zeros, QLatin1Char('0'));
}

TEST(RoundTicks, LabelsShowEveryTickExactly) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double low, high;
        int count;
        QLocale locale;
        QStringList texts;
    };
    const QLocale en = test::English();
    const QLocale de = test::German();
    const Case cases[] = {
        // Steps 1, 2, 2.5 and 5 x 10^k.
        {0, 5, 5, en, Texts({"0", "1", "2", "3", "4", "5"})},
        {0, 10, 5, en, Texts({"0", "2", "4", "6", "8", "10"})},
        {0, 20, 5, en, Texts({"0", "5", "10", "15", "20"})},
        {0, 1.5, 6, en, Texts({"0", "0.25", "0.5", "0.75", "1", "1.25", "1.5"})},
        {0.2, 1.4, 5, en, Texts({"0.25", "0.5", "0.75", "1", "1.25"})},
        {0, 10, 4, en, Texts({"0", "2.5", "5", "7.5", "10"})},
        {0, 0.1, 4, en, Texts({"0", "0.025", "0.05", "0.075", "0.1"})},
        {0, 100, 4, en, Texts({"0", "25", "50", "75", "100"})},
        {0, 3, 8, en, Texts({"0", "0.5", "1", "1.5", "2", "2.5", "3"})},
        {0, 0.48, 5, en, Texts({"0", "0.1", "0.2", "0.3", "0.4"})},
        // Negative ranges, with 0 written as "0".
        {-0.75, 2.25, 8, en, Texts({"-0.5", "0", "0.5", "1", "1.5", "2"})},
        {-1, -0.25, 3, en, Texts({"-1", "-0.75", "-0.5", "-0.25"})},
        {-1e-9, 1e-9, 2, en, Texts({"-0.000000001", "0", "0.000000001"})},
        // The user's decimal separator.
        {0, 1.5, 6, de, Texts({"0", "0,25", "0,5", "0,75", "1", "1,25", "1,5"})},
        // Tiny and huge ranges.
        {0, 1e-12, 4, en,
         Texts({"0", "0.00000000000025", "0.0000000000005", "0.00000000000075", "0.000000000001"})},
        {1, 1.000001, 4, en, Texts({"1", "1.00000025", "1.0000005", "1.00000075", "1.000001"})},
        {0,
         1e12,
         5,
         en,
         {QStringLiteral("0"), Digits("2", 11), Digits("4", 11), Digits("6", 11), Digits("8", 11),
          Digits("1", 12)}},
        {0,
         1e21,
         4,
         en,
         {QStringLiteral("0"), Digits("25", 19), Digits("5", 20), Digits("75", 19),
          Digits("1", 21)}},
        // Nothing to mark: zero width, reversed, not finite, or too narrow
        // for its magnitude to tell the ticks apart.
        {1, 1, 5, en, {}},
        {2, 1, 5, en, {}},
        {0, kNaN, 5, en, {}},
        {0, std::numeric_limits<double>::infinity(), 5, en, {}},
        {-std::numeric_limits<double>::max(), std::numeric_limits<double>::max(), 5, en, {}},
        {1e6, 1e6 + 1e-9, 5, en, {}},
        {0, 1e-30, 5, en, {}},
        {0, 1, 0, en, {}},
    };
    for (const Case& c : cases) {
        const NumberLocale locale(c.locale);
        const AxisTicks ticks = RoundTicks(c.low, c.high, c.count, locale);
        const std::string where = std::to_string(c.low) + " to " + std::to_string(c.high) + " " +
                                  c.locale.name().toStdString();
        EXPECT_EQ(ticks.texts, c.texts) << where;
        ASSERT_EQ(ticks.values.size(), static_cast<std::size_t>(ticks.texts.size())) << where;
        for (std::size_t i = 0; i < ticks.values.size(); ++i) {
            // Each label reads back as its tick, and the ticks lie in the
            // range one step apart.
            const Reading<double> read = ReadDouble(ticks.texts[static_cast<qsizetype>(i)], locale);
            ASSERT_TRUE(read.ok()) << where;
            EXPECT_EQ(read.value, ticks.values[i]) << where << " " << i;
            EXPECT_GE(ticks.values[i], c.low) << where;
            EXPECT_LE(ticks.values[i], c.high) << where;
            if (i > 0) {
                EXPECT_NEAR(ticks.values[i] - ticks.values[i - 1], ticks.step.value,
                            ticks.step.value * 1e-9)
                    << where;
            }
        }
    }
}

// Beyond the exact integers of a double the labels show the ticks' own
// values, still one per tick and each reading back to it.
TEST(RoundTicks, HugeRangesStillGiveOneLabelPerTick) {
    const NumberLocale locale(test::English());
    const AxisTicks ticks = RoundTicks(0, 1e300, 4, locale);
    ASSERT_EQ(ticks.values.size(), 5u);
    EXPECT_EQ(ticks.values.back(), 1e300);
    for (std::size_t i = 0; i < ticks.values.size(); ++i)
        EXPECT_EQ(ReadDouble(ticks.texts[static_cast<qsizetype>(i)], locale).value,
                  ticks.values[i]);
}

TEST(RoundTicks, StepIsTheSmallestRoundStepNotBelowTheRoughOne) {
    struct Case {
        double rough;
        double step;
        int decimals;
    };
    const Case cases[] = {
        {0.3, 0.5, 1},        {0.25, 0.25, 2},
        {0.21, 0.25, 2},      {1, 1, 0},
        {1.0000001, 2, 0},    {2.4, 2.5, 1},
        {7, 10, 0},           {30, 50, 0},
        {0.001, 0.001, 3},    {240, 250, 0},
        {0.00011, 0.0002, 4}, {0, 0, 0},
        {-1, 0, 0},           {std::numeric_limits<double>::infinity(), 0, 0},
        {1e-25, 0, 0},        {1e308, 1e308, 0},
        {1.5e308, 0, 0},
    };
    for (const Case& c : cases) {
        const RoundStep step = RoundStepAtLeast(c.rough);
        EXPECT_EQ(step.value, c.step) << c.rough;
        EXPECT_EQ(step.decimals, c.decimals) << c.rough;
    }
}

} // namespace
} // namespace vt::evaluation
