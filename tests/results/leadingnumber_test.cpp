// The leading-number rule of the modelling-results file and the
// interpolation inputs.
#include "results/core/modellingfile.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>

namespace {

using vt::results::ParseLeadingNumber;

struct NumberCase {
    const char* text;
    double expected;
};

class LeadingNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(LeadingNumber, ReadsTheLeadingNumber) {
    const NumberCase& c = GetParam();
    EXPECT_EQ(ParseLeadingNumber(c.text), c.expected) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumber,
    ::testing::Values(NumberCase{"12.5", 12.5}, NumberCase{"12,5", 12}, NumberCase{"1 000", 1000},
                      NumberCase{"  42  ", 42}, NumberCase{"1\n2", 12}, NumberCase{"1.5E3", 1500},
                      NumberCase{"1.5e-1", 0.15}, NumberCase{"2.5D2", 250}, NumberCase{"1E", 1},
                      NumberCase{"1E+", 1}, NumberCase{"3E x", 3}, NumberCase{"-7.25", -7.25},
                      NumberCase{"+7", 7}, NumberCase{"- 3 . 5 e 1", -35}, NumberCase{"-.5", -0.5},
                      NumberCase{".", 0}, NumberCase{"-", 0}, NumberCase{"", 0},
                      NumberCase{"abc", 0}, NumberCase{"12abc", 12}, NumberCase{"1.2.3", 1.2},
                      NumberCase{"--5", 0}, NumberCase{"&HFF", 255}, NumberCase{"&h1f", 31},
                      NumberCase{"&O17", 15}, NumberCase{"&O19", 1}, NumberCase{"&X1", 0},
                      NumberCase{"0.1", 0.1}, NumberCase{"000123.4500", 123.45},
                      NumberCase{"0.000000000000000000000001e24", 1}, NumberCase{"1e-999", 0},
                      NumberCase{"-1", -1}, NumberCase{"inf", 0}, NumberCase{"nan", 0},
                      NumberCase{"1.7976931348623157e308", 1.7976931348623157e308},
                      NumberCase{"4.9406564584124654e-324", 4.9406564584124654e-324},
                      NumberCase{"5.", 5}, NumberCase{"3\r4", 3}, NumberCase{"0x1A", 0},
                      NumberCase{"12.5\t7", 12.57}, NumberCase{"7-3", 7},
                      NumberCase{"-0.25", -0.25}, NumberCase{"1.5d", 1.5}, NumberCase{"2.5 e1", 25},
                      NumberCase{"2.5.", 2.5}));

TEST(LeadingNumberLimits, TooLargeReadsAsInfinityAndIsLeftToTheCaller) {
    EXPECT_EQ(ParseLeadingNumber("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseLeadingNumber("-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseLeadingNumber("1e99999999999999999999999"),
              std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseLeadingNumber("1e-99999999999999999999999"), 0);
}

TEST(LeadingNumberLimits, LongMantissasRoundCorrectly) {
    // 0.1 written with 1000 more zeros and a trailing digit still reads as 0.1;
    // a long run of digits reads as the nearest double.
    std::string text = "0.1" + std::string(1000, '0') + "1";
    EXPECT_EQ(ParseLeadingNumber(text), 0.1);
    EXPECT_EQ(ParseLeadingNumber(std::string(400, '9')), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseLeadingNumber("1" + std::string(300, '0')), 1e300);
}

} // namespace

namespace {

// Random doubles written in their shortest form, fixed and scientific, with
// blanks, tabs and line feeds strewn between the characters and trailing text
// after them: each reads back to the same bits.
TEST(LeadingNumberRoundTrip, ShortestTextsReadBackExactly) {
    std::mt19937_64 random(2026);
    std::uniform_int_distribution<std::uint64_t> bits;
    std::uniform_int_distribution<int> coin(0, 9);
    const char ignored[] = {' ', '\t', '\n'};
    int checked = 0;
    while (checked < 20000) {
        const double value = std::bit_cast<double>(bits(random));
        if (!std::isfinite(value))
            continue;
        char buffer[64];
        const auto format =
            coin(random) < 5 ? std::chars_format::scientific : std::chars_format::general;
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, format);
        ASSERT_EQ(ec, std::errc());
        std::string text;
        for (const char* p = buffer; p != end; ++p) {
            if (coin(random) == 0)
                text.push_back(ignored[coin(random) % 3]);
            text.push_back(*p);
        }
        text += coin(random) < 5 ? "\tnext field" : "";
        EXPECT_EQ(std::bit_cast<std::uint64_t>(vt::results::ParseLeadingNumber(text)),
                  std::bit_cast<std::uint64_t>(value))
            << text;
        ++checked;
    }
}

// Plain fields are read in place, everything else by gathering the number's
// characters: a blank in front forces the gathering and must change nothing.
TEST(LeadingNumberRoundTrip, PlainFieldsReadAsWhenGathered) {
    std::mt19937_64 random(16);
    const std::string alphabet = "0123456789012345678901234567890123456789..--+eEdD \t\r\nx&H";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 14);
    for (int i = 0; i < 200000; ++i) {
        std::string text;
        for (int n = length(random); n > 0; --n)
            text.push_back(alphabet[pick(random)]);
        const double direct = ParseLeadingNumber(text);
        const double gathered = ParseLeadingNumber(" " + text);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(direct), std::bit_cast<std::uint64_t>(gathered))
            << '"' << text << '"';
    }
    // Long digit runs: out of range either way.
    for (const std::string& text : {std::string(400, '9'), "0." + std::string(400, '0') + "1",
                                    "-" + std::string(320, '7') + ".5"})
        EXPECT_EQ(std::bit_cast<std::uint64_t>(ParseLeadingNumber(text)),
                  std::bit_cast<std::uint64_t>(ParseLeadingNumber(" " + text)))
            << text;
}

TEST(LeadingNumberRoundTrip, RadixIntegers) {
    EXPECT_EQ(ParseLeadingNumber("&H 7FFFFFFFFFFFFFFF"), 9223372036854775807.0);
    EXPECT_EQ(ParseLeadingNumber("&HFFFFFFFFFFFFFFFFFFFF"), 1208925819614629174706175.0);
    EXPECT_EQ(ParseLeadingNumber("&O777 1"), 4089);
    EXPECT_EQ(ParseLeadingNumber("&H"), 0);
    EXPECT_EQ(ParseLeadingNumber("&"), 0);
}

} // namespace
