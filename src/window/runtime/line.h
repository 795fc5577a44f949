// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/runtime/lightcontrol.h"

#include <QColor>
#include <QPointF>

namespace rb {

// A straight line drawn on its container's surface; end points in twips of a container
// without a user scale, width in pixels.
class Line : public LightControl {
    Q_OBJECT

public:
    Line(Container* container, const QString& name);

    // End points in twips, width in pixels.
    void setLine(QPointF from, QPointF to, int widthPixels, const QColor& colour);

    QPointF from() const { return m_from; }
    QPointF to() const { return m_to; }

    QRectF pixelRect() const override;
    QSizeF pixelSize() const override { return pixelRect().size(); }
    void paint(QPainter& painter) const override;
    bool hitTest(QPointF) const override { return false; }

private:
    QPointF pixelPoint(QPointF twips) const;

    QPointF m_from;
    QPointF m_to;
    int m_width = 1;
    QColor m_colour;
};

} // namespace rb
