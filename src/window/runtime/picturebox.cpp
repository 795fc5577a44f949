// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/picturebox.h"

#include "window/runtime/picturezoom.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace rb {

namespace {

// Clips the segment p-q to the rectangle r (Cohen-Sutherland); false when nothing is left.
// Keeps enormous coordinates away from the rasteriser's fixed-point range. New end points
// are computed from the slope, so a clipped coordinate lands exactly on the edge even when
// the other end lies 1e300 away.
bool clipSegment(QPointF& p, QPointF& q, const QRectF& r) {
    enum : int { Left = 1, Right = 2, Top = 4, Bottom = 8 };
    const auto code = [&r](QPointF a) {
        int c = 0;
        c |= a.x() < r.left() ? Left : (a.x() > r.right() ? Right : 0);
        c |= a.y() < r.top() ? Top : (a.y() > r.bottom() ? Bottom : 0);
        return c;
    };
    int cp = code(p);
    int cq = code(q);
    for (int round = 0; round < 8; ++round) {
        if ((cp | cq) == 0) {
            return true;
        }
        if ((cp & cq) != 0) {
            return false;
        }
        const int c = cp != 0 ? cp : cq;
        QPointF& a = cp != 0 ? p : q;
        const QPointF b = cp != 0 ? q : p;
        QPointF n;
        if (c & (Left | Right)) {
            const double edge = (c & Left) ? r.left() : r.right();
            const double slope = (b.y() - a.y()) / (b.x() - a.x());
            n = QPointF(edge, a.y() + slope * (edge - a.x()));
        } else {
            const double edge = (c & Top) ? r.top() : r.bottom();
            const double slope = (b.x() - a.x()) / (b.y() - a.y());
            n = QPointF(a.x() + slope * (edge - a.y()), edge);
        }
        if (!std::isfinite(n.x()) || !std::isfinite(n.y())) {
            return false;
        }
        a = n;
        (cp != 0 ? cp : cq) = code(a);
    }
    return (cp | cq) == 0;
}

bool finite(QPointF p) {
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

// Strokes kept to be drawn again at another zoom; beyond it the oldest are folded into a
// picture (about 10000 generations of the phase diagram's line and dot).
constexpr std::size_t kMostStrokes = 20000;

} // namespace

PictureBox::PictureBox(Container* container, const QString& name) : Container(container) {
    setObjectName(name);
    setFocusPolicy(Qt::StrongFocus); // every picture box takes part in the focus order
}

void PictureBox::setAutoRedraw(bool on) {
    m_autoRedraw = on;
    resetCanvas();
}

void PictureBox::innerResized() {
    if (m_autoRedraw) {
        resetCanvas();
    }
}

void PictureBox::resetCanvas() {
    if (!m_autoRedraw) {
        m_canvas = QImage();
        m_strokes.clear();
        m_folded = QImage();
        return;
    }
    const QSize inner = innerRect().size();
    const qreal dpr = devicePixelRatioF();
    const QSize device = QSize(static_cast<int>(std::ceil(inner.width() * dpr)),
                               static_cast<int>(std::ceil(inner.height() * dpr)))
                             .expandedTo(QSize(1, 1));
    if (!m_canvas.isNull() && m_canvas.size() == device && m_canvas.devicePixelRatio() == dpr &&
        m_canvasZoom == formZoom()) {
        return; // nothing to make anew
    }
    const QImage old = m_canvas;
    const bool rezoomed = !old.isNull() && m_canvasZoom != formZoom();
    m_canvas = QImage(device, QImage::Format_RGB32);
    m_canvas.setDevicePixelRatio(dpr);
    m_canvas.fill(backColor());
    m_canvasZoom = formZoom();
    QPainter painter(&m_canvas);
    if (!picture().isNull()) {
        painter.drawPixmap(QPointF(0, 0), zoomedPicture(picture()));
    }
    if (rezoomed) {
        // Drawn again at the new size: the folded picture scaled, every later stroke anew.
        if (!m_folded.isNull()) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(QRectF(QPointF(0, 0), QSizeF(inner)), m_folded);
            painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        }
        painter.setRenderHint(QPainter::Antialiasing, false);
        for (const Stroke& stroke : m_strokes) {
            paintStroke(painter, stroke);
        }
    } else if (!old.isNull()) {
        painter.drawImage(QPointF(0, 0), old); // a resize keeps what was drawn
    }
    update();
}

void PictureBox::cls() {
    m_strokes.clear();
    m_folded = QImage();
    if (!m_autoRedraw) {
        update();
        return;
    }
    m_canvas.fill(backColor());
    if (!picture().isNull()) {
        QPainter painter(&m_canvas);
        painter.drawPixmap(QPointF(0, 0), zoomedPicture(picture()));
    }
    update();
}

void PictureBox::keep(const Stroke& stroke) {
    if (m_strokes.size() >= kMostStrokes) {
        m_folded = m_canvas.copy();
        m_strokes.clear();
    }
    m_strokes.push_back(stroke);
}

