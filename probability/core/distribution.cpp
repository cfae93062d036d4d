#include "probability/core/distribution.h"

#include <cmath>

namespace vt::probability {

using evaluation::Caption;
using evaluation::Input;
using evaluation::NumberLocale;
using evaluation::Refusal;
using evaluation::Step;

QString KindName(DistributionKind kind) {
    switch (kind) {
    case DistributionKind::Fixed:
        return QStringLiteral("fixed");
    case DistributionKind::Normal:
        return QStringLiteral("normal");
    case DistributionKind::Lognormal:
        return QStringLiteral("lognormal");
    case DistributionKind::Uniform:
        return QStringLiteral("uniform");
    case DistributionKind::FromReadings:
        return QStringLiteral("from the UCS readings");
    }
    return {};
}

Distribution Distribution::Fixed(double value) {
    Distribution d;
    d.mean = value;
    return d;
}

Distribution Distribution::Normal(double mean, double coefficient) {
    Distribution d;
    d.kind = DistributionKind::Normal;
    d.mean = mean;
    d.coefficient = coefficient;
    d.standardDeviation = std::fabs(mean) * coefficient;
    return d;
}

Distribution Distribution::Lognormal(double mean, double coefficient) {
    Distribution d;
    d.kind = DistributionKind::Lognormal;
    d.mean = mean;
    d.coefficient = coefficient;
    const double variance = std::log1p(coefficient * coefficient);
    d.logDeviation = std::sqrt(variance);
    d.logMean = std::log(mean) - variance / 2;
    return d;
}

Distribution Distribution::Uniform(double lower, double upper) {
    Distribution d;
    d.kind = DistributionKind::Uniform;
    d.lower = lower;
    d.upper = upper;
    d.mean = (lower + upper) / 2;
    return d;
}

Distribution Distribution::LogParameters(double logMean, double logDeviation) {
    Distribution d;
    d.kind = DistributionKind::Lognormal;
    d.logMean = logMean;
    d.logDeviation = logDeviation;
    d.mean = std::exp(logMean + logDeviation * logDeviation / 2);
    d.coefficient = std::sqrt(std::expm1(logDeviation * logDeviation));
    return d;
}

double Distribution::sample(SampleStream& stream) const {
    switch (kind) {
    case DistributionKind::Fixed:
        return mean;
    case DistributionKind::Normal:
        return mean + standardDeviation * stream.normal();
    case DistributionKind::Lognormal:
    case DistributionKind::FromReadings:
        return std::exp(logMean + logDeviation * stream.normal());
    case DistributionKind::Uniform:
        return lower + (upper - lower) * stream.uniform();
    }
    return mean;
}

namespace {

Refusal Refused(const QString& message) {
    return {message, kProbabilityTitle};
}

// A typed parameter of `input`, or why it is none.
Step<double> ReadParameter(Input input, const QString& what, const QString& text,
                           const NumberLocale& locale) {
    const auto reading = evaluation::ReadDouble(text, locale);
    if (text.trimmed().isEmpty())
        return Refused(QStringLiteral("Fill in the %1 of \"%2\"").arg(what, Caption(input)));
    if (!reading)
        return Refused(
            QStringLiteral("The %1 of \"%2\" is not a number").arg(what, Caption(input)));
    return reading.value;
}

Step<Distribution> ByCoefficient(Input input, double value, const DistributionTexts& texts,
                                 const NumberLocale& locale) {
    const QString what = QStringLiteral("coefficient of variation");
    const Step<double> percent = ReadParameter(input, what, texts.coefficient, locale);
    if (!percent)
        return percent.refusal();
    if (percent.value() < 0)
        return Refused(QStringLiteral("The coefficient of variation of \"%1\" must not be "
                                      "negative")
                           .arg(Caption(input)));
    const double coefficient = percent.value() / 100;
    if (texts.kind == DistributionKind::Normal) {
        const Distribution d = Distribution::Normal(value, coefficient);
        if (!std::isfinite(d.standardDeviation))
            return Refused(QStringLiteral("The coefficient of variation of \"%1\" is too large "
                                          "to use")
                               .arg(Caption(input)));
        return d;
    }
    if (!(value > 0))
        return Refused(QStringLiteral("A lognormal \"%1\" needs a value above 0 on the screen; "
                                      "choose normal or uniform instead")
                           .arg(Caption(input)));
    const Distribution d = Distribution::Lognormal(value, coefficient);
    if (!std::isfinite(d.logMean) || !std::isfinite(d.logDeviation))
        return Refused(QStringLiteral("The coefficient of variation of \"%1\" is too large "
                                      "to use")
                           .arg(Caption(input)));
    return d;
}

Step<Distribution> ByBounds(Input input, const DistributionTexts& texts,
                            const NumberLocale& locale) {
    const Step<double> lower =
        ReadParameter(input, QStringLiteral("lower bound"), texts.lower, locale);
    if (!lower)
        return lower.refusal();
    const Step<double> upper =
        ReadParameter(input, QStringLiteral("upper bound"), texts.upper, locale);
    if (!upper)
        return upper.refusal();
    if (lower.value() > upper.value())
        return Refused(QStringLiteral("The lower bound of \"%1\" is above its upper bound")
                           .arg(Caption(input)));
    if (!std::isfinite(upper.value() - lower.value()))
        return Refused(
            QStringLiteral("The bounds of \"%1\" are too far apart to use").arg(Caption(input)));
    return Distribution::Uniform(lower.value(), upper.value());
}

} // namespace

Step<Distribution> MakeDistribution(Input input, double value, const DistributionTexts& texts,
                                    const NumberLocale& locale) {
    switch (texts.kind) {
    case DistributionKind::Fixed:
        return Distribution::Fixed(value);
    case DistributionKind::Normal:
    case DistributionKind::Lognormal:
        return ByCoefficient(input, value, texts, locale);
    case DistributionKind::Uniform:
        return ByBounds(input, texts, locale);
    case DistributionKind::FromReadings:
        break;
    }
    return Refused(
        QStringLiteral("\"%1\" cannot be taken from the UCS readings").arg(Caption(input)));
}

} // namespace vt::probability
