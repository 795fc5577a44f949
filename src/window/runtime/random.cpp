// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/random.h"

#include <chrono>

namespace rb {

Random& Random::shared() {
    static Random instance;
    return instance;
}

double Random::next() {
    // 53 random bits scaled into [0, 1): never 1.
    return static_cast<double>(m_engine() >> 11) * 0x1.0p-53;
}

void Random::randomize() {
    if (m_fixed) {
        m_engine.seed(*m_fixed);
        return;
    }
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    m_engine.seed(static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}

void Random::seed(std::uint64_t value) {
    m_engine.seed(value);
}

} // namespace rb
