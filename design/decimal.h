// Decimal numbers held exactly, units x 10^-decimals: the values the design
// tools step through. A grid value's text and its number always agree: the
// number is the one the steps read from the text.
#pragma once

#include "evaluation/numbers.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace vt::design {

inline constexpr int kMaxDecimals = 6;

struct Decimal {
    std::int64_t units = 0;
    int decimals = 0; // 0 .. kMaxDecimals

    // The double nearest to the decimal: what reading its text gives.
    double value() const;
    // The plain text without trailing zeros, with the locale's decimal point.
    QString text(const evaluation::NumberLocale& locale) const;
    // The same value with `decimals` decimals (at least as many as it has).
    Decimal withDecimals(int decimals) const;
};

// The largest number of units a decimal may hold, so that every step of a
// grid stays exact in a double.
inline constexpr std::int64_t kMaxUnits = 1'000'000'000'000'000;

// Compares values (not texts): 6.30 == 6.3.
int Compare(const Decimal& a, const Decimal& b);
inline bool operator==(const Decimal& a, const Decimal& b) {
    return Compare(a, b) == 0;
}
inline bool operator<(const Decimal& a, const Decimal& b) {
    return Compare(a, b) < 0;
}
inline bool operator<=(const Decimal& a, const Decimal& b) {
    return Compare(a, b) <= 0;
}

// a + n x step, with the decimals of the finer of the two.
Decimal Add(const Decimal& a, const Decimal& step, std::int64_t n);
// How many whole steps from `from` stay at or below `to` (-1 when to < from).
std::int64_t StepsBetween(const Decimal& from, const Decimal& to, const Decimal& step);

// The value rounded to `decimals` decimals, ties to even; none when it does
// not fit.
std::optional<Decimal> RoundToDecimal(double value, int decimals);
// The value rounded down or up onto the grid of `step` (a multiple of it).
std::optional<Decimal> FloorToStep(double value, const Decimal& step);
std::optional<Decimal> CeilToStep(double value, const Decimal& step);
// The decimal that the number is exactly, with the fewest decimals, when it
// has at most kMaxDecimals.
std::optional<Decimal> ExactDecimal(double value);
// The fewest decimals (0 .. kMaxDecimals) that hold the value; kMaxDecimals
// when none does.
int DecimalsOf(double value);

// A text the screens read as a number that is a decimal of at most
// kMaxDecimals decimals; none for anything else.
std::optional<Decimal> ReadDecimal(QStringView text, const evaluation::NumberLocale& locale);

} // namespace vt::design
