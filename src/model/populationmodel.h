// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rb {

// The four model parameters as read from the parameter boxes. The spinners give whole
// numbers 0..100; typed values may be anything.
struct ModelParameters {
    double growthRate = 10; // p: prey growth in percent per generation
    double propFactor = 32; // W: predator reproduction factor is 1 + W / 50
    double voracity = 10;   // F: prey eaten per generation is F * x * y / 2400
    double deathRate = 10;  // S: predator deaths in percent per generation
};

struct GenerationResult {
    double newStock1 = 0; // prey: 0, or at least 1; no upper bound
    double newStock2 = 0; // predators: 0, or 1..24
    double eaten = 0;     // prey eaten between the two generations
};

inline constexpr double kPreyCapacity = 32;
inline constexpr double kPredatorMaximum = 24;
// The same limits as whole numbers of fish: the aquarium's pictures, the stock sliders' ends.
inline constexpr int kPreyFish = static_cast<int>(kPreyCapacity);
inline constexpr int kPredatorFish = static_cast<int>(kPredatorMaximum);
inline constexpr double kExtinctionThreshold = 1;

// One generation step from prey stock x and predator stock y. Pure; double precision with
// every operation in the written order, so results agree to the last bit (that order decides
// displayed digits such as 100 * newStock1 floored).
GenerationResult NextGeneration(double stock1, double stock2, const ModelParameters& p);

} // namespace rb
