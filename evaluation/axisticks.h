// The ticks of every chart axis the program draws (the design charts and the
// probability histogram): values on a round step, 1, 2, 2.5 or 5 times a
// power of ten, and their labels written by the one rule that shows every
// number (ShowResult), with as many decimals as the step needs to show each
// tick exactly: 0.25 reads "0.25", never "0.2".
#pragma once

#include "evaluation/numbers.h"

#include <QStringList>
#include <vector>

namespace vt::evaluation {

// A round step and the decimals that write each multiple of it exactly.
struct RoundStep {
    double value = 0; // mantissa x 10^exponent
    int decimals = 0;
    double mantissa = 0; // 1, 2, 2.5 or 5
    int exponent = 0;
};

// The smallest round step not below `rough`; none (value 0) for a rough step
// that is not above 0 and finite, or too small or large to be written.
RoundStep RoundStepAtLeast(double rough);

struct AxisTicks {
    RoundStep step;
    std::vector<double> values; // ascending, every multiple of the step in the range
    QStringList texts;          // one label a value
};

// Ticks on the round step nearest above a `count`th of the range, from low to
// high (both ends included where they fall on the step). A range of zero
// width, a reversed or non-finite one, or one too narrow for its magnitude to
// tell its ticks apart gives none.
AxisTicks RoundTicks(double low, double high, int count, const NumberLocale& locale);

} // namespace vt::evaluation
