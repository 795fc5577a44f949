// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the fuzz targets check for each input, shared with the corpus replay test of the
// ordinary test suite. Each check returns an empty text when the input is handled soundly,
// or a description of the fault.

#include <cstddef>
#include <cstdint>
#include <string>

namespace rb {
class Form1;
}

namespace rbfuzz {

// The leading-number reader on the input's bytes: never not-a-number; the same result, to
// the bit, for the bytes as std::string_view and as Latin-1 QString; and the value strtod
// reads from the number at the start (plain decimal only), where the two may differ only in
// the subnormal range (the reader gives 0 there).
std::string checkLeadingNumber(const std::uint8_t* data, std::size_t size);

// One to four generation ticks of the loaded window fed from the input, lines separated by
// '\n': four parameter texts (growth rate, proportionality factor, voracity, death rate),
// then optionally the prey and predator stocks, the generation counter, the auto-restart
// box ("1" ticks it) and the number of ticks; the stocks and the counter are read by strtod,
// and only finite stocks are used (the window never holds another). Afterwards every slider
// must be in its range, the stocks finite with the predators in 0..24, the stock texts plain
// digits, and the phase marker at a finite place.
std::string checkGeneration(rb::Form1& f, const std::uint8_t* data, std::size_t size);

} // namespace rbfuzz
