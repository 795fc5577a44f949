// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

namespace rb {

class Container;

// A control drawn on its container's own surface (image, label, line): it has no window of
// its own, lies below every widget-based control of the same container, and its container
// paints it, hit-tests it and repaints the area it leaves or enters.
//
// Left and Top are in the container's units (its user scale, else twips) and are kept as
// single-precision numbers, exactly as set.
class LightControl : public QObject {
    Q_OBJECT

public:
    // Joins the container's stacking order at the top; the last one added lies topmost.
    LightControl(Container* container, const QString& name);
    ~LightControl() override;

    Container* container() const { return m_container; }

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);

    float left() const { return m_left; }
    float top() const { return m_top; }
    void setLeft(float left) { move(left, m_top); }
    // New Left and Top in one step (one repaint).
    void move(float left, float top);

    // Size in the container's units, always positive (also where y grows upward).
    double width() const;
    double height() const;

    // Brings the control to the front of its container's stacking order.
    void zOrder();

    QString toolTip() const { return m_toolTip; }
    void setToolTip(const QString& text) { m_toolTip = text; }

    // Area in the container widget's pixel coordinates (logical pixels).
    virtual QRectF pixelRect() const;
    // Size in logical pixels.
    virtual QSizeF pixelSize() const = 0;
    // Draws the control into its pixelRect(); the container sets up clipping.
    virtual void paint(QPainter& painter) const = 0;
    // Whether a point in the container's pixel coordinates hits the control.
    virtual bool hitTest(QPointF pixel) const { return m_visible && pixelRect().contains(pixel); }

    // Mouse input from the container: a press on the control (the point in the container's
    // units; return whether the control takes it) and the release of that press (whether the
    // pointer is still over the control).
    virtual bool mousePress(Qt::MouseButton, Qt::KeyboardModifiers, QPointF) { return false; }
    virtual void mouseRelease(bool) {}

    // Rewrites Left and Top for a new container scale so that the control stays in place.
    void rescale(double leftPixels, double topPixels);

protected:
    // Runs a change of appearance or geometry, then repaints the old and the new area.
    template <typename F> void changeGeometry(F&& change) {
        const bool wasVisible = m_visible;
        const QRectF before = m_visible ? pixelRect() : QRectF();
        change();
        repaint(before);
        announce(wasVisible);
    }
    void repaint(const QRectF& before);
    // Tells assistive technology that the control moved, showed or hid.
    void announce(bool wasVisible);

private:
    friend class Container; // detaches its controls when it goes first
    Container* m_container;
    bool m_visible = true;
    float m_left = 0;
    float m_top = 0;
    QString m_toolTip;
};

} // namespace rb
