// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rb {

class Form1;

// Most feeding pictures set in one generation: n + 1 for the largest n that parameters in
// the spinners' range can give (32 prey eaten), so an absurd typed voracity cannot freeze
// the window.
inline constexpr int kMaxFeedingPicks = 33;

// Timer1's handler: while the simulation runs, computes one generation from the four
// parameter boxes and brings every display up to date, in a fixed order: counter text,
// feeding pictures, "auto" restart, time-series segments (scrolling from generation 241),
// phase trajectory, marker, stock texts, then the stock sliders, each followed by the commit
// of the unrounded stock. Never yields.
void GenerationTick(Form1& f);

} // namespace rb
