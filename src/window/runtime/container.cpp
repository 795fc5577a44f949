// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/container.h"

#include "window/runtime/drawing.h"
#include "window/runtime/frameoverlay.h"
#include "window/runtime/lightcontrol.h"
#include "window/runtime/palette.h"
#include "window/runtime/picturezoom.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace rb {

namespace {
// After the last of a burst of zoom changes: the picture sharp again.
constexpr int kSharpenMs = 100;
} // namespace

Container::Container(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_scale = UserScale::twips(innerRect().size());
    m_sharpen.setSingleShot(true);
    m_sharpen.setInterval(kSharpenMs);
    connect(&m_sharpen, &QTimer::timeout, this, [this] {
        m_shownPicture = zoomedPicture(m_picture);
        m_scaledForNow = false;
        update();
    });
}

Container::~Container() {
    // Light controls are QObject children and go with the container; stop them from
    // unregistering themselves from a container that is being destroyed.
    for (LightControl* c : m_lights) {
        c->m_container = nullptr;
    }
    m_lights.clear();
}

void Container::setBackColor(const QColor& colour) {
    m_backColor = colour;
    update();
}

void Container::setPicture(const QPixmap& picture) {
    m_picture = picture;
    m_shownPicture = zoomedPicture(picture);
    m_scaledForNow = false;
    m_sharpen.stop();
    update();
}

void Container::setFrameLine(bool on) {
    if (on == m_frameLine) {
        return;
    }
    m_frameLine = on;
    m_scale.setInnerPixels(innerRect().size());
    innerResized();
    syncOverlay();
    update();
}

void Container::syncOverlay() {
    if (!m_overlay && (m_frameLine || hasFocus())) {
        m_overlay = new FrameOverlay(this);
    }
    if (m_overlay) {
        m_overlay->sync();
    }
}

void Container::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool arrow =
        key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    if (arrow && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
        isSignalConnected(QMetaMethod::fromSignal(&Container::arrowKey))) {
        emit arrowKey(key);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Container::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    syncOverlay();
}

void Container::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    syncOverlay();
}

QRect Container::innerRect() const {
    const int t = zoomedPixels(1);
    return m_frameLine ? rect().adjusted(t, t, -t, -t) : rect();
}

void Container::setScale(double x1, double y1, double x2, double y2) {
    const bool finite =
        std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2);
    if (!finite || x1 == x2 || y1 == y2) {
        return;
    }
    std::vector<QPointF> corners;
    corners.reserve(m_lights.size());
    for (LightControl* c : m_lights) {
        corners.emplace_back(m_scale.xToPixels(c->left()), m_scale.yToPixels(c->top()));
    }
    m_scale = UserScale(x1, y1, x2, y2, innerRect().size());
    for (std::size_t k = 0; k < m_lights.size(); ++k) {
        m_lights[k]->rescale(corners[k].x(), corners[k].y());
    }
    update();
}

namespace {
constexpr const char* kTwipsProperty = "rbPlaceTwips";
} // namespace

void Container::placeTwips(QWidget* child, const Twips& place) {
    setPlaceOf(child, place);
    // Right and bottom edges rounded like the left and top ones, so that controls that meet in
    // the design meet at every zoom.
    const QPoint origin = innerRect().topLeft();
    const int left = twipsToWholePixels(place.left);
    const int top = twipsToWholePixels(place.top);
    const int width = formZoom() == 1.0 ? twipsToWholePixels(place.width)
                                        : twipsToWholePixels(place.left + place.width) - left;
    const int height = formZoom() == 1.0 ? twipsToWholePixels(place.height)
                                         : twipsToWholePixels(place.top + place.height) - top;
    child->setGeometry(origin.x() + left, origin.y() + top, width, height);
}

Twips Container::placeOf(const QWidget* child) {
    const QRectF r = child->property(kTwipsProperty).toRectF();
    return {r.x(), r.y(), r.width(), r.height()};
}

void Container::setPlaceOf(QWidget* child, const Twips& place) {
    child->setProperty(kTwipsProperty, QRectF(place.left, place.top, place.width, place.height));
}

void Container::applyZoom() {
    // At once scaled from the picture itself, sharp once the zoom rests.
    m_scaledForNow = !m_picture.isNull() &&
                     QSizeF(zoomedPictureSize(m_picture)) != m_picture.deviceIndependentSize();
    m_shownPicture = m_scaledForNow ? QPixmap() : zoomedPicture(m_picture);
    if (m_scaledForNow) {
        m_sharpen.start();
    } else {
        m_sharpen.stop();
    }
    m_scale.setInnerPixels(innerRect().size());
    for (QObject* object : children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (child && child->property(kTwipsProperty).isValid()) {
            placeTwips(child, placeOf(child));
        }
        if (auto* inner = qobject_cast<Container*>(object)) {
            inner->applyZoom();
        }
    }
    innerResized();
    syncOverlay();
    update();
}

LightControl* Container::lightControlAt(QPointF pixel) const {
    for (auto it = m_lights.rbegin(); it != m_lights.rend(); ++it) {
        if ((*it)->hitTest(pixel)) {
            return *it;
        }
    }
    return nullptr;
}

void Container::bringToFront(LightControl* control) {
    auto it = std::find(m_lights.begin(), m_lights.end(), control);
    if (it != m_lights.end() && it + 1 != m_lights.end()) {
        std::rotate(it, it + 1, m_lights.end());
    }
}

QPointF Container::toUserUnits(QPointF widgetPixel) const {
    return m_scale.fromPixels(widgetPixel - QPointF(innerRect().topLeft()));
}

