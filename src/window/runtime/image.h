// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/runtime/lightcontrol.h"

#include <QPixmap>
#include <QSize>

namespace rb {

// An image control: shows a picture on its container's surface. Without Stretch it always
// takes its picture's size, at every assignment; with Stretch it keeps its own size and
// scales the picture into it. Assigning another image's picture shares it (no copy).
class Image : public LightControl {
    Q_OBJECT

public:
    Image(Container* container, const QString& name);

    const QPixmap& picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);

    // Stretch on, with the size in twips that the picture is scaled into.
    void setStretch(double widthTwips, double heightTwips);
    // The size (twips) the image has while it carries no picture.
    void setDesignSize(double widthTwips, double heightTwips);

    QString tag() const { return m_tag; }
    void setTag(const QString& tag) { m_tag = tag; }

    // Begins a drag of this image under program control (see Drag); the release of the press
    // that began it is then a drop, not a click.
    void drag();

    QSizeF pixelSize() const override;
    void paint(QPainter& painter) const override;
    bool mousePress(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF at) override;
    void mouseRelease(bool inside) override;

signals:
    // Button, modifiers, and the point in the container's units.
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, double x, double y);
    void click();

private:
    QPixmap m_picture;
    // The part of the picture (its device pixels) outside of which every pixel is fully
    // transparent: drawing the rest would leave the surface as it is, at a cost.
    QRect m_inked;
    bool m_stretch = false;
    QSizeF m_stretchTwips;
    QSizeF m_emptyTwips;
    // The picture as shown at the zoom, made when first painted there.
    mutable QPixmap m_shown;
    mutable QRect m_shownInked;
    mutable double m_shownZoom = 0;
    QString m_tag;
    bool m_dragged = false; // the press in progress began a drag
};

} // namespace rb
