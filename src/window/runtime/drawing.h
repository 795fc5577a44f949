// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/runtime/palette.h"

#include <QColor>
#include <QRect>

class QPainter;
class QRegion;

namespace rb {

// The flat look: a one-pixel frame line along the inside of `outer`, exactly the outermost
// pixel at any device pixel ratio. Given `within` (the area being repainted), only the edges
// that reach into it are drawn: the others would be cut away whole, at a cost.
void drawFrameLine(QPainter& painter, const QRect& outer, const QColor& colour,
                   const QRegion* within = nullptr);

// The focus mark of every control: a rectangle one pixel wide along the inside of `outer`, its
// pixels alternately black and white so that it shows on any background, black included.
// `within` as above.
void drawFocusRect(QPainter& painter, const QRect& outer, const QRegion* within = nullptr);

// A classic 3-D edge: two rings one design pixel wide (at the form's zoom), the outer along the
// inside of the face, the inner inside that; each has one colour along its top and left and another
// along its bottom and right, which take the corners they share. 0 leaves a side in the face's
// colour.
struct Bevel {
    QRgb outerTopLeft = 0;
    QRgb outerBottomRight = 0;
    QRgb innerTopLeft = 0;
    QRgb innerBottomRight = 0;
};

// The edges of the classic look. Raised: a scroll bar's arrow buttons and thumb, white and
// black with a grey inner shadow; pressed, the same part sunken: a grey frame line.
inline constexpr Bevel kRaised{paletteRgb(kWhite), paletteRgb(kBlack), 0, paletteRgb(kGrey)};
inline constexpr Bevel kSunken{paletteRgb(kGrey), paletteRgb(kGrey), 0, 0};
// A command button: a black frame, inside it white and a dark grey shade, which swap while
// the button is pressed.
inline constexpr QRgb kButtonShade = qRgb(64, 64, 64);
inline constexpr Bevel kButtonUp{paletteRgb(kBlack), paletteRgb(kBlack), paletteRgb(kWhite),
                                 kButtonShade};
inline constexpr Bevel kButtonDown{paletteRgb(kBlack), paletteRgb(kBlack), kButtonShade,
                                   paletteRgb(kWhite)};
// A check box's box, sunken into the surface: grey over black at the top and left, white over
// light grey at the bottom and right.
inline constexpr Bevel kCheckBox{paletteRgb(kGrey), paletteRgb(kWhite), paletteRgb(kBlack),
                                 paletteRgb(kLightGrey)};

// The one bevel of every control: `r` filled with `face`, and the edge along its inside. A
// rectangle narrower or lower than 2 pixels is left alone; an inner ring needs 4.
void drawBevel(QPainter& painter, const QRect& r, const QColor& face, const Bevel& edge);

} // namespace rb
