// Numbers typed into the fields, and results shown in them.
//
// A field is read in the user's locale with two extras: a point and a comma
// both mark the decimals (the built-in list items are written with a point,
// "2.75", and people type either), and a text that looks like a thousands
// group of the locale ("1,200" in English, "1.200" in German) is refused
// rather than guessed. Group separators, exponents beyond the type's range,
// "inf", "nan" and trailing text are refused too; the reading says why.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>
#include <string>

namespace vt::evaluation {

// The locale numbers are read and shown in. Build it once and pass it on:
// the screens use Current(), files and the batch evaluator Point().
class NumberLocale {
public:
    explicit NumberLocale(const QLocale& locale);
    // The user's locale (QLocale's default).
    static NumberLocale Current();
    // A point for the decimals, and nothing else, whatever the user's locale:
    // no comma, no thousands groups (the batch evaluator's files).
    static NumberLocale Point();

    const QLocale& locale() const { return locale_; }
    const QString& decimalPoint() const { return point_; }
    const QString& groupSeparator() const { return group_; }
    // The decimal point as UTF-8, as FormatResult takes it.
    const std::string& separator() const { return separator_; }
    // Whether a point and a comma are both read as the decimal point (the
    // screens), or only the locale's own.
    bool eitherSeparator() const { return eitherSeparator_; }
    // The decimal point when it is one character other than '.' and ','
    // (read as a point too), else 0.
    char16_t otherPoint() const { return otherPoint_; }
    // The thousands separator when a text with it could look like a thousands
    // group ("1,200" in English), else 0.
    char16_t thousandsLookAlike() const { return thousandsLookAlike_; }

private:
    QLocale locale_;
    QString point_;
    QString group_;
    std::string separator_;
    bool eitherSeparator_ = true;
    char16_t otherPoint_ = 0;
    char16_t thousandsLookAlike_ = 0;
};

// Why a text gives no number.
enum class NumberProblem {
    None,
    NotANumber,        // letters, a lone sign, two decimal points, inf, nan, empty
    TooLarge,          // beyond the range of the number type
    TooSmall,          // so close to 0 that the number type cannot hold it
    LooksLikeThousands // "1,200" in English: 1200 or 1.2?
};

template <class T> struct Reading {
    T value{};
    NumberProblem problem = NumberProblem::NotANumber;

    bool ok() const { return problem == NumberProblem::None; }
    explicit operator bool() const { return ok(); }
};

Reading<float> ReadSingle(QStringView text, const NumberLocale& locale);
Reading<double> ReadDouble(QStringView text, const NumberLocale& locale);

// FormatResult with the locale's decimal point; an empty text for a value
// that is not finite.
QString ShowResult(float value, int decimals, const NumberLocale& locale);
QString ShowResult(double value, int decimals, const NumberLocale& locale);
// The shortest plain decimal text of a value, unrounded (list items).
QString ShowShortest(double value, const NumberLocale& locale);

// The leading-number rule of the interpolation inputs ("6.3", "150 m", "12,5"
// reads 12), except that the locale's own decimal separator is read as the
// decimal point: "6,5" in German is 6.5. In a point locale the rule stands as
// it is.
double ReadLeadingNumber(QStringView text, const NumberLocale& locale);

} // namespace vt::evaluation
