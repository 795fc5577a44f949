// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/line.h"

#include "window/runtime/container.h"
#include "window/runtime/userscale.h"

#include <QPainter>

namespace rb {

Line::Line(Container* container, const QString& name) : LightControl(container, name) {}

void Line::setLine(QPointF from, QPointF to, int widthPixels, const QColor& colour) {
    changeGeometry([&] {
        m_from = from;
        m_to = to;
        m_width = widthPixels;
        m_colour = colour;
    });
}

QPointF Line::pixelPoint(QPointF twips) const {
    return container()->innerRect().topLeft() + container()->scale().toPixels(twips);
}

QRectF Line::pixelRect() const {
    const double pad = zoomedPixels(m_width);
    return QRectF(pixelPoint(m_from), pixelPoint(m_to)).normalized().adjusted(-pad, -pad, pad, pad);
}

void Line::paint(QPainter& painter) const {
    painter.setPen(QPen(m_colour, zoomedPixels(m_width), Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(pixelPoint(m_from), pixelPoint(m_to));
}

} // namespace rb