void PictureBox::paintStroke(QPainter& painter, const Stroke& stroke) const {
    const QSize inner = innerRect().size();
    const QPointF last(std::max(1, inner.width() - 1), std::max(1, inner.height() - 1));
    paintAt(painter, QPointF(stroke.from.x() * last.x(), stroke.from.y() * last.y()),
            QPointF(stroke.to.x() * last.x(), stroke.to.y() * last.y()), stroke.colour,
            zoomedPixels(stroke.width), stroke.point);
}

void PictureBox::paintAt(QPainter& painter, QPointF p, QPointF q, const QColor& colour, int width,
                         bool point) {
    // Pixel centres: index i covers [i, i + 1) in painter coordinates.
    const QPointF half(0.5, 0.5);
    if (!point) {
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawLine(p + half, q + half);
        return;
    }
    if (width <= 1) {
        painter.fillRect(QRectF(std::floor(p.x() + 0.5), std::floor(p.y() + 0.5), 1, 1), colour);
        return;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const double r = width / 2.0;
    painter.drawEllipse(p + half, r, r);
}

QPointF PictureBox::toShare(QPointF drawPixel) const {
    const QSize inner = innerRect().size();
    const double lastX = std::max(1, inner.width() - 1);
    const double lastY = std::max(1, inner.height() - 1);
    return {drawPixel.x() / lastX, drawPixel.y() / lastY};
}

template <typename F> void PictureBox::draw(const QRectF& area, F&& paint) {
    if (!m_autoRedraw) {
        return; // nothing keeps the drawing; the next repaint would erase it anyway
    }
    QPainter painter(&m_canvas);
    painter.setRenderHint(QPainter::Antialiasing, false);
    paint(painter);
    painter.end();
    const QRect dirty = area.toAlignedRect().translated(innerRect().topLeft());
    update(dirty & innerRect());
}

void PictureBox::line(double x1, double y1, double x2, double y2, const QColor& colour) {
    QPointF p = scale().toDrawPixels(QPointF(x1, y1));
    QPointF q = scale().toDrawPixels(QPointF(x2, y2));
    if (!finite(p) || !finite(q)) {
        return;
    }
    const double pad = zoomedPixels(m_drawWidth) + 2.0;
    const QRectF bounds =
        QRectF(QPointF(0, 0), QSizeF(innerRect().size())).adjusted(-pad, -pad, pad, pad);
    if (!clipSegment(p, q, bounds)) {
        return;
    }
    const Stroke stroke{toShare(p), toShare(q), colour, m_drawWidth, false};
    draw(QRectF(p, q).normalized().adjusted(-pad, -pad, pad, pad), [&](QPainter& painter) {
        paintAt(painter, p, q, colour, zoomedPixels(m_drawWidth), false);
    });
    if (m_autoRedraw) {
        keep(stroke);
    }
}

void PictureBox::pset(double x, double y, const QColor& colour) {
    const QPointF p = scale().toDrawPixels(QPointF(x, y));
    if (!finite(p)) {
        return;
    }
    const double pad = zoomedPixels(m_drawWidth) + 2.0;
    const QRectF bounds =
        QRectF(QPointF(0, 0), QSizeF(innerRect().size())).adjusted(-pad, -pad, pad, pad);
    if (!bounds.contains(p)) {
        return;
    }
    const Stroke stroke{toShare(p), toShare(p), colour, m_drawWidth, true};
    draw(QRectF(p, p).adjusted(-pad, -pad, pad, pad), [&](QPainter& painter) {
        paintAt(painter, p, p, colour, zoomedPixels(m_drawWidth), true);
    });
    if (m_autoRedraw) {
        keep(stroke);
    }
}

void PictureBox::setLeft(double twips) {
    m_left = static_cast<float>(twips);
    QPoint origin;
    if (auto* parent = qobject_cast<Container*>(parentWidget())) {
        origin = parent->innerRect().topLeft();
    }
    move(origin.x() + static_cast<int>(std::lround(twipsToPixels(m_left))), y());
    // The new Left is the place the box keeps at every zoom.
    Twips place = placeOf(this);
    place.left = m_left;
    setPlaceOf(this, place);
}

void PictureBox::paintSurface(QPainter& painter, const QRect& dirty, const QRegion* within) {
    if (!m_autoRedraw) {
        Container::paintSurface(painter, dirty, within);
        return;
    }
    const QRect inner = innerRect();
    const QRect area = dirty & inner;
    if (area != dirty) {
        painter.fillRect(dirty, backColor());
    }
    if (area.isEmpty()) {
        return;
    }
    const qreal dpr = m_canvas.devicePixelRatio();
    const auto copy = [&](const QRect& part) {
        const QRect local = part.translated(-inner.topLeft());
        const QRectF source(local.x() * dpr, local.y() * dpr, local.width() * dpr,
                            local.height() * dpr);
        painter.drawImage(QRectF(part), m_canvas, source);
    };
    if (!within || within->rectCount() < 2 || dpr != std::floor(dpr)) {
        copy(area);
        return;
    }
    // The drawing is copied pixel for pixel, so copying it piece by piece under rectangular
    // clips gives the same picture, while under the region's clip Qt would blend it span by
    // span (spread over threads that cost more than they save).
    painter.save();
    for (const QRect& part : within->intersected(area)) {
        painter.setClipRect(part);
        copy(part);
    }
    painter.restore();
}

} // namespace rb
