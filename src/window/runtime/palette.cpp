// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/palette.h"

namespace rb {

QColor paletteColor(int n) {
    return QColor::fromRgb(paletteRgb(n));
}

} // namespace rb
