// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rb {

class Form1;

// In picDiagramm's units (x = generation 0..800, y = percent 0..100): 11 horizontal and 81
// vertical lines in dark blue, width 1; the width is left at 3 for the curves.
void DrawDiagramGrid(Form1& f);

// Clear button "X": erases the curves, scrolls back to the start, sets the generation
// counter to 0 and draws the grid again. The generation tick runs it in "auto" mode.
void Command3_Click(Form1& f);

// Scroll slider (Change and Scroll): the strip's Left becomes minus the slider's value.
void HScroll4_Change(Form1& f);

void connectTimeSeries(Form1& f);

} // namespace rb
