#pragma once

#include "window/lightcontrol.h"

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

    bool stretch() const { return m_stretch; }
    // Stretch on, with the size in logical pixels that the picture is scaled into.
    void setStretch(QSize pixels);
    // The size (logical pixels) the image has while it carries no picture.
    void setDesignSize(QSize pixels);

    QString tag() const { return m_tag; }
    void setTag(const QString& tag) { m_tag = tag; }

    // Begins a drag of this image under program control (see DragController).
    void drag();

    QSizeF pixelSize() const override;
    void paint(QPainter& painter) const override;

signals:
    // Button, modifiers, and the point in the container's units.
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, double x, double y);
    void click();

private:
    QPixmap m_picture;
    bool m_stretch = false;
    QSize m_stretchSize;
    QSize m_emptySize;
    QString m_tag;
};

} // namespace rb
