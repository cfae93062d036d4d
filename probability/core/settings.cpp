#include "probability/core/settings.h"

#include "probability/core/distribution.h"
#include "probability/core/montecarlo.h"

#include <optional>

namespace vt::probability {

using evaluation::NumberLocale;
using evaluation::Refusal;
using evaluation::Step;

namespace {

// The digits of a whole number, without spaces and group separators; none
// for anything else (a sign, a decimal point, an exponent, letters).
std::optional<std::uint64_t> WholeNumber(const QString& text, const NumberLocale& locale) {
    QString digits = text;
    digits.remove(QLatin1Char(' '));
    digits.remove(QChar(0x00a0)); // no-break space
    digits.remove(QChar(0x202f)); // narrow no-break space
    if (!locale.groupSeparator().isEmpty())
        digits.remove(locale.groupSeparator());
    if (digits.isEmpty())
        return std::nullopt;
    for (QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    bool ok = false;
    const qulonglong value = digits.toULongLong(&ok);
    if (!ok)
        return std::nullopt;
    return static_cast<std::uint64_t>(value);
}

} // namespace

Step<std::uint64_t> ReadSamples(const QString& text, const NumberLocale& locale) {
    const auto n = WholeNumber(text, locale);
    if (!n || *n < 1 || *n > kMaxSamples)
        return Refusal{QStringLiteral("The number of samples must be a whole number from 1 to %1")
                           .arg(locale.locale().toString(static_cast<qulonglong>(kMaxSamples))),
                       kProbabilityTitle};
    return *n;
}

Step<std::uint64_t> ReadSeed(const QString& text, const NumberLocale& locale) {
    const auto seed = WholeNumber(text, locale);
    if (!seed)
        return Refusal{QStringLiteral("The seed must be a whole number from 0 to "
                                      "18446744073709551615"),
                       kProbabilityTitle};
    return *seed;
}

} // namespace vt::probability
