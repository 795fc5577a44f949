// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/runtime/container.h"

class QObject;

namespace rb {

class Form1;

// In picphase's units (x = predators 0..24, y = prey 8..32 upward): 7 vertical and 7
// horizontal lines in dark blue, width 1.
void DrawPhaseGrid(Form1& f);

// Clear button "X": erases the trajectory and draws the grid again; the marker, the axis
// pictures, the stocks and the foreground colour stay as they are.
void Command4_Click(Form1& f);

// Mouse-down on the target marker begins a drag of it.
void imgtarget_MouseDown(Form1& f);

// While the marker is dragged over the diagram the stock sliders follow the pointer: prey
// from y, predators from x, each rounded half to even after clamping the point into the
// sliders' ranges (x 0..24, y 0..32).
void picphase_DragOver(Form1& f, QObject* source, double x, double y, DragState state);

// A drop on the diagram centres the marker horizontally on the point, its top half its height
// above the point rounded down to a whole unit. The stocks stay as the last DragOver set them.
void picphase_DragDrop(Form1& f, QObject* source, double x, double y);

// An arrow key on the focused diagram: from the point the stock sliders stand at, Up and Down
// go one prey up or down, Right and Left one predator right or left, kept within the diagram
// (prey 8..32, predators 0..24; from a prey stock below 8 onto the bottom edge). The point is
// then dropped as the mouse would drop the marker there: the sliders as in DragOver, the
// marker as in DragDrop. The new stocks are spoken: "16 Beutefische, 11 Räuber".
void picphase_ArrowKey(Form1& f, int key);

void connectPhaseDiagram(Form1& f);

} // namespace rb
