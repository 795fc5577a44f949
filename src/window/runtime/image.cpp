// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/image.h"

#include "window/runtime/dragdrop.h"
#include "window/runtime/userscale.h"

#include <QPainter>

namespace rb {

Image::Image(Container* container, const QString& name) : LightControl(container, name) {}

void Image::setPicture(const QPixmap& picture) {
    changeGeometry([&] { m_picture = picture; });
}

void Image::setStretch(double widthTwips, double heightTwips) {
    changeGeometry([&] {
        m_stretch = true;
        m_stretchSize = QSize(twipsToWholePixels(widthTwips), twipsToWholePixels(heightTwips));
    });
}

void Image::setDesignSize(double widthTwips, double heightTwips) {
    changeGeometry([&] {
        m_emptySize = QSize(twipsToWholePixels(widthTwips), twipsToWholePixels(heightTwips));
    });
}

void Image::drag() {
    if (Drag::begin(this)) {
        m_dragged = true;
    }
}

bool Image::mousePress(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF at) {
    m_dragged = false;
    emit mouseDown(button, modifiers, at.x(), at.y());
    return true;
}

void Image::mouseRelease(bool inside) {
    if (!m_dragged && inside) {
        emit click();
    }
    m_dragged = false;
}

QSizeF Image::pixelSize() const {
    if (m_stretch) {
        return m_stretchSize;
    }
    return m_picture.isNull() ? QSizeF(m_emptySize) : m_picture.deviceIndependentSize();
}

void Image::paint(QPainter& painter) const {
    if (m_picture.isNull()) {
        return;
    }
    if (m_stretch) {
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(pixelRect(), m_picture, QRectF(m_picture.rect()));
        painter.restore();
    } else {
        painter.drawPixmap(pixelRect().topLeft(), m_picture);
    }
}

} // namespace rb
