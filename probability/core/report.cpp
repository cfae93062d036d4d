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

using evaluation::CsvConvention;

// The rows of one CSV in one convention.
class Rows {
public:
    explicit Rows(CsvConvention convention)
        : convention_(convention) {}

    void add(const QStringList& fields) { evaluation::AppendRecord(bytes_, fields, convention_); }
    // A blank line between two parts of the file.
    void gap() { evaluation::AppendRecord(bytes_, {}, convention_); }
    QString number(double v) const { return evaluation::CsvNumber(v, convention_); }
    QString number(float v) const { return evaluation::CsvNumber(v, convention_); }
    // An input's parameter: the inputs are single-precision numbers, so one
    // that is a float is written as the float's shortest text (2.7, not
    // 2.700000047683716).
    QString parameter(double v) const {
        const auto single = static_cast<float>(v);
        return static_cast<double>(single) == v ? number(single) : number(v);
    }
    // A bin edge: lower + i step, without the last bits of its sum.
    QString edge(double v) const { return ShowResult(v, 10, evaluation::CsvNumbers(convention_)); }
    // A text the screen shows, in the user's locale.
    QString shown(const QString& text) const {
        return evaluation::CsvNumberText(text, NumberLocale::Current(), convention_);
    }
    const QByteArray& bytes() const { return bytes_; }

private:
    CsvConvention convention_;
    QByteArray bytes_;
};

void ResultRows(Rows& csv, const RunDescription& run, const RunResult& r) {
    csv.add({QStringLiteral("Item"), QStringLiteral("Value"), QStringLiteral("Standard error")});
    csv.add({QStringLiteral("Screen"), run.screenTitle});
    csv.add({QStringLiteral("FOS on the screen"), csv.shown(run.screenFos)});
    csv.add({QStringLiteral("Samples"), QString::number(r.samples)});
    csv.add({QStringLiteral("Seed"), QString::number(run.settings.seed)});
    csv.add({QStringLiteral("Samples with a finite FOS"), QString::number(r.finite)});
    csv.add(
        {QStringLiteral("Samples without a finite FOS"), QString::number(r.withoutResultCount())});
    if (r.finite == 0)
        return;
    csv.add({QStringLiteral("P(FOS < 1)"), csv.number(r.failure.value),
             csv.number(r.failure.standardError)});
    csv.add({QStringLiteral("P(FOS < 1.6)"), csv.number(r.belowSafetyLimit.value),
             csv.number(r.belowSafetyLimit.standardError)});
    csv.add({QStringLiteral("Mean FOS"), csv.number(r.mean)});
    csv.add({QStringLiteral("Standard deviation of FOS"), csv.number(r.standardDeviation)});
    csv.add({QStringLiteral("5 % quantile of FOS"), csv.number(r.quantile5)});
    csv.add({QStringLiteral("Median FOS"), csv.number(r.median)});
    csv.add({QStringLiteral("Share with W:H < 2.5"), csv.number(r.shareWidthHeightTooSmall)});
    csv.add({QStringLiteral("Share on the squat pillar formula"), csv.number(r.shareSquat)});
}

void InputRows(Rows& csv, const RunDescription& run) {
    csv.add({QStringLiteral("Input"), QStringLiteral("Distribution"), QStringLiteral("Mean"),
             QStringLiteral("CV (%)"), QStringLiteral("Lower bound"),
             QStringLiteral("Upper bound")});
    for (const UncertainInput& in : run.inputs) {
        const Distribution& d = in.distribution;
        const bool byCoefficient = d.kind == DistributionKind::Normal ||
                                   d.kind == DistributionKind::Lognormal ||
                                   d.kind == DistributionKind::FromReadings;
        const bool uniform = d.kind == DistributionKind::Uniform;
        csv.add({Caption(in.input), KindName(d.kind), uniform ? QString() : csv.parameter(d.mean),
                 byCoefficient ? csv.parameter(d.coefficient * 100) : QString(),
                 uniform ? csv.parameter(d.lower) : QString(),
                 uniform ? csv.parameter(d.upper) : QString()});
    }
}

void HistogramRows(Rows& csv, const Histogram& h) {
    csv.add({QStringLiteral("FOS from"), QStringLiteral("FOS below"), QStringLiteral("Samples")});
    csv.add({QString(), csv.edge(h.lower), QString::number(h.below)});
    for (std::size_t i = 0; i < h.counts.size(); ++i)
        csv.add({csv.edge(h.edge(i)), csv.edge(h.edge(i + 1)), QString::number(h.counts[i])});
    csv.add({csv.edge(h.upper()), QString(), QString::number(h.above)});
}

} // namespace

QString SummaryCsv(const RunDescription& run, const RunResult& r, CsvConvention convention) {
    Rows csv(convention);
    ResultRows(csv, run, r);
    csv.gap();
    InputRows(csv, run);
    if (!r.withoutResult.empty()) {
        csv.gap();
        csv.add({QStringLiteral("Without a finite FOS"), QStringLiteral("Samples")});
        for (const StopCount& c : r.withoutResult)
            csv.add({StopReason(c), QString::number(c.count)});
    }
    if (r.finite > 0) {
        csv.gap();
        HistogramRows(csv, r.histogram);
    }
    return QString::fromUtf8(csv.bytes());
}

} // namespace vt::probability
