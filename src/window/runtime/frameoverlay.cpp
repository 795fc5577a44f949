// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/frameoverlay.h"

#include "window/runtime/container.h"
#include "window/runtime/drawing.h"
#include "window/runtime/palette.h"

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
    if (needed) {
        raise();
        show();
        update();
    } else {
        hide();
    }
}

void FrameOverlay::paintEvent(QPaintEvent*) {
    const Container* c = container();
    QPainter painter(this);
    if (c->hasFrameLine()) {
        drawFrameLine(painter, rect(), paletteColor(kBlack));
    }
    if (c->hasFocus()) {
        drawFocusRect(painter, c->innerRect().adjusted(1, 1, -1, -1));
    }
}

} // namespace rb
