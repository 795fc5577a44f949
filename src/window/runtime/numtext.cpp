// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/numtext.h"

#include <QStringBuilder>

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace rb {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the longest prefix of s that has the shape digits [. digits] [e [sign] digits],
// with at least one mantissa digit; 0 when there is none.
std::size_t numberShape(std::string_view s) {
    std::size_t i = 0;
    std::size_t mantissaDigits = 0;
    while (i < s.size() && isDigit(s[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < s.size() && s[i] == '.') {
        std::size_t j = i + 1;
        while (j < s.size() && isDigit(s[j])) {
            ++j;
            ++mantissaDigits;
        }
        if (mantissaDigits > 0) {
            i = j;
        }
    }
    if (mantissaDigits == 0) {
        return 0;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            ++j;
        }
        if (j < s.size() && isDigit(s[j])) {
            while (j < s.size() && isDigit(s[j])) {
                ++j;
            }
            i = j;
        }
    }
    return i;
}

// Decimal exponent of the leading significant digit of a number of that shape, saturated;
// decides between overflow and underflow when the value does not fit a double.
long long leadingExponent(std::string_view s) {
    long long exponent = 0;
    const std::size_t e = s.find_first_of("eE");
    const std::string_view mantissa = s.substr(0, e);
    if (e != std::string_view::npos) {
        std::size_t j = e + 1;
        const bool negative = j < s.size() && s[j] == '-';
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            ++j;
        }
        for (; j < s.size(); ++j) {
            exponent = std::min<long long>(exponent * 10 + (s[j] - '0'), 1'000'000'000);
        }
        if (negative) {
            exponent = -exponent;
        }
    }
    const std::size_t point = mantissa.find('.');
    const std::size_t intEnd = point == std::string_view::npos ? mantissa.size() : point;
    const std::size_t firstNonZero = mantissa.find_first_of("123456789");
    if (firstNonZero == std::string_view::npos) {
        return std::numeric_limits<long long>::min(); // the value is zero
    }
    const auto position = static_cast<long long>(firstNonZero);
    const auto intLength = static_cast<long long>(intEnd);
    return exponent + (position < intLength ? intLength - position - 1 : intLength - position);
}

} // namespace

double leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::string_view rest = text.substr(i);
    const std::size_t length = numberShape(rest);
    if (length == 0) {
        return 0;
    }
    const std::string_view number = rest.substr(0, length);
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        value = leadingExponent(number) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (result.ec != std::errc()) {
        value = 0;
    }
    return negative ? -value : value;
}

double leadingNumber(QStringView text) {
    // Only ASCII can belong to a number; anything else ends it, so map it to a stop mark.
    std::string ascii;
    ascii.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        ascii.push_back(c.unicode() < 128 ? static_cast<char>(c.unicode()) : '\x01');
    }
    return leadingNumber(std::string_view(ascii));
}

QString numberToText(double value) {
    if (std::isnan(value)) {
        return QStringLiteral(" NaN");
    }
    if (std::isinf(value)) {
        return value > 0 ? QStringLiteral(" Inf") : QStringLiteral("-Inf");
    }
    QString digits;
    if (value == std::trunc(value) && std::fabs(value) < 1e15) {
        digits = wholeToDigits(value);
    } else {
        std::array<char, 64> buf{};
        const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                                     std::chars_format::general, 15);
        digits = QString::fromLatin1(buf.data(), r.ptr - buf.data());
        if (digits.contains(QLatin1Char('e'))) {
            // 1.5e+20 -> 1.5E+20, the usual form for an exponent.
            digits.replace(QLatin1Char('e'), QLatin1Char('E'));
        }
    }
    return value >= 0 ? QLatin1Char(' ') % digits : digits;
}

QString wholeToDigits(double value) {
    if (!std::isfinite(value)) {
        return QStringLiteral("0");
    }
    value = std::trunc(value);
    if (value == 0) {
        return QStringLiteral("0"); // also for -0
    }
    // Fixed notation of an integral double: plain digits, 309 at most, no overflow.
    std::array<char, 400> buf{};
    const auto r =
        std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed);
    return QString::fromLatin1(buf.data(), r.ptr - buf.data());
}

QString decimalComma(double value, int decimals) {
    return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), QLatin1Char(','));
}

} // namespace rb
