// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

#include <array>
#include <cstddef>

namespace rb {

// The classic 16-colour palette, the program's one: 0 black, 1 dark blue, 2 green, 3 cyan,
// 4 dark red, 5 purple, 6 olive, 7 light grey, 8 grey, 9 light blue, 10 lime, 11 light cyan,
// 12 red, 13 magenta, 14 yellow, 15 white.
inline constexpr std::array<QRgb, 16> kPalette = {
    qRgb(0, 0, 0),       qRgb(0, 0, 128),   qRgb(0, 128, 0),   qRgb(0, 128, 128),
    qRgb(128, 0, 0),     qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(0, 0, 255),   qRgb(0, 255, 0),   qRgb(0, 255, 255),
    qRgb(255, 0, 0),     qRgb(255, 0, 255), qRgb(255, 255, 0), qRgb(255, 255, 255),
};

// Colour n of the palette; numbers outside 0..15 wrap around (n & 15).
QColor paletteColor(int n);
// The same colour as an RGB value, for tables built at compile time.
constexpr QRgb paletteRgb(int n) {
    return kPalette[static_cast<std::size_t>(n & 15)];
}

// The palette numbers this program names.
enum PaletteNumber : int {
    kBlack = 0,
    kDarkBlue = 1,
    kCyan = 3,
    kLightGrey = 7,
    kGrey = 8,
    kLightBlue = 9,
    kYellow = 14,
    kWhite = 15,
};

} // namespace rb
