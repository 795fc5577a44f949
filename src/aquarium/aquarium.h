// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rb {

class Form1;

inline constexpr int kPreyPictures = 32;
inline constexpr int kPredatorPictures = 24;

// Hides and scatters every fish over aquarium units [0, 720) with heading code "1", prey in
// front of predators, then shows prey 1 and sets the stocks to 1 and 0. Reseeds the shared
// random source and draws from it in a fixed order: per fish Left then Top, predators first.
void ResetAquarium(Form1& f);

// Start pictures: prey k gets bildfisch(k mod 4), predator k gets Image1(k mod 2).
void assignStartPictures(Form1& f);

// Stock sliders (Change and Scroll): with value n, fish 1..n of that species are shown and
// the others hidden, the stock box shows n, and the stock becomes n.
void HScroll1_Change(Form1& f);
void HScroll2_Change(Form1& f);

void connectAquarium(Form1& f);

} // namespace rb
