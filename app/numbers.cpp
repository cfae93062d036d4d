#include "app/numbers.h"

#include "evaluation/numbers.h"

namespace vt {

std::optional<float> ReadSingle(const QString& text) {
    const auto reading = evaluation::ReadSingle(text, evaluation::NumberLocale::Current());
    return reading ? std::optional<float>(reading.value) : std::nullopt;
}

std::optional<double> ReadDouble(const QString& text) {
    const auto reading = evaluation::ReadDouble(text, evaluation::NumberLocale::Current());
    return reading ? std::optional<double>(reading.value) : std::nullopt;
}

QString DecimalSeparator() {
    return evaluation::NumberLocale::Current().decimalPoint();
}

QString ShowResult(float value, int decimals) {
    return evaluation::ShowResult(value, decimals, evaluation::NumberLocale::Current());
}

QString ShowResult(double value, int decimals) {
    return evaluation::ShowResult(value, decimals, evaluation::NumberLocale::Current());
}

} // namespace vt
