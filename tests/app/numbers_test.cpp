// Typed numbers and shown results under a point-decimal and a comma-decimal
// locale.
#include "app/numbers.h"
#include "tests/support/programtest.h"

#include <QLocale>
#include <cmath>
#include <gtest/gtest.h>
#include <optional>

namespace vt {
namespace {

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

void ExpectReadings(const char* localeName) {
    for (const ReadCase& c : kReadCases) {
        const auto value = ReadSingle(QString::fromUtf8(c.text));
        EXPECT_EQ(value, c.value) << localeName << ": \"" << c.text << "\"";
    }
}

TEST(ReadSingle, EnglishLocale) {
    test::LocaleScope english(QLocale(QLocale::English, QLocale::UnitedStates));
    ExpectReadings("English");
}

TEST(ReadSingle, GermanLocale) {
    test::LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    ExpectReadings("German");
}

// A thousands separator of the locale followed by exactly three digits is
// ambiguous (a depth of "1,200" m in English) and is refused, not guessed.
TEST(ReadSingle, RefusesWhatLooksLikeAThousandsGroup) {
    struct Case {
        QLocale locale;
        const char* text;
        std::optional<float> value;
    };
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    const Case cases[] = {
        {english, "1,200", std::nullopt},  {english, "1,20", 1.2f},
        {english, "1.200", 1.2f},          {english, "12,5", 12.5f},
        {english, ",500", 0.5f},           {german, "1.200", std::nullopt},
        {german, "1,200", 1.2f},           {german, "2.75", 2.75f},
        {german, "0.46", 0.46f},           {german, "-1.000", std::nullopt},
        {english, "-1,000", std::nullopt},
    };
    for (const Case& c : cases) {
        test::LocaleScope scope(c.locale);
        EXPECT_EQ(ReadSingle(QString::fromUtf8(c.text)), c.value)
            << c.locale.name().toStdString() << ": \"" << c.text << "\"";
    }
}

TEST(ReadDouble, KeepsDoublePrecisionAndRange) {
    test::LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(ReadDouble(QStringLiteral("6,857")), 6.857);
    EXPECT_EQ(ReadDouble(QStringLiteral("2.45")), 2.45);
    EXPECT_EQ(ReadDouble(QStringLiteral("1e39")), 1e39);
    EXPECT_EQ(ReadDouble(QStringLiteral("1e999")), std::nullopt);
    EXPECT_EQ(ReadDouble(QStringLiteral("nan")), std::nullopt);
    EXPECT_EQ(ReadDouble(QStringLiteral("-")), std::nullopt);
}

TEST(ShowResult, UsesTheLocaleSeparator) {
    {
        test::LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
        EXPECT_EQ(ShowResult(79.338844f, 1), QStringLiteral("79,3"));
        EXPECT_EQ(ShowResult(6.857, 1), QStringLiteral("6,9"));
        EXPECT_EQ(ShowResult(70.0f, 1), QStringLiteral("70"));
        EXPECT_EQ(ShowResult(std::nanf(""), 1), QString());
    }
    test::LocaleScope english(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(ShowResult(79.338844f, 1), QStringLiteral("79.3"));
    EXPECT_EQ(ShowResult(64.0985413f, 2), QStringLiteral("64.1"));
}

// A shown result read back gives the value a later step works with.
TEST(ShowResult, ReadsBackUnderGerman) {
    test::LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(ReadDouble(ShowResult(6.857, 1)), 6.9);
    EXPECT_EQ(ReadSingle(ShowResult(43.3299980f, 2)), 43.33f);
}

} // namespace
} // namespace vt
