// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/populationmodel.h"

namespace rb {

GenerationResult NextGeneration(double stock1, double stock2, const ModelParameters& p) {
    const double x = stock1;
    const double y = stock2;
    GenerationResult r;

    // Logistic prey growth towards the capacity, less the prey eaten. The predation divisor
    // is applied as two divisions, by 100 and then by 24.
    const double growth = ((1 - x / kPreyCapacity) * (p.growthRate / 100) + 1) * x;
    const double predation = ((p.voracity * x) * y / 100) / 24;
    r.newStock1 = growth - predation;
    if (r.newStock1 < kExtinctionThreshold) {
        r.newStock1 = 0;
    }

    // The predators of the next generation are the whole reproduced stock (not a change),
    // computed from the old prey stock. The lower threshold comes before the clamp.
    const double gain = ((p.propFactor * 2 + 100) / 100) * x;
    r.newStock2 = (gain * y) / kPreyCapacity - (y * p.deathRate) / 100;
    if (r.newStock2 < kExtinctionThreshold) {
        r.newStock2 = 0;
    }
    if (r.newStock2 > kPredatorMaximum) {
        r.newStock2 = kPredatorMaximum;
    }

    r.eaten = ((p.voracity * x) * y / 100) / 24;
    return r;
}

} // namespace rb
