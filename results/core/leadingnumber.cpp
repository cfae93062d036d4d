// The leading-number rule by which the modelling-results file and the
// interpolation inputs are read: the characters that continue the number are
// gathered (blanks, tabs and line feeds skipped) and read by std::from_chars.
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

// "&H1F", "&O17": an unsigned integer in base 16 or 8, the digits gathered
// and read by from_chars; digits beyond the range of a 64-bit integer go on
// in floating point.
double ReadRadixInteger(Cursor& cursor, int base) {
    std::string digits;
    for (;; cursor.next()) {
        const char c = cursor.peek();
        const bool octal = c >= '0' && c <= '7';
        const bool hex = IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!(base == 8 ? octal : hex))
            break;
        digits.push_back(c);
    }
    double value = 0;
    for (std::size_t at = 0; at < digits.size(); at += 15) {
        const std::size_t length = std::min<std::size_t>(15, digits.size() - at);
        unsigned long long chunk = 0;
        std::from_chars(digits.data() + at, digits.data() + at + length, chunk, base);
        value = value * std::pow(static_cast<double>(base), static_cast<double>(length)) +
                static_cast<double>(chunk);
    }
    return value;
}

// The decimal number the text starts with, gathered for from_chars: a sign,
// digits with at most one point, and an exponent (E or D, an optional sign, at
// least one digit) written as 'e'. `scale` is the power of ten of its first
// significant digit, roughly, to tell an overflow from an underflow.
struct Gathered {
    std::string text;
    bool anyDigit = false;
    long long scale = 0;
};

void GatherMantissa(Cursor& cursor, Gathered& g) {
    bool point = false;
    bool significant = false;
    for (;; cursor.next()) {
        const char c = cursor.peek();
        if (IsDigit(c)) {
            g.anyDigit = true;
            significant = significant || c != '0';
            if (significant && !point)
                ++g.scale;
            else if (!significant && point)
                --g.scale;
        } else if (c != '.' || point) {
            return;
        } else {
            point = true;
        }
        g.text.push_back(c);
    }
}

void GatherExponent(Cursor& cursor, Gathered& g) {
    const char e = cursor.peek();
    if (e != 'E' && e != 'e' && e != 'D' && e != 'd')
        return;
    Cursor probe = cursor;
    probe.next();
    std::string exponent = "e";
    if (probe.peek() == '-' || probe.peek() == '+') {
        exponent.push_back(probe.peek());
        probe.next();
    }
    if (!IsDigit(probe.peek()))
        return; // "1E" and "1E+" read as 1
    long long value = 0;
    for (; IsDigit(probe.peek()); probe.next()) {
        exponent.push_back(probe.peek());
        value = std::min<long long>(value * 10 + (probe.peek() - '0'), 1'000'000'000);
    }
    g.scale += exponent[1] == '-' ? -value : value;
    g.text += exponent;
    cursor = probe;
}

// The common field, a plain decimal ("123.45", "-0.5") that ends the text or
// is followed by a character that cannot continue a number: the text the
// rule would gather is the field itself, read in place. Anything else (a
// blank, a sign other than a leading '-', an exponent, a second point, a
// radix prefix, a value out of range) goes the general way.
bool ReadPlainDecimal(std::string_view text, double& value) {
    const char* p = text.data();
    const char* const end = p + text.size();
    if (p != end && *p == '-')
        ++p;
    bool digit = false;
    bool point = false;
    for (; p != end; ++p) {
        if (IsDigit(*p))
            digit = true;
        else if (*p == '.' && !point)
            point = true;
        else
            break;
    }
    if (!digit)
        return false;
    if (p != end) {
        const char c = *p;
        if (IsIgnored(c) || c == '.' || c == 'E' || c == 'e' || c == 'D' || c == 'd')
            return false;
    }
    return std::from_chars(text.data(), p, value).ec == std::errc();
}

} // namespace

double ParseLeadingNumber(std::string_view text) {
    if (double value = 0; ReadPlainDecimal(text, value))
        return value;
    Cursor cursor(text);
    if (cursor.peek() == '&') {
        cursor.next();
        const char radix = cursor.peek();
        cursor.next();
        if (radix == 'H' || radix == 'h')
            return ReadRadixInteger(cursor, 16);
        if (radix == 'O' || radix == 'o')
            return ReadRadixInteger(cursor, 8);
        return 0;
    }
    Gathered g;
    if (cursor.peek() == '-' || cursor.peek() == '+') {
        if (cursor.peek() == '-')
            g.text.push_back('-');
        cursor.next();
    }
    GatherMantissa(cursor, g);
    if (!g.anyDigit)
        return 0;
    GatherExponent(cursor, g);

    double value = 0;
    const auto [end, ec] = std::from_chars(g.text.data(), g.text.data() + g.text.size(), value);
    (void)end;
    const bool negative = g.text.front() == '-';
    if (ec == std::errc::result_out_of_range) {
        // Too large reads as infinity (the caller refuses it), too small as 0.
        value = g.scale > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        return negative ? -value : value;
    }
    return ec == std::errc() ? value : 0.0;
}

} // namespace vt::results
