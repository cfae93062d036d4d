// Numbers typed on the screens, and results shown on them.
//
// Typed numbers accept the locale's decimal separator and also a point or a
// comma, since the built-in list items are written with a point ("2.75") and
// people type either. Group separators, exponents beyond the type's range,
// "inf", "nan" and trailing text are refused: the caller gets no value.
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
