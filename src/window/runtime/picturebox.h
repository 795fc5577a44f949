// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/runtime/container.h"

#include <QImage>

#include <vector>

namespace rb {

// A picture box: a container that can be drawn on. With persistent drawing (AutoRedraw) all
// drawing goes into a backing image at the screen's device pixel ratio that survives being
// covered, scrolled or hidden, and drawing done before the window is first shown is kept.
// Coordinates of Line and PSet are in the box's units; DrawWidth is in pixels of the 100 %
// design, drawn wider at a larger zoom. Drawing is clipped at the inner area's edges; points
// that are not finite draw nothing.
//
// At another zoom the drawing is made anew at the new size: every line and point since the last
// Cls is kept as a stroke (its place as a share of the inner area) and drawn again, sharp. A
// long-running drawing folds its oldest strokes into a picture of them (kept at the size it was
// drawn at, and scaled), so that what is kept stays bounded.
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
    // One Line or PSet: its end points as shares (0..1) of the last pixel of the inner area.
    struct Stroke {
        QPointF from;
        QPointF to;
        QColor colour;
        int width; // DrawWidth, 100 % design pixels
        bool point;
    };
    void resetCanvas();
    void keep(const Stroke& stroke);
    void paintStroke(QPainter& painter, const Stroke& stroke) const;
    // A line from p to q, or a point at p, in canvas pixels; width in pixels at the zoom.
    static void paintAt(QPainter& painter, QPointF p, QPointF q, const QColor& colour, int width,
                        bool point);
    QPointF toShare(QPointF drawPixel) const;
    // Paints with a painter set up in inner-area logical pixels; repaints `area`.
    template <typename F> void draw(const QRectF& area, F&& paint);

    bool m_autoRedraw = false;
    QColor m_foreColor = Qt::black;
    int m_drawWidth = 1;
    float m_left = 0;
    QImage m_canvas;
    double m_canvasZoom = 1; // the zoom the canvas was made at
    std::vector<Stroke> m_strokes;
    QImage m_folded; // strokes older than m_strokes; null: none
};

} // namespace rb
