// SPDX-License-Identifier: GPL-3.0-or-later
#include "checks.h"

#include "model/generationtick.h"
#include "support/invariants.h"
#include "window/form1.h"
#include "window/runtime/numtext.h"

#include <QString>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace rbfuzz {

using rbtest::allDigits;
using rbtest::inRange;

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string show(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

// What strtod makes of the number at the start of the text, by rules written independently of
// the reader: blanks and tabs, a sign, then the longest run of characters that can belong to a
// decimal number, handed to strtod (which stops where the number ends). Not a number (strtod's
// "inf", "nan" and hexadecimal forms included) gives 0.
double reference(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const bool startsNumber =
        i < text.size() &&
        (isDigit(text[i]) || (text[i] == '.' && i + 1 < text.size() && isDigit(text[i + 1])));
    if (!startsNumber) {
        return 0;
    }
    std::string run;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (!isDigit(c) && c != '.' && c != 'e' && c != 'E' && c != '+' && c != '-') {
            break;
        }
        run.push_back(c);
    }
    const double value = std::strtod(run.c_str(), nullptr);
    return negative ? -value : value;
}

bool sameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

std::vector<std::string_view> lines(std::string_view text) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            out.push_back(text.substr(start));
            return out;
        }
        out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

// strtod on a line, or nothing when the line is absent or holds no finite number.
bool finiteNumber(const std::vector<std::string_view>& in, std::size_t index, double& value) {
    if (index >= in.size()) {
        return false;
    }
    const std::string line(in[index]);
    char* end = nullptr;
    const double v = std::strtod(line.c_str(), &end);
    if (end == line.c_str() || !std::isfinite(v)) {
        return false;
    }
    value = v;
    return true;
}

} // namespace

std::string checkLeadingNumber(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const double value = rb::leadingNumber(bytes);
    const QString latin1 = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(size));
    const double fromQString = rb::leadingNumber(QStringView(latin1));
    const double expected = reference(bytes);

    if (std::isnan(value)) {
        return "not a number";
    }
    if (!sameBits(value, fromQString)) {
        return "string_view gives " + show(value) + ", QStringView gives " + show(fromQString);
    }
    if (sameBits(value, expected)) {
        return {};
    }
    const bool subnormal = expected != 0 && std::fabs(expected) < DBL_MIN;
    if ((subnormal || expected == 0) && value == 0 &&
        std::signbit(value) == std::signbit(expected)) {
        return {}; // too small for a normal double: 0 with the sign
    }
    return "read " + show(value) + ", strtod reads " + show(expected);
}

std::string checkGeneration(rb::Form1& f, const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> in =
        lines(std::string_view(reinterpret_cast<const char*>(data), size));
    rb::TextBox* boxes[] = {f.txtF1p, f.txtF2W, f.txtF2fress, f.txtF2sterb};
    for (std::size_t b = 0; b < 4; ++b) {
        const std::string_view text = b < in.size() ? in[b] : std::string_view();
        boxes[b]->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    double number = 0;
    if (finiteNumber(in, 4, number)) {
        f.stock1 = number;
    }
    if (finiteNumber(in, 5, number)) {
        f.stock2 = number;
    }
    if (finiteNumber(in, 6, number)) {
        f.generation = static_cast<long long>(std::clamp(number, 0.0, 1e6));
    }
    if (in.size() > 7) {
        f.Check1->setValue(in[7] == "1" ? 1 : 0);
    }
    int ticks = 1;
    if (finiteNumber(in, 8, number)) {
        ticks = static_cast<int>(std::clamp(number, 1.0, 4.0));
    }

    for (int t = 0; t < ticks; ++t) {
        f.stopped = false;
        rb::GenerationTick(f);
    }

    const rb::ScrollBar* sliders[] = {f.HScroll1, f.HScroll2, f.HScroll3, f.HScroll4,
                                      f.VScroll1, f.VScroll2, f.VScroll3, f.VScroll4};
    for (const rb::ScrollBar* s : sliders) {
        if (!inRange(s)) {
            return s->objectName().toStdString() + " at " + std::to_string(s->value());
        }
    }
    if (!std::isfinite(f.stock1) || !std::isfinite(f.stock2) || f.stock1 < 0 || f.stock2 < 0 ||
        f.stock2 > 24) {
        return "stocks " + show(f.stock1) + " and " + show(f.stock2);
    }
    if (!allDigits(f.txtFisch1Bestand->text()) || !allDigits(f.txtFisch2Bestand->text())) {
        return "stock texts \"" + f.txtFisch1Bestand->text().toStdString() + "\" and \"" +
               f.txtFisch2Bestand->text().toStdString() + "\"";
    }
    if (!std::isfinite(f.imgtarget->left()) || !std::isfinite(f.imgtarget->top())) {
        return "phase marker not at a finite place";
    }
    return {};
}

} // namespace rbfuzz
