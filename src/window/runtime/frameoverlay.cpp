// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/frameoverlay.h"

#include "window/runtime/container.h"
#include "window/runtime/drawing.h"
#include "window/runtime/palette.h"
#include "window/runtime/userscale.h"

#include <QPaintEvent>
#include <QPainter>

namespace rb {

FrameOverlay::FrameOverlay(Container* container) : QFocusFrame(container) {
    setObjectName(container->objectName() + QStringLiteral("Frame"));
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_AcceptDrops, false);
    hide();
}

Container* FrameOverlay::container() const {
    return static_cast<Container*>(parentWidget());
}

void FrameOverlay::sync() {
    const Container* c = container();
    const bool needed = c->hasFrameLine() || c->hasFocus();
    setGeometry(c->rect());
    // Only its lines are the overlay's: a mask of just those keeps it out of the repaints of
    // everything between them (fish swimming inside the frame).
    const int t = zoomedPixels(1);
    const auto ring = [t](const QRect& outer) {
        return QRegion(outer) - QRegion(outer.adjusted(t, t, -t, -t));
    };
    QRegion lines;
    if (c->hasFrameLine()) {
        lines += ring(rect());
    }
    if (c->hasFocus()) {
        lines += ring(c->innerRect().adjusted(t, t, -t, -t));
    }
    if (needed) {
        setMask(lines);
        raise();
        show();
        update();
    } else {
        hide();
    }
}

void FrameOverlay::paintEvent(QPaintEvent* event) {
    // Repainted where something that changed inside the container reaches a line.
    const Container* c = container();
    const QRegion& dirty = event->region();
    QPainter painter(this);
    if (c->hasFrameLine()) {
        drawFrameLine(painter, rect(), paletteColor(kBlack), &dirty);
    }
    if (c->hasFocus()) {
        const int t = zoomedPixels(1);
        drawFocusRect(painter, c->innerRect().adjusted(t, t, -t, -t), &dirty);
    }
}

} // namespace rb
