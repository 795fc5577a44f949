// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/image.h"

#include "window/runtime/dragdrop.h"
#include "window/runtime/paintedrect.h"
#include "window/runtime/picturezoom.h"
#include "window/runtime/userscale.h"

#include <QHash>
#include <QImage>
#include <QPainter>

namespace rb {

namespace {

// The smallest rectangle holding every pixel of `picture` that is not fully transparent.
// Pictures are few and shared among many images: each is looked at once.
QRect inkedPart(const QPixmap& picture) {
    if (!picture.hasAlphaChannel()) {
        return picture.rect();
    }
    constexpr int kMostKnown = 256; // pictures made anew over and over are forgotten again
    static QHash<qint64, QRect> known;
    const auto found = known.constFind(picture.cacheKey());
    if (found != known.constEnd()) {
        return *found;
    }
    if (known.size() >= kMostKnown) {
        known.clear();
    }
    const QRect inked =
        paintedRect(picture.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied));
    known.insert(picture.cacheKey(), inked);
    return inked;
}

} // namespace

Image::Image(Container* container, const QString& name) : LightControl(container, name) {}

void Image::setPicture(const QPixmap& picture) {
    changeGeometry([&] {
        m_picture = picture;
        m_inked = picture.isNull() ? QRect() : inkedPart(picture);
        m_shownZoom = 0;
    });
}

void Image::setStretch(double widthTwips, double heightTwips) {
    changeGeometry([&] {
        m_stretch = true;
        m_stretchTwips = QSizeF(widthTwips, heightTwips);
        m_shownZoom = 0;
    });
}

void Image::setDesignSize(double widthTwips, double heightTwips) {
    changeGeometry([&] { m_emptyTwips = QSizeF(widthTwips, heightTwips); });
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
        return QSizeF(twipsToWholePixels(m_stretchTwips.width()),
                      twipsToWholePixels(m_stretchTwips.height()));
    }
    if (m_picture.isNull()) {
        return QSizeF(twipsToWholePixels(m_emptyTwips.width()),
                      twipsToWholePixels(m_emptyTwips.height()));
    }
    return formZoom() == 1.0 ? m_picture.deviceIndependentSize()
                             : QSizeF(zoomedPictureSize(m_picture));
}

void Image::paint(QPainter& painter) const {
    if (m_picture.isNull()) {
        return;
    }
    if (formZoom() != 1.0) {
        // Made anew at the shown size from the picture's source: sharp at every zoom.
        if (m_shownZoom != formZoom()) {
            m_shown = pictureAtSize(m_picture, pixelSize().toSize());
            m_shownInked = inkedPart(m_shown);
            m_shownZoom = formZoom();
        }
        if (!m_shownInked.isEmpty()) {
            const qreal dpr = m_shown.devicePixelRatio();
            painter.drawPixmap(pixelRect().topLeft() + QPointF(m_shownInked.topLeft()) / dpr,
                               m_shown, QRectF(m_shownInked));
        }
        return;
    }
    if (m_stretch) {
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(pixelRect(), m_picture, QRectF(m_picture.rect()));
        painter.restore();
    } else if (m_inked == m_picture.rect()) {
        painter.drawPixmap(pixelRect().topLeft(), m_picture);
    } else if (!m_inked.isEmpty()) {
        const qreal dpr = m_picture.devicePixelRatio();
        painter.drawPixmap(pixelRect().topLeft() + QPointF(m_inked.topLeft()) / dpr, m_picture,
                           QRectF(m_inked));
    }
}

} // namespace rb
