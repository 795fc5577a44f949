// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rb {

class Form1;
class Image;

// Passes of the swimming animation a second: one pass moves every fish one step and yields
// once; generation ticks run inside the yields at their own pace.
inline constexpr int kPassesPerSecond = 60;

// Start button: clears `stopped` and runs the animation loop (yield, move all 32 prey and 24
// predators, until stopped). Returns when the animation has stopped or the program ends. A
// click while the loop runs is ignored.
// While it runs, assistive technology hears the controls' changes paced
// (setNotificationsPaced).
void Command1_Click(Form1& f);

// Stop button: sets `stopped` and ends the pacing, which reports the final state of every
// control; the pass in progress still moves every fish once.
void Command2_Click(Form1& f);

// One step of fish k (1-based): maybe a new heading (prey 1 in 48, predators 1 in 10), a new
// picture only when its horizontal direction changes, then the step, clamped to the bounds.
void movePrey(Form1& f, int k);
void movePredator(Form1& f, int k);
// One pass: every prey, then every predator, visible or not.
void animationPass(Form1& f);

void connectAnimation(Form1& f);

} // namespace rb
