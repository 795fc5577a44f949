// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace rb {

class Form1;

// What the diagrams show now, in German words for a screen reader, made from the current
// state alone (no history is kept); their accessible descriptions are the design text (axes
// and units) followed by these:
// - the time-series diagram: the generations in view and the newest values in percent;
// - the phase diagram: the newest point of the trajectory and where the target marker stands.
QString timeSeriesDescription(const Form1& f);
QString phaseDiagramDescription(const Form1& f);

// The first generation in view in the time-series diagram (whole, rounded to nearest).
int firstGenerationInView(const Form1& f);

// Keeps both diagrams' descriptions current while a screen reader listens, and has the
// diagram's scroll bar read as the first generation in view.
void connectChartDescriptions(Form1& f);

} // namespace rb
