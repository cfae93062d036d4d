#include "app/numbers.h"

#include "engine/engine.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <string>

namespace vt {

namespace {

// Turns typed text into plain ASCII number text with a point, or nothing.
std::optional<std::string> Normalise(const QString& text) {
    QString t = text.trimmed();
    if (t.startsWith(QLatin1Char('+'))) {
        t.remove(0, 1);
        if (t.startsWith(QLatin1Char('+')) || t.startsWith(QLatin1Char('-')))
            return std::nullopt; // "+-3" is not a number
    }
    const QLocale locale;
    const QString localePoint = locale.decimalPoint();
    // A separator that is the locale's thousands separator, followed by
    // exactly three digits ("1,200" in English, "1.200" in German), may mean
    // a thousand times more than a decimal reading: refuse it rather than
    // guess. "2.75" and "0.46", as the lists write them, stay readable.
    const QString group = locale.groupSeparator();
    if (group != localePoint && (group == QLatin1String(",") || group == QLatin1String("."))) {
        const qsizetype at = t.indexOf(group);
        if (at >= 0 && t.size() - at - 1 == 3) {
            bool digitsOnly = true;
            for (qsizetype i = at + 1; i < t.size(); ++i)
                digitsOnly = digitsOnly && t.at(i).isDigit();
            if (digitsOnly && at > 0 && t.at(at - 1).isDigit())
                return std::nullopt;
        }
    }
    if (localePoint != QLatin1String(".") && localePoint != QLatin1String(","))
        t.replace(localePoint, QLatin1String("."));
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    if (t.isEmpty() || t.count(QLatin1Char('.')) > 1)
        return std::nullopt;
    std::string s;
    s.reserve(static_cast<std::size_t>(t.size()));
    for (QChar c : t) {
        const char16_t u = c.unicode();
        const bool allowed = (u >= u'0' && u <= u'9') || u == u'.' || u == u'-' || u == u'e' ||
                             u == u'E' || u == u'+';
        if (!allowed)
            return std::nullopt; // letters, blanks inside, inf, nan
        s.push_back(static_cast<char>(u));
    }
    return s;
}

template <class T> std::optional<T> Read(const QString& text) {
    const auto s = Normalise(text);
    if (!s)
        return std::nullopt;
    T value{};
    const char* first = s->data();
    const char* last = s->data() + s->size();
    auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

std::optional<float> ReadSingle(const QString& text) {
    return Read<float>(text);
}
std::optional<double> ReadDouble(const QString& text) {
    return Read<double>(text);
}

QString DecimalSeparator() {
    return QLocale().decimalPoint();
}

QString ShowResult(float value, int decimals) {
    return QString::fromStdString(
        engine::FormatResult(value, decimals, DecimalSeparator().toStdString()));
}

QString ShowResult(double value, int decimals) {
    return QString::fromStdString(
        engine::FormatResult(value, decimals, DecimalSeparator().toStdString()));
}

} // namespace vt
