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

void drawBevel(QPainter& p, const QRect& r, const QColor& face, const Bevel& edge) {
    if (r.width() < 2 || r.height() < 2) {
        return;
    }
    p.fillRect(r, face);
    // Rings one design pixel wide at the form's zoom.
    const int t = zoomedPixels(1);
    const auto ring = [&p, t](const QRect& q, QRgb topLeft, QRgb bottomRight) {
        if (q.width() < 2 * t || q.height() < 2 * t) {
            return;
        }
        if (topLeft != 0) {
            p.fillRect(QRect(q.left(), q.top(), q.width() - t, t), QColor::fromRgb(topLeft));
            p.fillRect(QRect(q.left(), q.top(), t, q.height() - t), QColor::fromRgb(topLeft));
        }
        if (bottomRight != 0) {
            p.fillRect(QRect(q.left(), q.bottom() - t + 1, q.width(), t),
                       QColor::fromRgb(bottomRight));
            p.fillRect(QRect(q.right() - t + 1, q.top(), t, q.height()),
                       QColor::fromRgb(bottomRight));
        }
    };
    ring(r, edge.outerTopLeft, edge.outerBottomRight);
    ring(r.adjusted(t, t, -t, -t), edge.innerTopLeft, edge.innerBottomRight);
}

} // namespace rb
