// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What must hold of the window after any sequence of ticks and inputs, however absurd.

#include "window/runtime/scrollbar.h"

#include <QString>

#include <algorithm>

namespace rbtest {

// The slider's value lies within its range (Min may exceed Max).
inline bool inRange(const rb::ScrollBar* s) {
    const int lo = std::min(s->min(), s->max());
    const int hi = std::max(s->min(), s->max());
    return s->value() >= lo && s->value() <= hi;
}

// A stock text: plain decimal digits, at least one.
inline bool allDigits(const QString& text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

} // namespace rbtest
