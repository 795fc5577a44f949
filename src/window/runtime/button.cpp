// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/button.h"

#include "window/runtime/container.h"
#include "window/runtime/drawing.h"
#include "window/runtime/picturezoom.h"
#include "window/runtime/userscale.h"

#include <QKeyEvent>
#include <QPainter>

#include <cmath>

namespace rb {

Button::Button(Container* container, const QString& name) : QAbstractButton(container) {
    setObjectName(name);
    setFocusPolicy(Qt::StrongFocus);
}

void Button::setBackColor(const QColor& colour) {
    m_back = colour;
    update();
}

void Button::setPicture(const QPixmap& picture) {
    m_picture = picture;
    update();
}

void Button::keyPressEvent(QKeyEvent* event) {
    // Space is Qt's own (press on the key, click on its release); Enter clicks at once, as
    // on a focused classic button. A held key clicks once.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (!event->isAutoRepeat()) {
            click();
        }
        event->accept();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void Button::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    const bool down = isDown();
    drawBevel(p, r, m_back, down ? kButtonDown : kButtonUp);
    const int t = zoomedPixels(1); // one design pixel at the zoom
    const int w = r.width();
    const int h = r.height();

    // Picture and caption centred; pressed, they shift one design pixel down and right.
    const QPoint shift = down ? QPoint(t, t) : QPoint(0, 0);
    p.save();
    p.setClipRect(r.adjusted(2 * t, 2 * t, -2 * t, -2 * t));
    if (!m_picture.isNull()) {
        const QPixmap shown = zoomedPicture(m_picture);
        const QSizeF size = shown.deviceIndependentSize();
        const QPointF corner((w - size.width()) / 2.0, (h - size.height()) / 2.0);
        p.drawPixmap(QPointF(std::floor(corner.x()), std::floor(corner.y())) + shift, shown);
    }
    if (!text().isEmpty()) {
        p.setPen(paletteColor(isEnabled() ? kBlack : kGrey));
        p.setFont(font());
        p.drawText(r.translated(shift), Qt::AlignCenter, text());
    }
    p.restore();

    if (hasFocus()) {
        drawFocusRect(p, r.adjusted(4 * t, 4 * t, -4 * t, -4 * t));
    }
}

} // namespace rb
