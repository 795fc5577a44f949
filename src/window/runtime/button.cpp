// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/button.h"

#include "window/runtime/container.h"
#include "window/runtime/drawing.h"

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

    // Picture and caption centred; pressed, they shift one pixel down and right.
    const QPoint shift = down ? QPoint(1, 1) : QPoint(0, 0);
    p.save();
    p.setClipRect(r.adjusted(2, 2, -2, -2));
    if (!m_picture.isNull()) {
        const QSizeF size = m_picture.deviceIndependentSize();
        const QPointF corner((r.width() - size.width()) / 2.0, (r.height() - size.height()) / 2.0);
        p.drawPixmap(QPointF(std::floor(corner.x()), std::floor(corner.y())) + shift, m_picture);
    }
    if (!text().isEmpty()) {
        p.setPen(paletteColor(isEnabled() ? kBlack : kGrey));
        p.setFont(font());
        p.drawText(r.translated(shift), Qt::AlignCenter, text());
    }
    p.restore();

    if (hasFocus()) {
        drawFocusRect(p, r.adjusted(4, 4, -4, -4));
    }
}

} // namespace rb
