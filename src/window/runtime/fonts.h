// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rb {

// The window names the classic faces "MS Sans Serif" and "Times New Roman"; where they are
// missing, similar faces stand in at the same size and weight (Liberation Sans and Serif,
// then DejaVu).
void installFontSubstitutes();

} // namespace rb
