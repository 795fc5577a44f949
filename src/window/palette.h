#pragma once

#include <QColor>

namespace rb {

// Colour n (0..15) of the classic 16-colour palette: 0 black, 1 dark blue, 2 green, 3 cyan,
// 4 dark red, 5 purple, 6 olive, 7 light grey, 8 grey, 9 light blue, 10 lime, 11 light cyan,
// 12 red, 13 magenta, 14 yellow, 15 white. Numbers outside 0..15 wrap around (n & 15).
QColor paletteColor(int n);

} // namespace rb
