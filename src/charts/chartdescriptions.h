// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace rb {

class Form1;

// What the phase diagram shows besides its grid: the newest point the generation tick drew
// (none at start and after clearing) and the stocks the target marker marks (the newest point
// of the tick, or the point of the last drop, by mouse or by arrow keys), in fish.
struct PhaseMarks {
    bool drawn = false;
    double prey = 0;
    double predators = 0;
    double markerPrey = 0;
    double markerPredators = 0;
};

// What the diagrams show now, in German words for a screen reader; their accessible
// descriptions are the design text (axes, units, keys) followed by these:
// - the time-series diagram: the generations in view and the newest values in percent, made
//   from the current state alone;
// - the phase diagram: the newest point drawn, if any, and where the target marker stands.
QString timeSeriesDescription(const Form1& f);
QString phaseDiagramDescription(const PhaseMarks& marks);

// The first generation in view in the time-series diagram (whole, rounded to nearest).
int firstGenerationInView(const Form1& f);

// Keeps both diagrams' descriptions current while a screen reader listens (following the
// ticks, drops and clearing of the phase diagram), and has the diagram's scroll bar read as
// the first generation in view.
void connectChartDescriptions(Form1& f);

} // namespace rb
