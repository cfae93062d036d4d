#include "design/decimal.h"

#include <array>
#include <cmath>
#include <cstdlib>

namespace vt::design {

namespace {

constexpr std::array<std::int64_t, kMaxDecimals + 1> kPowers = {1,      10,      100,      1000,
                                                                10'000, 100'000, 1'000'000};

std::int64_t Power(int decimals) {
    return kPowers[static_cast<std::size_t>(decimals)];
}

} // namespace

double Decimal::value() const {
    // Both are exact in a double, so the quotient is the correctly rounded
    // value of the decimal, as reading its text gives it.
    return static_cast<double>(units) / static_cast<double>(Power(decimals));
}

QString Decimal::text(const evaluation::NumberLocale& locale) const {
    std::int64_t u = units;
    int d = decimals;
    while (d > 0 && u % 10 == 0) {
        u /= 10;
        --d;
    }
    const std::int64_t magnitude = u < 0 ? -u : u;
    QString digits = QString::number(magnitude);
    if (d > 0) {
        if (digits.size() <= d)
            digits.prepend(QString(d - digits.size() + 1, QLatin1Char('0')));
        digits.insert(digits.size() - d, locale.decimalPoint());
    }
    if (u < 0)
        digits.prepend(QLatin1Char('-'));
    return digits;
}

Decimal Decimal::withDecimals(int d) const {
    return {units * Power(d - decimals), d};
}

int Compare(const Decimal& a, const Decimal& b) {
    const int d = std::max(a.decimals, b.decimals);
    const std::int64_t x = a.withDecimals(d).units;
    const std::int64_t y = b.withDecimals(d).units;
    return x < y ? -1 : (x > y ? 1 : 0);
}

Decimal Add(const Decimal& a, const Decimal& step, std::int64_t n) {
    const int d = std::max(a.decimals, step.decimals);
    return {a.withDecimals(d).units + n * step.withDecimals(d).units, d};
}

std::int64_t StepsBetween(const Decimal& from, const Decimal& to, const Decimal& step) {
    const int d = std::max({from.decimals, to.decimals, step.decimals});
    const std::int64_t span = to.withDecimals(d).units - from.withDecimals(d).units;
    if (span < 0)
        return -1;
    return span / step.withDecimals(d).units;
}

std::optional<Decimal> RoundToDecimal(double value, int decimals) {
    const double scaled = std::nearbyint(value * static_cast<double>(Power(decimals)));
    if (!(std::fabs(scaled) <= static_cast<double>(kMaxUnits)))
        return std::nullopt;
    return Decimal{static_cast<std::int64_t>(scaled), decimals};
}

namespace {

std::optional<Decimal> ToStep(double value, const Decimal& step, bool up) {
    const double units = value * static_cast<double>(Power(step.decimals));
    const double n = (up ? std::ceil(units / static_cast<double>(step.units) - 1e-9)
                         : std::floor(units / static_cast<double>(step.units) + 1e-9));
    const double total = n * static_cast<double>(step.units);
    if (!(std::fabs(total) <= static_cast<double>(kMaxUnits)))
        return std::nullopt;
    return Decimal{static_cast<std::int64_t>(total), step.decimals};
}

} // namespace

std::optional<Decimal> FloorToStep(double value, const Decimal& step) {
    return ToStep(value, step, false);
}

std::optional<Decimal> CeilToStep(double value, const Decimal& step) {
    return ToStep(value, step, true);
}

std::optional<Decimal> ExactDecimal(double value) {
    for (int d = 0; d <= kMaxDecimals; ++d)
        if (const auto decimal = RoundToDecimal(value, d); decimal && decimal->value() == value)
            return decimal;
    return std::nullopt;
}

int DecimalsOf(double value) {
    const auto decimal = ExactDecimal(value);
    return decimal ? decimal->decimals : kMaxDecimals;
}

std::optional<Decimal> ReadDecimal(QStringView text, const evaluation::NumberLocale& locale) {
    const evaluation::Reading<double> reading = evaluation::ReadDouble(text, locale);
    if (!reading)
        return std::nullopt;
    return ExactDecimal(reading.value);
}

} // namespace vt::design
