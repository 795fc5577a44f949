// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Exact comparisons of doubles and the model's parameters for table-driven tests.

#include "model/populationmodel.h"

#include <QString>
#include <QTest>

#include <bit>
#include <cstdint>

namespace rbtest {

// The same double, bit for bit (so 0 and -0 differ, and NaN equals itself).
inline bool sameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

inline rb::ModelParameters modelParameters(double p, double W, double F, double S) {
    rb::ModelParameters m;
    m.growthRate = p;
    m.propFactor = W;
    m.voracity = F;
    m.deathRate = S;
    return m;
}

} // namespace rbtest

// Bit-exact comparison of doubles with a readable message (QCOMPARE on doubles is fuzzy).
#define COMPARE_EXACT(actual, expected)                                                            \
    do {                                                                                           \
        const double a_ = (actual);                                                                \
        const double e_ = (expected);                                                              \
        QVERIFY2(rbtest::sameBits(a_, e_), qPrintable(QStringLiteral("%1 is %2, expected %3")      \
                                                          .arg(QStringLiteral(#actual))            \
                                                          .arg(a_, 0, 'g', 17)                     \
                                                          .arg(e_, 0, 'g', 17)));                  \
    } while (false)
