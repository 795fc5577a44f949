// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <string_view>

namespace rb {

// The number at the start of a text: leading blanks skipped, then an optional sign, digits with
// "." as the decimal point in every locale, and an optional exponent; reading stops at the
// first character that does not fit. A text without a number gives 0 (so do "inf" and "nan":
// only digits make a number). A number too large for a double gives +/-infinity, one too
// small gives +/-0.
double leadingNumber(std::string_view text);
double leadingNumber(QStringView text);

// A number as text with a leading blank when it is zero or more (" 5", "-5", " 1.5"): whole
// numbers as plain digits, others with up to 15 significant digits.
QString numberToText(double value);

// A whole number (its fraction is dropped towards zero first) as plain decimal digits with a
// minus sign where negative and no blank, exact for any finite double, 1e308 included.
// Not-a-number and infinities give "0".
QString wholeToDigits(double value);

// The value rounded to the given number of decimals, with a decimal comma and no grouping, as
// German texts read: 24.587 with 2 gives "24,59".
QString decimalComma(double value, int decimals);

} // namespace rb
