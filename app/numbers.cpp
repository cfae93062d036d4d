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
    const QString localePoint = QLocale().decimalPoint();
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

std::optional<float> ReadSingle(const QString& text) { return Read<float>(text); }
std::optional<double> ReadDouble(const QString& text) { return Read<double>(text); }

QString DecimalSeparator() { return QLocale().decimalPoint(); }

QString ShowResult(float value, int decimals) {
    return QString::fromStdString(
        engine::FormatResult(value, decimals, DecimalSeparator().toStdString()));
}

QString ShowResult(double value, int decimals) {
    return QString::fromStdString(
        engine::FormatResult(value, decimals, DecimalSeparator().toStdString()));
}

} // namespace vt
