// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/runtime/dirtyareas.h"
#include "window/runtime/userscale.h"

#include <QColor>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <vector>

namespace rb {

class FrameOverlay;
class LightControl;

// A widget control that paints every pixel of its area (a container, a text box): a change of
// the light controls below it does not show and is not repainted. Qt's opaque-paint attribute is
// not used for this, as it would change how the container's own repaints are cut up.
class PaintsWholeArea {
public:
    virtual ~PaintsWholeArea() = default;
};

// Where a drag stands relative to a drop target.
enum class DragState { Enter = 0, Leave = 1, Over = 2 };

// A control that holds other controls: the window's client area or a picture box. It paints
// its background colour, its picture (unscaled at the inner top-left corner, cut at the
// edges) and its light controls (images, labels, lines) in stacking order; widget-based
// children lie above all of those. Its inner area may carry a user scale.
class Container : public QWidget, public PaintsWholeArea {
    Q_OBJECT

public:
    explicit Container(QWidget* parent = nullptr);
    ~Container() override;

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor& colour);
    const QPixmap& picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);
    // A one-pixel frame line around the inner area; it lies above the controls inside, which
    // are cut at the inner edge.
    bool hasFrameLine() const { return m_frameLine; }
    void setFrameLine(bool on);

    // The inner area, in the widget's pixel coordinates.
    QRect innerRect() const;

    // User coordinates: the inner top-left corner is (x1, y1), the bottom-right (x2, y2).
    // Light controls keep their place; their Left and Top are re-expressed in the new units.
    // A degenerate scale (x1 == x2 or y1 == y2, or not finite) is ignored.
    void setScale(double x1, double y1, double x2, double y2);
    const UserScale& scale() const { return m_scale; }

    // Places a widget-based child at a design position in twips within the inner area; the
    // child keeps that place at every zoom (see applyZoom).
    void placeTwips(QWidget* child, const Twips& place);
    // The design place in twips of a child placed with placeTwips (all zero for another).
    static Twips placeOf(const QWidget* child);
    // Records a new design place without moving the child (it has already moved there).
    static void setPlaceOf(QWidget* child, const Twips& place);

    // After the form's zoom changed: places every child anew from its twips, measures the
    // inner area again, and does the same in every container inside. Light controls keep
    // their Left and Top and follow by themselves.
    void applyZoom();

    // Light controls, bottom-most first.
    const std::vector<LightControl*>& lightControls() const { return m_lights; }
    // The topmost visible light control at a point in widget pixels, or null.
    LightControl* lightControlAt(QPointF pixel) const;
    void bringToFront(LightControl* control);

    // Marks an area (widget pixels) for repainting. Areas asked for in one go (a pass moving
    // many fish) are gathered into a few disjoint rectangles (DirtyAreas) and handed to the
    // repaint at the next event processing, which paints each under its own rectangular clip:
    // many small moves cost little, and the water between the fish nothing. What opaque
    // widget children (text boxes, picture boxes) cover is left out.
    void invalidate(const QRect& area);

    // A point in widget pixels in the container's units (inverse of child placement).
    QPointF toUserUnits(QPointF widgetPixel) const;

signals:
    // A drag (Drag) of `source` entering, moving over or leaving the container, and its drop
    // there; x and y are in the container's units. A container nobody listens to ignores drags.
    void dragOver(QObject* source, double x, double y, rb::DragState state);
    void dragDrop(QObject* source, double x, double y);
    // An arrow key (Qt::Key_Left, _Right, _Up or _Down) pressed without Ctrl or Alt while the
    // container has the focus. A container nobody listens to leaves the keys to its parent.
    void arrowKey(int key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // A focused container shows a dotted rectangle inside its inner area.
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    // Paints background and picture over the dirty area (the persistent picture box paints
    // its drawing instead). `within`, if not null, is the repaint's region of many rectangles
    // that clips the painter.
    virtual void paintSurface(QPainter& painter, const QRect& dirty, const QRegion* within);
    // Called after the inner size changed.
    virtual void innerResized() {}

private:
    friend class LightControl;
    void flushInvalidated();
    void syncOverlay();

    void addLightControl(LightControl* control);
    void removeLightControl(LightControl* control);

    QColor m_backColor = Qt::white;
    QPixmap m_picture;
    QPixmap m_shownPicture; // m_picture at the zoom
    // Just after a zoom change the picture shows scaled from itself, until m_sharpen renders it
    // at the zoom from its source (a photograph from its large copy takes longer than a frame).
    bool m_scaledForNow = false;
    QTimer m_sharpen;
    bool m_frameLine = false;
    FrameOverlay* m_overlay = nullptr; // made when first needed; a child widget
    UserScale m_scale;
    std::vector<LightControl*> m_lights;
    QPointer<LightControl> m_pressed;
    DirtyAreas m_invalid;    // asked for, not yet handed to the repaint
    DirtyAreas m_repainting; // handed to the repaint, not yet painted
    QRegion m_repaintingRegion;
    bool m_flushPosted = false;
};

} // namespace rb
