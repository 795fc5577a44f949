// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/drawing.h"

#include "window/runtime/palette.h"
#include "window/runtime/userscale.h"

#include <QPainter>
#include <QRegion>

#include <array>

namespace rb {

namespace {

// Top, bottom, left and right edge of `outer`, one design pixel wide at the form's zoom.
std::array<QRect, 4> edgesOf(const QRect& outer) {
    const int x = outer.x();
    const int y = outer.y();
    const int w = outer.width();
    const int h = outer.height();
    const int t = zoomedPixels(1);
    return {QRect(x, y, w, t), QRect(x, y + h - t, w, t), QRect(x, y, t, h),
            QRect(x + w - t, y, t, h)};
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
    // Edges one design pixel wide at the zoom.
    const int t = zoomedPixels(1);
    p.fillRect(QRect(x1, y1, r.width() - t, t), light);
    p.fillRect(QRect(x1, y1, t, r.height() - t), light);
    p.fillRect(QRect(x1, y2 - t + 1, r.width(), t), dark);
    p.fillRect(QRect(x2 - t + 1, y1, t, r.height()), dark);
    if (r.width() > 3 * t && r.height() > 3 * t) {
        p.fillRect(QRect(x1 + t, y2 - 2 * t + 1, r.width() - 2 * t, t), shadow);
        p.fillRect(QRect(x2 - 2 * t + 1, y1 + t, t, r.height() - 2 * t), shadow);
    }
}

} // namespace rb
