// The distribution of one uncertain input of a design, and how its typed
// parameters become one: fixed at the screen's value, normal or lognormal
// with the screen's value as mean and a coefficient of variation, uniform
// between two bounds, or (for K) a lognormal fitted to the UCS readings.
#pragma once

#include "evaluation/messages.h"
#include "evaluation/numbers.h"
#include "evaluation/refusal.h"
#include "probability/core/random.h"

#include <QString>

namespace vt::probability {

enum class DistributionKind { Fixed, Normal, Lognormal, Uniform, FromReadings };

// The names offered for a kind ("fixed", "normal", ...).
QString KindName(DistributionKind kind);

struct Distribution {
    DistributionKind kind = DistributionKind::Fixed;
    double mean = 0;              // fixed value, or the mean of normal and lognormal
    double coefficient = 0;       // coefficient of variation, a fraction (0.2 for 20 %)
    double lower = 0;             // uniform
    double upper = 0;             // uniform
    double logMean = 0;           // lognormal and fitted: the mean of ln x
    double logDeviation = 0;      // and its standard deviation
    double standardDeviation = 0; // normal: mean x coefficient
    int readings = 0;             // fitted: how many UCS readings
    double downgrade = 0;         // fitted: the downgrade percentage applied to each

    static Distribution Fixed(double value);
    static Distribution Normal(double mean, double coefficient);
    // A lognormal of the given mean and coefficient of variation.
    static Distribution Lognormal(double mean, double coefficient);
    static Distribution Uniform(double lower, double upper);
    // A lognormal given by the mean and standard deviation of its logarithm.
    static Distribution LogParameters(double logMean, double logDeviation);

    // Whether samples draw from a stream at all.
    bool varies() const { return kind != DistributionKind::Fixed; }

    double sample(SampleStream& stream) const;
};

// The parameters of an input as typed in the probability window.
struct DistributionTexts {
    DistributionKind kind = DistributionKind::Fixed;
    QString coefficient; // CV in percent (normal, lognormal)
    QString lower;       // uniform
    QString upper;
};

// The distribution of `input` whose mean is the screen's `value`, or why the
// texts give none (a CV that is no number or negative, bounds that are no
// numbers or the wrong way round, a lognormal around a value not above 0).
// FromReadings is not made here (FitReadings).
evaluation::Step<Distribution> MakeDistribution(evaluation::Input input, double value,
                                                const DistributionTexts& texts,
                                                const evaluation::NumberLocale& locale);

// The title of the probability window's message boxes.
inline const QString kProbabilityTitle = QStringLiteral("Probability of failure");

} // namespace vt::probability
