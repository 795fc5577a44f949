// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/drawing.h"

#include "window/runtime/palette.h"

#include <QPainter>
#include <QRegion>

#include <array>

namespace rb {

namespace {

// Top, bottom, left and right edge of `outer`, one pixel wide.
std::array<QRect, 4> edgesOf(const QRect& outer) {
    const int x = outer.x();
    const int y = outer.y();
    const int w = outer.width();
    const int h = outer.height();
    return {QRect(x, y, w, 1), QRect(x, y + h - 1, w, 1), QRect(x, y, 1, h),
            QRect(x + w - 1, y, 1, h)};
}

} // namespace

void drawFrameLine(QPainter& painter, const QRect& outer, const QColor& colour,
                   const QRegion* within) {
    if (!within) {
        for (const QRect& e : edgesOf(outer)) {
            painter.fillRect(e, colour);
        }
        return;
    }
    // Each piece of an edge inside the repaint under a clip of just that piece: under the
    // repaint's own clip of many rectangles, every fill would go through span clipping.
    painter.save();
    for (const QRect& e : edgesOf(outer)) {
        for (const QRect& piece : within->intersected(e)) {
            painter.setClipRect(piece);
            painter.fillRect(piece, colour);
        }
    }
    painter.restore();
}

void drawFocusRect(QPainter& painter, const QRect& outer, const QRegion* within) {
    if (outer.width() < 1 || outer.height() < 1) {
        return;
    }
    const QBrush dots(paletteColor(kBlack), Qt::Dense4Pattern);
    for (const QRect& e : edgesOf(outer)) {
        if (!within || within->intersects(e)) {
            painter.fillRect(e, paletteColor(kWhite));
            painter.fillRect(e, dots);
        }
    }
}

void drawBevel(QPainter& p, const QRect& r, bool sunken) {
    if (r.width() < 2 || r.height() < 2) {
        return;
    }
    const QColor face = paletteColor(kLightGrey);
    const QColor light = paletteColor(kWhite);
    const QColor shadow = paletteColor(kGrey);
    const QColor dark = paletteColor(kBlack);
    p.fillRect(r, face);
    const int x1 = r.left();
    const int y1 = r.top();
    const int x2 = r.right();
    const int y2 = r.bottom();
    if (sunken) {
        drawFrameLine(p, r, shadow);
        return;
    }
    p.fillRect(QRect(x1, y1, r.width() - 1, 1), light);
    p.fillRect(QRect(x1, y1, 1, r.height() - 1), light);
    p.fillRect(QRect(x1, y2, r.width(), 1), dark);
    p.fillRect(QRect(x2, y1, 1, r.height()), dark);
    if (r.width() > 3 && r.height() > 3) {
        p.fillRect(QRect(x1 + 1, y2 - 1, r.width() - 2, 1), shadow);
        p.fillRect(QRect(x2 - 1, y1 + 1, 1, r.height() - 2), shadow);
    }
}

} // namespace rb
