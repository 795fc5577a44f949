#include "window/image.h"

#include "window/dragdrop.h"

#include <QPainter>

namespace rb {

Image::Image(Container* container, const QString& name) : LightControl(container, name) {}

void Image::setPicture(const QPixmap& picture) {
    changeGeometry([&] { m_picture = picture; });
}

void Image::setStretch(QSize pixels) {
    changeGeometry([&] {
        m_stretch = true;
        m_stretchSize = pixels;
    });
}

void Image::setDesignSize(QSize pixels) {
    changeGeometry([&] { m_emptySize = pixels; });
}

void Image::drag() { DragController::instance().begin(this); }

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
