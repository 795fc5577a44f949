#include "window/runtime/palette.h"

namespace rb {

QColor paletteColor(int n) { return QColor::fromRgb(paletteRgb(n)); }

} // namespace rb
