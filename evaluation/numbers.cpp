#include "evaluation/numbers.h"

#include "engine/engine.h"
#include "results/core/modellingfile.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace vt::evaluation {

namespace {

constexpr char16_t kPoint = u'.';
constexpr char16_t kComma = u',';

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// "1,200" in English or "1.200" in German: the locale's thousands separator
// between digits, followed by exactly three digits at the end.
bool LooksLikeThousands(QStringView t, const NumberLocale& locale) {
    const char16_t group = locale.thousandsLookAlike();
    if (group == 0)
        return false;
    const qsizetype at = t.indexOf(QChar(group));
    if (at <= 0 || t.size() - at - 1 != 3 || !IsDigit(t.at(at - 1).unicode()))
        return false;
    for (qsizetype i = at + 1; i < t.size(); ++i)
        if (!IsDigit(t.at(i).unicode()))
            return false;
    return true;
}

// The text as plain ASCII number text with a point: the locale's decimal
// point, a point and a comma all become '.', one leading '+' is dropped.
// Empty when a character cannot be part of a number or a sign follows '+'.
constexpr std::size_t kMaxNumberText = 512;
struct Normalised {
    std::array<char, kMaxNumberText> chars; // the first `size` are set
    std::size_t size = 0;
    bool plainDecimal = true; // digits and at most one point, after a sign
    bool ok = false;
};

Normalised Normalise(QStringView t, const NumberLocale& locale) {
    Normalised n;
    const char16_t otherPoint = locale.otherPoint();
    qsizetype i = 0;
    if (!t.isEmpty() && t.at(0) == QLatin1Char('+')) {
        i = 1;
        if (i < t.size() && (t.at(i) == QLatin1Char('+') || t.at(i) == QLatin1Char('-')))
            return n; // "+-3"
    }
    int points = 0;
    int digits = 0;
    for (; i < t.size(); ++i) {
        char16_t c = t.at(i).unicode();
        if (c == kComma && !locale.eitherSeparator())
            return n; // "2,75" where only a point marks decimals
        if (c == kComma || (otherPoint != 0 && c == otherPoint))
            c = kPoint;
        const bool sign = c == u'-' || c == u'+';
        const bool allowed = IsDigit(c) || c == kPoint || sign || c == u'e' || c == u'E';
        if (!allowed || n.size == kMaxNumberText)
            return n;
        if (c == kPoint)
            ++points;
        if (IsDigit(c))
            ++digits;
        if (!(IsDigit(c) || c == kPoint || (sign && c == u'-' && n.size == 0)))
            n.plainDecimal = false;
        n.chars[n.size++] = static_cast<char>(c);
    }
    if (points > 1)
        return n;
    n.plainDecimal = n.plainDecimal && digits > 0 && n.size <= 30;
    n.ok = n.size > 0;
    return n;
}

// Whether the ASCII text has the form of a decimal number, [-]d[.d][e[+-]d].
bool HasNumberShape(const Normalised& n) {
    std::size_t i = 0;
    if (i < n.size && n.chars[i] == '-')
        ++i;
    int mantissa = 0;
    while (i < n.size && (IsDigit(static_cast<char16_t>(n.chars[i])) || n.chars[i] == '.')) {
        mantissa += n.chars[i] != '.';
        ++i;
    }
    if (mantissa == 0)
        return false;
    if (i == n.size)
        return true;
    if (n.chars[i] != 'e' && n.chars[i] != 'E')
        return false;
    ++i;
    if (i < n.size && (n.chars[i] == '+' || n.chars[i] == '-'))
        ++i;
    if (i == n.size)
        return false;
    for (; i < n.size; ++i)
        if (!IsDigit(static_cast<char16_t>(n.chars[i])))
            return false;
    return true;
}

// The double of normalised text: plain decimals through std::from_chars,
// everything else (exponents) through QLocale's conversion in the C locale,
// which reads the same grammar.
Reading<double> ConvertDouble(const Normalised& n) {
    if (n.plainDecimal) {
        double value = 0;
        const auto [end, ec] = std::from_chars(n.chars.data(), n.chars.data() + n.size, value);
        if (ec == std::errc() && end == n.chars.data() + n.size)
            return {value, NumberProblem::None};
    }
    static const QLocale c = [] {
        QLocale locale = QLocale::c();
        locale.setNumberOptions(QLocale::RejectGroupSeparator);
        return locale;
    }();
    const QString text = QString::fromLatin1(n.chars.data(), static_cast<qsizetype>(n.size));
    bool ok = false;
    const double value = c.toDouble(text, &ok);
    if (ok)
        return {value, std::isfinite(value) ? NumberProblem::None : NumberProblem::NotANumber};
    if (!HasNumberShape(n))
        return {0, NumberProblem::NotANumber};
    return {0, std::isinf(value) ? NumberProblem::TooLarge : NumberProblem::TooSmall};
}

Reading<double> Read(QStringView text, const NumberLocale& locale) {
    const QStringView t = text.trimmed();
    if (t.isEmpty())
        return {};
    if (LooksLikeThousands(t, locale))
        return {0, NumberProblem::LooksLikeThousands};
    const Normalised n = Normalise(t, locale);
    if (!n.ok)
        return {};
    return ConvertDouble(n);
}

} // namespace

