#include "probability/resulttexts.h"

#include "probability/core/report.h"

#include <QLocale>

namespace vt::probability {

namespace {

QString WithError(const Estimate& e, const evaluation::NumberLocale& locale) {
    return QStringLiteral("%1 % (standard error %2 %)")
        .arg(ShowPercent(e.value, locale), ShowPercent(e.standardError, locale));
}

} // namespace

QString ShowCount(std::uint64_t n) {
    return QLocale().toString(static_cast<qulonglong>(n));
}

ResultTexts ShowRunResult(const RunResult& r, std::uint64_t seed,
                          const evaluation::NumberLocale& locale) {
    ResultTexts texts;
    texts.samples = QStringLiteral("%1 of %2 samples gave a finite FOS (seed %3)")
                        .arg(ShowCount(r.finite), ShowCount(r.samples), QString::number(seed));
    QStringList without;
    for (const StopCount& c : r.withoutResult)
        without << QStringLiteral("%1 without an FOS: %2").arg(ShowCount(c.count), StopReason(c));
    texts.withoutResult = without.join(QLatin1Char('\n'));
    if (r.finite == 0)
        return texts;
    auto fos = [&locale](double v) { return evaluation::ShowResult(v, kFosDecimals, locale); };
    texts.values = {WithError(r.failure, locale),
                    WithError(r.belowSafetyLimit, locale),
                    fos(r.mean),
                    fos(r.standardDeviation),
                    fos(static_cast<double>(r.quantile5)),
                    fos(static_cast<double>(r.median)),
                    ShowPercent(r.shareWidthHeightTooSmall, locale) + QStringLiteral(" %"),
                    ShowPercent(r.shareSquat, locale) + QStringLiteral(" %")};
    return texts;
}

} // namespace vt::probability