void Container::invalidate(const QRect& dirty) {
    const QRect r = dirty & rect();
    if (r.isEmpty()) {
        return;
    }
    m_invalid.add(r);
    if (!m_flushPosted) {
        m_flushPosted = true;
        QMetaObject::invokeMethod(this, &Container::flushInvalidated, Qt::QueuedConnection);
    }
}

void Container::flushInvalidated() {
    m_flushPosted = false;
    // Light controls lie below every widget child: what a child that paints all its pixels
    // covers shows no change of theirs and is not repainted.
    for (QObject* object : children()) {
        const auto* child = qobject_cast<QWidget*>(object);
        if (child && !child->isHidden() && dynamic_cast<const PaintsWholeArea*>(child)) {
            m_invalid.subtract(child->geometry());
        }
    }
    if (m_invalid.isEmpty()) {
        return;
    }
    const QRegion area = m_invalid.region();
    m_repainting.take(m_invalid);
    m_repaintingRegion = m_repainting.region();
    update(area);
}

void Container::addLightControl(LightControl* control) {
    m_lights.push_back(control);
}

void Container::removeLightControl(LightControl* control) {
    m_lights.erase(std::remove(m_lights.begin(), m_lights.end(), control), m_lights.end());
    update();
}

void Container::paintSurface(QPainter& painter, const QRect& dirty, const QRegion* /*within*/) {
    const QRect inner = innerRect();
    const QPixmap& picture = m_scaledForNow ? m_picture : m_shownPicture;
    const QSizeF size =
        m_scaledForNow ? QSizeF(zoomedPictureSize(m_picture)) : picture.deviceIndependentSize();
    const QRect pictureArea =
        picture.isNull() ? QRect() : QRect(inner.topLeft(), size.toSize()) & inner;
    // Only what the picture does not cover needs the back colour; below a picture with
    // transparent pixels, all of it.
    if (!pictureArea.contains(dirty)) {
        if (picture.hasAlphaChannel() || !pictureArea.intersects(dirty)) {
            painter.fillRect(dirty, m_backColor);
        } else {
            for (const QRect& r : QRegion(dirty) - pictureArea) {
                painter.fillRect(r, m_backColor);
            }
        }
    }
    const QRect area = dirty & pictureArea;
    if (!area.isEmpty()) {
        // Device pixels of the picture per logical pixel shown: its device pixel ratio, or
        // while it is scaled for now, that over the zoom.
        const double kx = picture.width() / size.width();
        const double ky = picture.height() / size.height();
        const QRect local = area.translated(-inner.topLeft());
        painter.drawPixmap(
            QRectF(area), picture,
            QRectF(local.x() * kx, local.y() * ky, local.width() * kx, local.height() * ky));
    }
}

void Container::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // Painted rectangle by rectangle under simple rectangular clips where that takes few
    // rectangles: the region's own when it has few (Qt leaves out what opaque children cover),
    // else the areas gathered from moving controls when the repaint is for those. Anything
    // else as one rectangle under the region's clip.
    constexpr int kFewRectangles = 4;
    const QRegion& region = event->region();
    std::vector<QRect> areas;
    bool clipped = false;
    if (region.rectCount() <= kFewRectangles) {
        areas.assign(region.begin(), region.end());
    } else if (!m_repainting.isEmpty() && (region - m_repaintingRegion).isEmpty()) {
        areas = m_repainting.pieces();
    } else {
        areas.push_back(event->rect());
        clipped = true;
    }
    m_repainting.clear();
    m_repaintingRegion = QRegion();

    std::vector<std::pair<LightControl*, QRectF>> shown;
    shown.reserve(m_lights.size());
    for (LightControl* c : m_lights) {
        if (c->isVisible()) {
            shown.emplace_back(c, c->pixelRect());
        }
    }
    const QRect inner = innerRect();
    for (const QRect& dirty : areas) {
        if (clipped) {
            paintSurface(painter, dirty, &region);
            painter.setClipRegion(region & inner);
        } else {
            painter.setClipRect(dirty);
            paintSurface(painter, dirty, nullptr);
            painter.setClipRect(dirty & inner);
        }
        for (const auto& [c, place] : shown) {
            if (place.intersects(dirty)) {
                c->paint(painter);
            }
        }
    }
    // The frame line is the overlay's: it lies above the widgets inside.
}

void Container::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_scale.setInnerPixels(innerRect().size());
    innerResized();
    if (m_overlay) {
        m_overlay->sync();
    }
}

void Container::mousePressEvent(QMouseEvent* event) {
    LightControl* hit = lightControlAt(event->position());
    if (!hit ||
        !hit->mousePress(event->button(), event->modifiers(), toUserUnits(event->position()))) {
        event->ignore();
        return;
    }
    m_pressed = hit;
    event->accept();
}

void Container::mouseReleaseEvent(QMouseEvent* event) {
    LightControl* pressed = m_pressed.data();
    m_pressed = nullptr;
    if (!pressed) {
        event->ignore();
        return;
    }
    pressed->mouseRelease(pressed->hitTest(event->position()));
    event->accept();
}

bool Container::event(QEvent* event) {
    if (event->type() == QEvent::ChildAdded && m_overlay &&
        static_cast<QChildEvent*>(event)->child()->isWidgetType()) {
        m_overlay->raise(); // a new control lies below the frame line
    }
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        LightControl* hit = lightControlAt(help->pos());
        if (hit && !hit->toolTip().isEmpty()) {
            QToolTip::showText(help->globalPos(), hit->toolTip(), this,
                               hit->pixelRect().toAlignedRect());
            return true;
        }
    }
    return QWidget::event(event);
}

} // namespace rb
