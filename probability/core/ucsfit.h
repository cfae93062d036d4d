// K from the UCS readings: every reading downgraded as the UCS dialog
// downgrades its median, and a lognormal fitted to the downgraded values by
// the mean and the sample standard deviation of their logarithms.
#pragma once

#include "evaluation/numbers.h"
#include "evaluation/refusal.h"
#include "probability/core/distribution.h"

#include <QString>
#include <QStringList>

namespace vt::probability {

// The UCS dialog's readings as typed, in list order, and its downgrade
// percentage as typed.
struct UcsReadings {
    QStringList readings;
    QString downgrade;
};

// The fitted lognormal (kind FromReadings, with the number of readings and
// the downgrade), or why there is none: fewer than two readings, a reading
// or the percentage that is not a number, a downgraded reading not above 0.
evaluation::Step<Distribution> FitReadings(const UcsReadings& ucs,
                                           const evaluation::NumberLocale& locale);

// What was fitted: the number of readings, the downgrade, and the fitted
// median and CV of K.
QString DescribeFit(const Distribution& fit, const evaluation::NumberLocale& locale);

} // namespace vt::probability
