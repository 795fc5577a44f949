// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/runtime/container.h"

#include <QImage>

namespace rb {

// A picture box: a container that can be drawn on. With persistent drawing (AutoRedraw) all
// drawing goes into a backing image at the screen's device pixel ratio that survives being
// covered, scrolled or hidden, and drawing done before the window is first shown is kept.
// Coordinates of Line and PSet are in the box's units; DrawWidth is in pixels. Drawing is
// clipped at the inner area's edges; points that are not finite draw nothing.
class PictureBox : public Container {
    Q_OBJECT

public:
    PictureBox(Container* container, const QString& name);

    void setAutoRedraw(bool on);
    bool autoRedraw() const { return m_autoRedraw; }

    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor& colour) { m_foreColor = colour; }
    int drawWidth() const { return m_drawWidth; }
    // At least 1 pixel.
    void setDrawWidth(int pixels) { m_drawWidth = pixels < 1 ? 1 : pixels; }

    // A line from (x1, y1) to (x2, y2) in the given colour, or in ForeColor.
    void line(double x1, double y1, double x2, double y2, const QColor& colour);
    void line(double x1, double y1, double x2, double y2) { line(x1, y1, x2, y2, m_foreColor); }
    // A point at (x, y): one pixel, or a filled disc of DrawWidth pixels across.
    void pset(double x, double y, const QColor& colour);
    void pset(double x, double y) { pset(x, y, m_foreColor); }
    // Erases all drawing; the box shows its background (and picture) again.
    void cls();

    // Left of the box inside its container's inner area, in the container's units (twips),
    // kept in single precision; moves the box.
    void setLeft(double twips);
    float left() const { return m_left; }

    // The persistent drawing (device pixels), for reading drawn pixels back.
    const QImage& canvas() const { return m_canvas; }

protected:
    void paintSurface(QPainter& painter, const QRect& dirty, const QRegion* within) override;
    void innerResized() override;

private:
    void resetCanvas();
    // Paints with a painter set up in inner-area logical pixels; repaints `area`.
    template <typename F> void draw(const QRectF& area, F&& paint);

    bool m_autoRedraw = false;
    QColor m_foreColor = Qt::black;
    int m_drawWidth = 1;
    float m_left = 0;
    QImage m_canvas;
};

} // namespace rb
