// Decimals: their texts and numbers agree, and grids step exactly.
#include "design/decimal.h"
#include "tests/support/locale.h"

#include <gtest/gtest.h>

namespace vt::design {
namespace {

const evaluation::NumberLocale kPoint(test::English());
const evaluation::NumberLocale kComma(test::German());

TEST(Decimal, TextHasNoTrailingZerosAndTheLocalesPoint) {
    struct Case {
        Decimal value;
        const char* point;
        const char* comma;
    };
    const Case cases[] = {
        {{63, 1}, "6.3", "6,3"},       {{630, 2}, "6.3", "6,3"},
        {{100, 1}, "10", "10"},        {{5, 2}, "0.05", "0,05"},
        {{-25, 1}, "-2.5", "-2,5"},    {{0, 3}, "0", "0"},
        {{-5, 3}, "-0.005", "-0,005"}, {{123456, 6}, "0.123456", "0,123456"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.value.text(kPoint), QString::fromLatin1(c.point));
        EXPECT_EQ(c.value.text(kComma), QString::fromLatin1(c.comma));
    }
}

TEST(Decimal, ValueIsWhatReadingTheTextGives) {
    for (int decimals = 0; decimals <= kMaxDecimals; ++decimals)
        for (std::int64_t units = -2000; units <= 2000; units += 7) {
            const Decimal d{units * 13, decimals};
            const auto read = evaluation::ReadDouble(d.text(kPoint), kPoint);
            ASSERT_TRUE(read.ok());
            EXPECT_EQ(read.value, d.value()) << d.text(kPoint).toStdString();
            EXPECT_EQ(evaluation::ReadDouble(d.text(kComma), kComma).value, d.value());
        }
}

TEST(Decimal, GridsStepAndCountExactly) {
    const Decimal from{4, 0};
    const Decimal step{1, 1};
    EXPECT_EQ(Add(from, step, 23).text(kPoint), QStringLiteral("6.3"));
    EXPECT_EQ(StepsBetween(from, Decimal{18, 0}, step), 140);
    EXPECT_EQ(StepsBetween(from, Decimal{41, 1}, Decimal{25, 2}), 0);
    EXPECT_EQ(StepsBetween(Decimal{5, 0}, from, step), -1);
    EXPECT_TRUE((Decimal{630, 2} == Decimal{63, 1}));
    EXPECT_TRUE((Decimal{62, 1} < Decimal{630, 2}));
}

TEST(Decimal, ReadsPlainDecimalsOnly) {
    EXPECT_EQ(ReadDecimal(QStringLiteral("0.1"), kPoint)->units, 1);
    EXPECT_EQ(ReadDecimal(QStringLiteral("0,25"), kComma)->decimals, 2);
    EXPECT_EQ(ReadDecimal(QStringLiteral("12"), kPoint)->decimals, 0);
    EXPECT_FALSE(ReadDecimal(QStringLiteral("0.1234567"), kPoint));
    EXPECT_FALSE(ReadDecimal(QStringLiteral("abc"), kPoint));
    EXPECT_FALSE(ReadDecimal(QString(), kPoint));
}

TEST(Decimal, RoundsOntoAStep) {
    const Decimal step{5, 2};
    EXPECT_EQ(FloorToStep(6.33, step)->text(kPoint), QStringLiteral("6.3"));
    EXPECT_EQ(CeilToStep(6.33, step)->text(kPoint), QStringLiteral("6.35"));
    EXPECT_EQ(CeilToStep(4.0, Decimal{1, 1})->text(kPoint), QStringLiteral("4"));
    EXPECT_EQ(FloorToStep(18.0, Decimal{1, 1})->text(kPoint), QStringLiteral("18"));
    EXPECT_EQ(DecimalsOf(8.125), 3);
    EXPECT_EQ(DecimalsOf(1.0 / 3.0), kMaxDecimals);
}

} // namespace
} // namespace vt::design
