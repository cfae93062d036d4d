// Numbers typed into the dialogs' fields and results shown in them, in the
// user's locale: the reading and showing rules of evaluation/numbers.h.
#pragma once

#include <QString>
#include <optional>

namespace vt {

std::optional<float> ReadSingle(const QString& text);
std::optional<double> ReadDouble(const QString& text);

// FormatResult with the decimal separator of the user's locale.
QString ShowResult(float value, int decimals);
QString ShowResult(double value, int decimals);

// The decimal separator of the user's locale, as shown text.
QString DecimalSeparator();

} // namespace vt
