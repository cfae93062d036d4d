// The inverse solve's answers in words: the value found and what the screen
// shows there, its failing neighbour and why it fails, passing values cut off
// from the answer by failing ones, or why no value answers the question.
#pragma once

#include "design/solve.h"
#include "design/solvesearch.h"

#include <QString>

namespace vt::design {

// An answer found: the value, what the screen shows there, the neighbour on
// the failing side (or that the answer is the end of the range searched) and
// any passing values cut off from it.
QString DescribeFound(const Answer& a, const SolveSettings& s, const BaseDesign& base);

// Some values pass, but the one at the safe end of the range (`end`) fails,
// so no value passes together with every value beyond it.
QString DescribeCutOffOnly(const Answer& a, const Trial& end, const GridRange& range,
                           const SolveSettings& s, const BaseDesign& base);

// No value passes: nothing gives a result, the W:H stays too small, or the
// FOS peaks below the target.
QString DescribeNone(const Answer& a, const Peak& peak, const Variation& v, const GridRange& range,
                     const SolveSettings& s);

// "10.1 m passes too, but 10.2–10.3 m do not" (without "too" when there is
// no answer).
QString CutOffText(const CutOffPasses& cut, bool answered, const evaluation::NumberLocale& locale);

// The value tried at index k of the range and what the screen shows there.
Trial TrialAt(const Variation& v, const GridRange& range, std::int64_t k);

} // namespace vt::design
