#include "probability/core/report.h"

#include "probability/core/ucsfit.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace vt::probability {

using evaluation::Caption;
using evaluation::NumberLocale;
using evaluation::ShowResult;

QString DescribeInput(const UncertainInput& in, const NumberLocale& locale) {
    const Distribution& d = in.distribution;
    const QString name = Caption(in.input);
    switch (d.kind) {
    case DistributionKind::Fixed:
        return QStringLiteral("%1 fixed at %2").arg(name, evaluation::ShowShortest(d.mean, locale));
    case DistributionKind::Normal:
    case DistributionKind::Lognormal:
        return QStringLiteral("%1 %2, CV %3 %")
            .arg(name, KindName(d.kind), evaluation::ShowShortest(d.coefficient * 100, locale));
    case DistributionKind::Uniform:
        return QStringLiteral("%1 uniform from %2 to %3")
            .arg(name, evaluation::ShowShortest(d.lower, locale),
                 evaluation::ShowShortest(d.upper, locale));
    case DistributionKind::FromReadings:
        return QStringLiteral("%1 %2").arg(name, DescribeFit(d, locale));
    }
    return name;
}

QString ShowPercent(double share, const NumberLocale& locale) {
    const double percent = share * 100;
    int decimals = 2;
    if (percent > 0 && percent < 0.01)
        decimals = std::min(7, 1 - static_cast<int>(std::floor(std::log10(percent))));
    return ShowResult(percent, decimals, locale);
}

namespace {

QString Count(std::uint64_t n, const NumberLocale& locale) {
    return locale.locale().toString(static_cast<qulonglong>(n));
}

QString VaryingInputs(const RunDescription& run, const NumberLocale& locale) {
    QStringList parts;
    for (const UncertainInput& in : run.inputs)
        if (in.distribution.varies())
            parts << DescribeInput(in, locale);
    if (parts.isEmpty())
        return QStringLiteral("every input fixed");
    return parts.join(QStringLiteral("; "));
}

} // namespace

QString ReportSentence(const RunDescription& run, const RunResult& r, const NumberLocale& locale) {
    QString s = QStringLiteral("Monte Carlo analysis of the design on the %1 screen (FOS %2), "
                               "%3 samples with seed %4, %5: ")
                    .arg(run.screenTitle, run.screenFos, Count(r.samples, locale),
                         QString::number(run.settings.seed), VaryingInputs(run, locale));
    if (r.finite == 0)
        return s + QStringLiteral("no sample gave a finite factor of safety.");
    auto fos = [&locale](double v) { return ShowResult(v, 2, locale); };
    s +=
        QStringLiteral("the probability that the FOS is below 1 is %1 % (standard error %2 %) "
                       "and that it is below %3 is %4 % (standard error %5 %); the FOS has a "
                       "mean of %6, a "
                       "standard deviation of %7, a 5 % quantile of %8 and a median of %9.")
            .arg(ShowPercent(r.failure.value, locale), ShowPercent(r.failure.standardError, locale),
                 ShowResult(engine::kSafetyLimit, 1, locale),
                 ShowPercent(r.belowSafetyLimit.value, locale),
                 ShowPercent(r.belowSafetyLimit.standardError, locale), fos(r.mean),
                 ShowResult(r.standardDeviation, 3, locale), fos(static_cast<double>(r.quantile5)),
                 fos(static_cast<double>(r.median)));
    if (r.withoutResultCount() > 0)
        s += QStringLiteral(" %1 samples gave no finite factor of safety and are left out.")
                 .arg(Count(r.withoutResultCount(), locale));
    return s;
}

namespace {

QString Field(QString text) {
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
        text.contains(QLatin1Char('\n'))) {
        text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        return QLatin1Char('"') + text + QLatin1Char('"');
    }
    return text;
}

QString Row(const QStringList& fields) {
    QStringList quoted;
    for (const QString& f : fields)
        quoted << Field(f);
    return quoted.join(QLatin1Char(',')) + QLatin1Char('\n');
}

QString Number(double v) {
    return evaluation::ShowShortest(v, NumberLocale::Point());
}

