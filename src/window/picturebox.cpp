#include "window/picturebox.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace rb {

namespace {

// Clips the segment p-q to the rectangle r (Liang-Barsky); false when nothing is left. Keeps
// enormous coordinates away from the rasteriser's fixed-point range.
bool clipSegment(QPointF& p, QPointF& q, const QRectF& r) {
    double t0 = 0;
    double t1 = 1;
    const double dx = q.x() - p.x();
    const double dy = q.y() - p.y();
    const double pk[4] = {-dx, dx, -dy, dy};
    const double qk[4] = {p.x() - r.left(), r.right() - p.x(), p.y() - r.top(),
                          r.bottom() - p.y()};
    for (int k = 0; k < 4; ++k) {
        if (pk[k] == 0) {
            if (qk[k] < 0) {
                return false;
            }
            continue;
        }
        const double t = qk[k] / pk[k];
        if (pk[k] < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) {
            return false;
        }
    }
    const QPointF start = p;
    p = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
    q = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
    return true;
}

bool finite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

} // namespace

PictureBox::PictureBox(QWidget* parent) : Container(parent) {}

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
        return;
    }
    const QSize inner = innerRect().size();
    const qreal dpr = devicePixelRatioF();
    const QSize device(static_cast<int>(std::ceil(inner.width() * dpr)),
                       static_cast<int>(std::ceil(inner.height() * dpr)));
    const QImage old = m_canvas;
    m_canvas = QImage(device.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    m_canvas.setDevicePixelRatio(dpr);
    m_canvas.fill(backColor());
    QPainter painter(&m_canvas);
    if (!picture().isNull()) {
        painter.drawPixmap(QPointF(0, 0), picture());
    }
    if (!old.isNull()) {
        painter.drawImage(QPointF(0, 0), old); // a resize keeps what was drawn
    }
    update();
}

void PictureBox::cls() {
    if (!m_autoRedraw) {
        update();
        return;
    }
    m_canvas.fill(backColor());
    if (!picture().isNull()) {
        QPainter painter(&m_canvas);
        painter.drawPixmap(QPointF(0, 0), picture());
    }
    update();
}

template <typename F>
void PictureBox::draw(const QRectF& area, F&& paint) {
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
    const double pad = m_drawWidth + 2.0;
    const QRectF bounds = QRectF(QPointF(0, 0), QSizeF(innerRect().size())).adjusted(-pad, -pad, pad, pad);
    if (!clipSegment(p, q, bounds)) {
        return;
    }
    // Pixel centres: index i covers [i, i + 1) in painter coordinates.
    const QPointF half(0.5, 0.5);
    const int width = m_drawWidth;
    draw(QRectF(p, q).normalized().adjusted(-pad, -pad, pad, pad), [&](QPainter& painter) {
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawLine(p + half, q + half);
    });
}

void PictureBox::pset(double x, double y, const QColor& colour) {
    const QPointF p = scale().toDrawPixels(QPointF(x, y));
    if (!finite(p)) {
        return;
    }
    const double pad = m_drawWidth + 2.0;
    const QRectF bounds = QRectF(QPointF(0, 0), QSizeF(innerRect().size())).adjusted(-pad, -pad, pad, pad);
    if (!bounds.contains(p)) {
        return;
    }
    const int width = m_drawWidth;
    draw(QRectF(p, p).adjusted(-pad, -pad, pad, pad), [&](QPainter& painter) {
        if (width <= 1) {
            painter.fillRect(QRectF(std::floor(p.x() + 0.5), std::floor(p.y() + 0.5), 1, 1), colour);
            return;
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        const double r = width / 2.0;
        painter.drawEllipse(p + QPointF(0.5, 0.5), r, r);
    });
}

void PictureBox::setLeft(double twips) {
    m_left = static_cast<float>(twips);
    QPoint origin;
    if (auto* parent = qobject_cast<Container*>(parentWidget())) {
        origin = parent->innerRect().topLeft();
    }
    move(origin.x() + static_cast<int>(std::lround(twipsToPixels(m_left))), y());
}

void PictureBox::paintSurface(QPainter& painter, const QRect& dirty) {
    if (!m_autoRedraw) {
        Container::paintSurface(painter, dirty);
        return;
    }
    const QRect inner = innerRect();
    const QRect area = dirty & inner;
    if (area != dirty) {
        painter.fillRect(dirty, backColor());
    }
    if (!area.isEmpty()) {
        const qreal dpr = m_canvas.devicePixelRatio();
        const QRect local = area.translated(-inner.topLeft());
        const QRectF source(local.x() * dpr, local.y() * dpr, local.width() * dpr,
                            local.height() * dpr);
        painter.drawImage(QRectF(area), m_canvas, source);
    }
}

} // namespace rb