NumberLocale::NumberLocale(const QLocale& locale)
    : locale_(locale)
    , point_(locale.decimalPoint())
    , group_(locale.groupSeparator())
    , separator_(point_.toStdString()) {
    locale_.setNumberOptions(QLocale::RejectGroupSeparator);
    if (point_.size() == 1 && point_ != QLatin1String(".") && point_ != QLatin1String(","))
        otherPoint_ = point_.at(0).unicode();
    if (group_ != point_ && (group_ == QLatin1String(",") || group_ == QLatin1String(".")))
        thousandsLookAlike_ = group_.at(0).unicode();
}

NumberLocale NumberLocale::Current() {
    return NumberLocale(QLocale());
}

NumberLocale NumberLocale::Point() {
    NumberLocale point(QLocale::c());
    point.group_.clear();
    point.thousandsLookAlike_ = 0;
    point.eitherSeparator_ = false;
    return point;
}

Reading<float> ReadSingle(QStringView text, const NumberLocale& locale) {
    const Reading<double> d = Read(text, locale);
    if (!d)
        return {0, d.problem};
    // As QLocale turns a double into a float: beyond the range is too large,
    // a value that would become 0 too small.
    if (std::fabs(d.value) > static_cast<double>(std::numeric_limits<float>::max()))
        return {0, NumberProblem::TooLarge};
    const float value = static_cast<float>(d.value);
    if (value == 0.0f && d.value != 0.0)
        return {0, NumberProblem::TooSmall};
    return {value, NumberProblem::None};
}

Reading<double> ReadDouble(QStringView text, const NumberLocale& locale) {
    return Read(text, locale);
}

namespace {

// Shown text of FormatResult's ASCII text (digits, '-' and '.'), with the
// locale's decimal point.
QString WithLocalePoint(const std::string& text, const NumberLocale& locale) {
    QString shown = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    if (locale.decimalPoint() != QLatin1String("."))
        shown.replace(QLatin1Char('.'), locale.decimalPoint());
    return shown;
}

} // namespace

QString ShowResult(float value, int decimals, const NumberLocale& locale) {
    return WithLocalePoint(engine::FormatResult(value, decimals), locale);
}

QString ShowResult(double value, int decimals, const NumberLocale& locale) {
    return WithLocalePoint(engine::FormatResult(value, decimals), locale);
}

QString ShowShortest(double value, const NumberLocale& locale) {
    return QString::fromStdString(engine::ShortestText(value, locale.separator()));
}

double ReadLeadingNumber(QStringView text, const NumberLocale& locale) {
    QString t = text.toString();
    const QString& point = locale.decimalPoint();
    if (point != QLatin1String("."))
        t.replace(point, QStringLiteral("."));
    return results::ParseLeadingNumber(t.toStdString());
}

} // namespace vt::evaluation
