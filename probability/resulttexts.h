// The probability window's results as texts: what a run's result shows in
// each label, in the user's locale. The FOS figures (mean, standard
// deviation and the quantiles) all show two decimals, as the screens show an
// FOS.
#pragma once

#include "evaluation/numbers.h"
#include "probability/core/montecarlo.h"

#include <QString>
#include <QStringList>
#include <cstdint>

namespace vt::probability {

struct ResultTexts {
    // P(FOS < 1), P(FOS < 1.6), mean, standard deviation, 5 % quantile,
    // median, share with a low W:H, share on the squat formula; empty when
    // no sample gave a finite FOS.
    QStringList values;
    QString samples;       // "n of m samples gave a finite FOS (seed s)"
    QString withoutResult; // a line per reason samples gave no FOS
};

inline constexpr int kFosDecimals = 2;

// The captions of the values, in their order.
inline constexpr const char* kResultCaptions[] = {"P(FOS < 1)",
                                                  "P(FOS < 1.6)",
                                                  "Mean FOS",
                                                  "Standard deviation",
                                                  "5 % quantile",
                                                  "Median (50 %)",
                                                  "Share with W:H < 2.5",
                                                  "Share on the squat pillar formula"};

ResultTexts ShowRunResult(const RunResult& result, std::uint64_t seed,
                          const evaluation::NumberLocale& locale);

// A count as the user's locale writes it ("20,000").
QString ShowCount(std::uint64_t n);

} // namespace vt::probability
