// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rb {

class Form1;

// Connects every handler of the window to its control's events.
void connectHandlers(Form1& f);

// The window's Load handler: coordinate systems, the aquarium's start state, the stopped
// simulation, hidden eating pictures, start pictures and both grids, in this order. Runs
// once, before the window is first shown.
void Form1_Load(Form1& f);

// "Beenden": ends the program at once; nothing is asked.
void cmdEnde_Click(Form1& f);

} // namespace rb
