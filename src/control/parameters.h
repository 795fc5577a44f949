// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace rb {

class Form1;

// The four parameter spinners, in the order a preset sets them: growth rate, proportionality
// factor, voracity, death rate.
struct Preset {
    int growthRate;
    int propFactor;
    int voracity;
    int deathRate;
};

inline constexpr Preset kLargeCycle{40, 60, 40, 10}; // "großer anziehender Zyklus"
inline constexpr Preset kSmallCycle{30, 57, 36, 15}; // "kleiner anziehender Zyklus"
inline constexpr Preset kFixedPoint{30, 34, 36, 15}; // "anziehender Fixpunkt"
inline constexpr Preset kUnstable{12, 24, 36, 15};   // "labiles Gleichgewicht"

// Sets VScroll1..VScroll4 in this order; each spinner that changes rewrites its box.
void applyPreset(Form1& f, const Preset& preset);

// Connects the spinners' Change (each writes its value into its box) and the preset entries.
void connectParameters(Form1& f);

} // namespace rb
