// Typed numbers and shown results under a point-decimal and a comma-decimal
// locale.
#include "evaluation/numbers.h"
#include "tests/support/locale.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <string>

namespace vt::evaluation {
namespace {

using test::English;
using test::German;

template <class T> std::optional<T> Value(const Reading<T>& reading) {
    return reading ? std::optional<T>(reading.value) : std::nullopt;
}

std::optional<float> Single(const char* text, const QLocale& locale) {
    return Value(ReadSingle(QString::fromUtf8(text), NumberLocale(locale)));
}
std::optional<double> Double(const char* text, const QLocale& locale) {
    return Value(ReadDouble(QString::fromUtf8(text), NumberLocale(locale)));
}

struct ReadCase {
    const char* text;
    std::optional<float> value;
};

// The same answers in every locale: a point and a comma both mark decimals.
const ReadCase kReadCases[] = {
    {"2.75", 2.75f},
    {"2,75", 2.75f},
    {" 12 ", 12.0f},
    {"+3", 3.0f},
    {"-3.5", -3.5f},
    {"0.46", 0.46f},
    {".5", 0.5f},
    {"1e2", 100.0f},
    {"abc", std::nullopt},
    {"-", std::nullopt},
    {"+", std::nullopt},
    {".", std::nullopt},
    {"5a", std::nullopt},
    {"1e999", std::nullopt},
    {"1e39", std::nullopt}, // beyond single precision
    {"inf", std::nullopt},
    {"-inf", std::nullopt},
    {"nan", std::nullopt},
    {"", std::nullopt},
    {"   ", std::nullopt},
    {"1,234.5", std::nullopt},
    {"1.234,5", std::nullopt},
    {"1 2", std::nullopt},
    {"0x10", std::nullopt},
    {"+-3", std::nullopt},
    {"--3", std::nullopt},
    {"3-", std::nullopt},
};

TEST(ReadSingle, TheSameInEnglishAndGerman) {
    for (const QLocale& locale : {English(), German()})
        for (const ReadCase& c : kReadCases)
            EXPECT_EQ(Single(c.text, locale), c.value)
                << locale.name().toStdString() << ": \"" << c.text << "\"";
}

// A thousands separator of the locale followed by exactly three digits is
// ambiguous (a depth of "1,200" m in English) and is refused, not guessed.
TEST(ReadSingle, RefusesWhatLooksLikeAThousandsGroup) {
    struct Case {
        QLocale locale;
        const char* text;
        std::optional<float> value;
    };
    const Case cases[] = {
        {English(), "1,200", std::nullopt},  {English(), "1,20", 1.2f},
        {English(), "1.200", 1.2f},          {English(), "12,5", 12.5f},
        {English(), ",500", 0.5f},           {German(), "1.200", std::nullopt},
        {German(), "1,200", 1.2f},           {German(), "2.75", 2.75f},
        {German(), "0.46", 0.46f},           {German(), "-1.000", std::nullopt},
        {English(), "-1,000", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Single(c.text, c.locale), c.value)
            << c.locale.name().toStdString() << ": \"" << c.text << "\"";
}

// Each refusal says why, so that the message can.
TEST(ReadSingle, SaysWhyATextGivesNoNumber) {
    struct Case {
        const char* text;
        NumberProblem problem;
    };
    const Case cases[] = {
        {"12", NumberProblem::None},
        {"abc", NumberProblem::NotANumber},
        {"", NumberProblem::NotANumber},
        {"nan", NumberProblem::NotANumber},
        {"inf", NumberProblem::NotANumber},
        {"1e", NumberProblem::NotANumber},
        {"1e999", NumberProblem::TooLarge},
        {"-1e999", NumberProblem::TooLarge},
        {"1e39", NumberProblem::TooLarge},
        {"-4e38", NumberProblem::TooLarge},
        {"1e-50", NumberProblem::TooSmall},
        {"-1e-400", NumberProblem::TooSmall},
        {"1,200", NumberProblem::LooksLikeThousands},
        {"1e-40", NumberProblem::None}, // held, if not exactly
    };
    const NumberLocale english(English());
    for (const Case& c : cases)
        EXPECT_EQ(ReadSingle(QString::fromUtf8(c.text), english).problem, c.problem)
            << '"' << c.text << '"';
    EXPECT_EQ(ReadDouble(QStringLiteral("1e39"), english).problem, NumberProblem::None);
    EXPECT_EQ(ReadDouble(QStringLiteral("1e999"), english).problem, NumberProblem::TooLarge);
    EXPECT_EQ(ReadDouble(QStringLiteral("1e-400"), english).problem, NumberProblem::TooSmall);
}

TEST(ReadDouble, KeepsDoublePrecisionAndRange) {
    EXPECT_EQ(Double("6,857", German()), 6.857);
    EXPECT_EQ(Double("2.45", German()), 2.45);
    EXPECT_EQ(Double("1e39", German()), 1e39);
    EXPECT_EQ(Double("1e999", German()), std::nullopt);
    EXPECT_EQ(Double("nan", German()), std::nullopt);
    EXPECT_EQ(Double("-", German()), std::nullopt);
}

// A float is read as QLocale reads one: the double, then narrowed. The fast
// road for plain decimals gives exactly what QLocale's conversion gives.
TEST(ReadSingle, PlainDecimalsReadAsQLocaleReadsThem) {
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> digits(0, 9);
    std::uniform_int_distribution<int> length(1, 12);
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    const NumberLocale point(English());
    for (int i = 0; i < 5000; ++i) {
        QString text;
        const int whole = length(random);
        for (int d = 0; d < whole; ++d)
            text += QChar(u'0' + digits(random));
        if (i % 2 == 0) {
            text += QLatin1Char('.');
            const int fraction = length(random);
            for (int d = 0; d < fraction; ++d)
                text += QChar(u'0' + digits(random));
        }
        bool ok = false;
        const float expected = c.toFloat(text, &ok);
        ASSERT_TRUE(ok) << text.toStdString();
        const Reading<float> read = ReadSingle(text, point);
        ASSERT_TRUE(read.ok()) << text.toStdString();
        EXPECT_EQ(read.value, expected) << text.toStdString();
    }
}

TEST(ShowResult, UsesTheLocaleSeparator) {
    const NumberLocale german(German());
    EXPECT_EQ(ShowResult(79.338844f, 1, german), QStringLiteral("79,3"));
    EXPECT_EQ(ShowResult(6.857, 1, german), QStringLiteral("6,9"));
    EXPECT_EQ(ShowResult(70.0f, 1, german), QStringLiteral("70"));
    EXPECT_EQ(ShowResult(std::nanf(""), 1, german), QString());
    const NumberLocale english(English());
    EXPECT_EQ(ShowResult(79.338844f, 1, english), QStringLiteral("79.3"));
    EXPECT_EQ(ShowResult(64.0985413f, 2, english), QStringLiteral("64.1"));
    EXPECT_EQ(ShowResult(64.0985413f, 2, NumberLocale::Point()), QStringLiteral("64.1"));
}

// A shown result read back gives the value a later step works with.
TEST(ShowResult, ReadsBackUnderGerman) {
    const NumberLocale german(German());
    EXPECT_EQ(Value(ReadDouble(ShowResult(6.857, 1, german), german)), 6.9);
    EXPECT_EQ(Value(ReadSingle(ShowResult(43.3299980f, 2, german), german)), 43.33f);
}

// Random values shown with the shortest text read back to the same bits.
TEST(ShowShortest, ReadsBackToTheSameDouble) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> values(-1e6, 1e6);
    for (const QLocale& locale : {English(), German()}) {
        const NumberLocale numbers(locale);
        for (int i = 0; i < 2000; ++i) {
            const double value = values(random);
            const Reading<double> back = ReadDouble(ShowShortest(value, numbers), numbers);
            ASSERT_TRUE(back.ok());
            EXPECT_EQ(back.value, value);
        }
    }
}

// The leading-number rule of the interpolation inputs, with the locale's own
// decimal separator read as the point.
TEST(ReadLeadingNumber, ReadsTheLocaleSeparatorAsThePoint) {
    struct Case {
        QLocale locale;
        const char* text;
        double value;
    };
    const Case cases[] = {
        {English(), "6.5", 6.5},    {English(), "6,5", 6},    {English(), "150 m", 150},
        {English(), "", 0},         {German(), "6,5", 6.5},   {German(), "175,5", 175.5},
        {German(), "6.5", 6.5},     {German(), "150 m", 150}, {German(), "x", 0},
        {QLocale::c(), "12,5", 12},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadLeadingNumber(QString::fromUtf8(c.text), NumberLocale(c.locale)), c.value)
            << c.locale.name().toStdString() << ": \"" << c.text << "\"";
}

TEST(NumberLocale, PointReadsOnlyAPointWhateverTheUsersLocale) {
    const test::LocaleScope german(German());
    const NumberLocale point = NumberLocale::Point();
    EXPECT_EQ(point.decimalPoint(), QStringLiteral("."));
    EXPECT_EQ(Value(ReadSingle(QStringLiteral("2.75"), point)), 2.75f);
    EXPECT_EQ(Value(ReadSingle(QStringLiteral("2,75"), point)), std::nullopt);
    EXPECT_EQ(Value(ReadSingle(QStringLiteral("1,200"), point)), std::nullopt);
    EXPECT_EQ(NumberLocale::Current().decimalPoint(), QStringLiteral(","));
}

} // namespace
} // namespace vt::evaluation