QString ResultRows(const RunDescription& run, const RunResult& r) {
    QString csv =
        Row({QStringLiteral("Item"), QStringLiteral("Value"), QStringLiteral("Standard error")});
    csv += Row({QStringLiteral("Screen"), run.screenTitle});
    csv += Row({QStringLiteral("FOS on the screen"), run.screenFos});
    csv += Row({QStringLiteral("Samples"), QString::number(r.samples)});
    csv += Row({QStringLiteral("Seed"), QString::number(run.settings.seed)});
    csv += Row({QStringLiteral("Samples with a finite FOS"), QString::number(r.finite)});
    csv += Row(
        {QStringLiteral("Samples without a finite FOS"), QString::number(r.withoutResultCount())});
    if (r.finite == 0)
        return csv;
    csv += Row(
        {QStringLiteral("P(FOS < 1)"), Number(r.failure.value), Number(r.failure.standardError)});
    csv += Row({QStringLiteral("P(FOS < 1.6)"), Number(r.belowSafetyLimit.value),
                Number(r.belowSafetyLimit.standardError)});
    csv += Row({QStringLiteral("Mean FOS"), Number(r.mean)});
    csv += Row({QStringLiteral("Standard deviation of FOS"), Number(r.standardDeviation)});
    csv += Row({QStringLiteral("5 % quantile of FOS"), Number(static_cast<double>(r.quantile5))});
    csv += Row({QStringLiteral("Median FOS"), Number(static_cast<double>(r.median))});
    csv += Row({QStringLiteral("Share with W:H < 2.5"), Number(r.shareWidthHeightTooSmall)});
    csv += Row({QStringLiteral("Share on the squat pillar formula"), Number(r.shareSquat)});
    return csv;
}

QString InputRows(const RunDescription& run) {
    QString csv = Row({QStringLiteral("Input"), QStringLiteral("Distribution"),
                       QStringLiteral("Mean"), QStringLiteral("CV (%)"),
                       QStringLiteral("Lower bound"), QStringLiteral("Upper bound")});
    for (const UncertainInput& in : run.inputs) {
        const Distribution& d = in.distribution;
        const bool byCoefficient = d.kind == DistributionKind::Normal ||
                                   d.kind == DistributionKind::Lognormal ||
                                   d.kind == DistributionKind::FromReadings;
        const bool uniform = d.kind == DistributionKind::Uniform;
        csv += Row({Caption(in.input), KindName(d.kind), uniform ? QString() : Number(d.mean),
                    byCoefficient ? Number(d.coefficient * 100) : QString(),
                    uniform ? Number(d.lower) : QString(), uniform ? Number(d.upper) : QString()});
    }
    return csv;
}

// A bin edge: lower + i step, without the last bits of its sum.
QString Edge(double v) {
    return ShowResult(v, 10, NumberLocale::Point());
}

QString HistogramRows(const Histogram& h) {
    QString csv =
        Row({QStringLiteral("FOS from"), QStringLiteral("FOS below"), QStringLiteral("Samples")});
    csv += Row({QString(), Edge(h.lower), QString::number(h.below)});
    for (std::size_t i = 0; i < h.counts.size(); ++i)
        csv += Row({Edge(h.edge(i)), Edge(h.edge(i + 1)), QString::number(h.counts[i])});
    csv += Row({Edge(h.upper()), QString(), QString::number(h.above)});
    return csv;
}

} // namespace

QString SummaryCsv(const RunDescription& run, const RunResult& r) {
    QString csv = ResultRows(run, r) + QLatin1Char('\n') + InputRows(run);
    if (!r.withoutResult.empty()) {
        csv += QLatin1Char('\n') +
               Row({QStringLiteral("Without a finite FOS"), QStringLiteral("Samples")});
        for (const StopCount& c : r.withoutResult)
            csv += Row({StopReason(c), QString::number(c.count)});
    }
    if (r.finite > 0)
        csv += QLatin1Char('\n') + HistogramRows(r.histogram);
    return csv;
}

} // namespace vt::probability
