// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

// The focus mark: a rectangle one pixel wide along the inside of `outer`, its pixels
// alternately black and white so that it shows on any background. `within` as above.
void drawFocusRect(QPainter& painter, const QRect& outer, const QRegion* within = nullptr);

// The classic raised 3-D face (or, pressed, sunken): light grey, white top-left edge, black
// bottom-right edge with a grey inner shadow.
void drawBevel(QPainter& painter, const QRect& r, bool sunken);

} // namespace rb
