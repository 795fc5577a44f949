// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/drawing.h"

#include "window/runtime/palette.h"

#include <QPainter>

namespace rb {

void drawFrameLine(QPainter& painter, const QRect& outer, const QColor& colour) {
    const int x = outer.x();
    const int y = outer.y();
    const int w = outer.width();
    const int h = outer.height();
    painter.fillRect(QRect(x, y, w, 1), colour);
    painter.fillRect(QRect(x, y + h - 1, w, 1), colour);
    painter.fillRect(QRect(x, y, 1, h), colour);
    painter.fillRect(QRect(x + w - 1, y, 1, h), colour);
}

void drawFocusRect(QPainter& painter, const QRect& outer) {
    if (outer.width() < 1 || outer.height() < 1) {
        return;
    }
    const QRect edges[] = {
        QRect(outer.x(), outer.y(), outer.width(), 1),
        QRect(outer.x(), outer.bottom(), outer.width(), 1),
        QRect(outer.x(), outer.y(), 1, outer.height()),
        QRect(outer.right(), outer.y(), 1, outer.height()),
    };
    const QBrush dots(paletteColor(kBlack), Qt::Dense4Pattern);
    for (const QRect& e : edges) {
        painter.fillRect(e, paletteColor(kWhite));
        painter.fillRect(e, dots);
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
