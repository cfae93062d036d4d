// The leading-number rule by which the modelling-results file and the
// interpolation inputs are read.
#include "results/core/modellingfile.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace vt::results {

namespace {

bool IsIgnored(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Walks a text skipping blanks, tabs and line feeds.
class Cursor {
public:
    explicit Cursor(std::string_view text)
        : text_(text) {
        skip();
    }
    bool done() const { return pos_ >= text_.size(); }
    char peek() const { return done() ? '\0' : text_[pos_]; }
    void next() {
        ++pos_;
        skip();
    }

private:
    void skip() {
        while (pos_ < text_.size() && IsIgnored(text_[pos_]))
            ++pos_;
    }
    std::string_view text_;
    std::size_t pos_ = 0;
};

int DigitValue(char c) {
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

// "&H1F", "&O17": an unsigned integer in base 16 or 8.
double ReadRadixInteger(Cursor& cursor, int base) {
    double value = 0;
    while (!cursor.done() && DigitValue(cursor.peek()) < base) {
        value = value * base + DigitValue(cursor.peek());
        cursor.next();
    }
    return value;
}

// The common field: an optional minus, digits, at most one point followed by
// digits, nothing else. std::from_chars reads it exactly as the general rule
// would; anything else takes the general road.
bool IsPlainDecimal(std::string_view text) {
    std::size_t i = text.size() > 0 && text[0] == '-' ? 1 : 0;
    if (i >= text.size() || !IsDigit(text[i]) || text.size() > 40)
        return false;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i]))
            continue;
        if (text[i] != '.' || point || i + 1 == text.size())
            return false;
        point = true;
    }
    return true;
}

} // namespace

double ParseLeadingNumber(std::string_view text) {
    if (IsPlainDecimal(text)) {
        double value = 0;
        const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (ec == std::errc() && ptr == text.data() + text.size())
            return value;
    }
    Cursor cursor(text);
    if (cursor.peek() == '&') {
        cursor.next();
        const char radix = cursor.peek();
        if (radix == 'H' || radix == 'h') {
            cursor.next();
            return ReadRadixInteger(cursor, 16);
        }
        if (radix == 'O' || radix == 'o') {
            cursor.next();
            return ReadRadixInteger(cursor, 8);
        }
        return 0;
    }

    bool negative = false;
    if (cursor.peek() == '-' || cursor.peek() == '+') {
        negative = cursor.peek() == '-';
        cursor.next();
    }

    // Mantissa: digits with at most one point. Leading zeros are dropped and
    // the position of the point is kept as a decimal exponent, so the text
    // handed to from_chars is digits only and its magnitude is known.
    std::string digits;
    long long pointShift = 0; // value = 0.digits... scaled by 10^(intDigits)
    long long integerDigits = 0;
    bool seenPoint = false;
    bool anyDigit = false;
    while (!cursor.done()) {
        const char c = cursor.peek();
        if (IsDigit(c)) {
            anyDigit = true;
            if (!digits.empty() || c != '0') {
                digits.push_back(c);
                if (!seenPoint)
                    ++integerDigits;
            } else if (seenPoint) {
                --pointShift; // a zero right after the point, before any other digit
            }
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
        cursor.next();
    }
    if (!anyDigit)
        return 0;

    // Exponent: E or D, an optional sign, at least one digit.
    long long exponent = 0;
    const char e = cursor.peek();
    if (e == 'E' || e == 'e' || e == 'D' || e == 'd') {
        Cursor probe = cursor;
        probe.next();
        bool negativeExponent = false;
        if (probe.peek() == '-' || probe.peek() == '+') {
            negativeExponent = probe.peek() == '-';
            probe.next();
        }
        if (IsDigit(probe.peek())) {
            while (IsDigit(probe.peek())) {
                if (exponent < 1000000000)
                    exponent = exponent * 10 + (probe.peek() - '0');
                probe.next();
            }
            if (negativeExponent)
                exponent = -exponent;
        }
    }

    if (digits.empty())
        return negative ? -0.0 : 0.0;

    // The value is 0.d1d2d3... x 10^magnitude.
    const long long magnitude = integerDigits + pointShift + exponent;
    if (magnitude > 400)
        return negative ? -std::numeric_limits<double>::infinity()
                        : std::numeric_limits<double>::infinity();
    if (magnitude < -400)
        return negative ? -0.0 : 0.0;

    // A double is decided by its first 768 significant digits and whether any
    // digit after them is non-zero: keep 800 and one sticky digit.
    if (digits.size() > 800) {
        const bool restNonZero = digits.find_first_not_of('0', 800) != std::string::npos;
        digits.resize(800);
        if (restNonZero)
            digits.push_back('1');
    }
    digits.insert(digits.begin(), {'0', '.'});
    digits.push_back('e');
    digits += std::to_string(magnitude);

    double value = 0;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range)
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    else if (ec != std::errc())
        value = 0;
    return negative ? -value : value;
}

} // namespace vt::results
