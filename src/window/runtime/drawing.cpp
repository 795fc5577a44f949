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

void drawBevel(QPainter& p, const QRect& r, const QColor& face, const Bevel& edge) {
    if (r.width() < 2 || r.height() < 2) {
        return;
    }
    p.fillRect(r, face);
    const auto ring = [&p](const QRect& q, QRgb topLeft, QRgb bottomRight) {
        if (q.width() < 2 || q.height() < 2) {
            return;
        }
        if (topLeft != 0) {
            p.fillRect(QRect(q.left(), q.top(), q.width() - 1, 1), QColor::fromRgb(topLeft));
            p.fillRect(QRect(q.left(), q.top(), 1, q.height() - 1), QColor::fromRgb(topLeft));
        }
        if (bottomRight != 0) {
            p.fillRect(QRect(q.left(), q.bottom(), q.width(), 1), QColor::fromRgb(bottomRight));
            p.fillRect(QRect(q.right(), q.top(), 1, q.height()), QColor::fromRgb(bottomRight));
        }
    };
    ring(r, edge.outerTopLeft, edge.outerBottomRight);
    ring(r.adjusted(1, 1, -1, -1), edge.innerTopLeft, edge.innerBottomRight);
}

} // namespace rb
