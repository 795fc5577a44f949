// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QFont;

namespace rb {

// The window names the classic faces "MS Sans Serif" and "Times New Roman"; where they are
// missing, similar faces stand in at the same size and weight (Liberation Sans and Serif,
// then DejaVu). Windows has "MS Sans Serif" only as a bitmap face of a few pixel sizes, which
// no zoom can scale; there its TrueType form "Microsoft Sans Serif" stands in for it (then
// Liberation Sans, Arial and Tahoma, as under Wine).
void installFontSubstitutes();

// A font of the window asks for a face drawn from outlines, so that a bitmap face of the
// name is passed over for its substitute (on Windows; elsewhere every face is an outline).
void passOverBitmapFaces(QFont& font);

} // namespace rb
