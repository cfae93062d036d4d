// Pins the locale of a test.
#pragma once

#include <QLocale>

namespace vt::test {

// Sets the default locale for the lifetime of the object.
class LocaleScope {
public:
    explicit LocaleScope(const QLocale& locale)
        : saved_(QLocale()) {
        QLocale::setDefault(locale);
    }
    ~LocaleScope() { QLocale::setDefault(saved_); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

private:
    QLocale saved_;
};

inline QLocale English() {
    return QLocale(QLocale::English, QLocale::UnitedStates);
}
inline QLocale German() {
    return QLocale(QLocale::German, QLocale::Germany);
}

} // namespace vt::test
