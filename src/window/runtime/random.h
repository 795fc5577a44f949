// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <random>

namespace rb {

// The program's one shared source of uniform random numbers in [0, 1).
class Random {
public:
    static Random& shared();

    // Next number, uniform in [0, 1).
    double next();
    // Reseed from the time of day (or from the fixed seed, when one is set).
    void randomize();
    // Fixed seed, for repeatable runs in tests.
    void seed(std::uint64_t value);
    // Makes every later randomize() seed with this value instead of the time (tests).
    void fixSeed(std::optional<std::uint64_t> value) { m_fixed = value; }

private:
    std::mt19937_64 m_engine{0x5eed};
    std::optional<std::uint64_t> m_fixed;
};

// Shorthand for Random::shared().next().
inline double rnd() {
    return Random::shared().next();
}

} // namespace rb
