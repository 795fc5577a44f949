// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace rb {

class Form1;

// The simulation's state in one German sentence for a screen reader: the generation, both
// stocks in fish with two decimals (rounded down, as the stock displays show them) and
// whether it runs, for example "Generation 13, 24,59 Beutefische, 5,25 Räuber, läuft".
QString stateSentence(const Form1& f);

// The key that has the screen reader speak the state, anywhere in the window, without moving
// the focus; the window's accessible description names it.
inline constexpr const char* kStateKey = "F2";

// Connects the state key, the sentence spoken once the stop button has stopped the
// simulation, and the stock displays' descriptions while no generation has been computed.
// After the other handlers: the stop button's own handler runs first.
void connectSpokenState(Form1& f);

} // namespace rb
