#include "probability/core/ucsfit.h"

#include "engine/engine.h"

#include <cmath>
#include <vector>

namespace vt::probability {

using evaluation::NumberLocale;
using evaluation::Refusal;
using evaluation::Step;

namespace {

Refusal Refused(const QString& message) {
    return {message, kProbabilityTitle};
}

} // namespace

Step<Distribution> FitReadings(const UcsReadings& ucs, const NumberLocale& locale) {
    if (ucs.readings.size() < 2)
        return Refused(QStringLiteral("K from the UCS readings needs at least two readings in "
                                      "the UCS dialog (\"Determine K from UCS-values\"); it "
                                      "holds %1")
                           .arg(ucs.readings.size()));
    const auto downgrade = evaluation::ReadSingle(ucs.downgrade, locale);
    if (!downgrade)
        return Refused(QStringLiteral("The downgrade percentage \"%1\" in the UCS dialog is not "
                                      "a number")
                           .arg(ucs.downgrade));
    std::vector<double> logs;
    logs.reserve(static_cast<std::size_t>(ucs.readings.size()));
    for (const QString& text : ucs.readings) {
        const auto reading = evaluation::ReadSingle(text, locale);
        if (!reading)
            return Refused(
                QStringLiteral("The UCS reading \"%1\" in the UCS dialog is not a number")
                    .arg(text));
        const auto k = engine::DowngradedK(reading.value, downgrade.value);
        if (!k || !(k.value() > 0))
            return Refused(QStringLiteral("The UCS reading \"%1\" downgraded by %2 % gives no K "
                                          "above 0")
                               .arg(text, ucs.downgrade));
        logs.push_back(std::log(static_cast<double>(k.value())));
    }
    double sum = 0;
    for (double l : logs)
        sum += l;
    const double n = static_cast<double>(logs.size());
    const double logMean = sum / n;
    double squares = 0;
    for (double l : logs)
        squares += (l - logMean) * (l - logMean);
    Distribution fit = Distribution::LogParameters(logMean, std::sqrt(squares / (n - 1)));
    fit.kind = DistributionKind::FromReadings;
    fit.readings = static_cast<int>(logs.size());
    fit.downgrade = static_cast<double>(downgrade.value);
    return fit;
}

QString DescribeFit(const Distribution& fit, const NumberLocale& locale) {
    using evaluation::ShowResult;
    return QStringLiteral("lognormal fitted to %1 UCS readings, each downgraded by %2 %: "
                          "median %3 MPa, CV %4 %")
        .arg(QString::number(fit.readings), ShowResult(fit.downgrade, 2, locale),
             ShowResult(std::exp(fit.logMean), 2, locale),
             ShowResult(fit.coefficient * 100, 1, locale));
}

} // namespace vt::probability
