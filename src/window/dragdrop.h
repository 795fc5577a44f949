#pragma once

#include "window/container.h"
#include "window/image.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace rb {


// Drag and drop under program control. begin() starts a drag of a control while a mouse
// button is held: an outline rectangle of the control's size follows the pointer, the
// control under the pointer receives DragOver (enter, over, leave) on every move and
// DragDrop on release, with the point in that control's units. Only containers with
// handlers react; any other control under the pointer (a child image, a button, a text box)
// ignores both, and a release outside the window drops nowhere.
class DragController : public QObject {
    Q_OBJECT

public:
    static DragController& instance();

    void begin(Image* source);
    bool isDragging() const { return m_source != nullptr; }
    Image* source() const { return m_source; }
    // Whether the last press on this image turned into a drag (so its release is no click).
    bool wasDragged(const Image* image) const { return image && m_lastDragged == image; }

    // Drives the drag as the pointer moves to / is released at a global position. Called by
    // the event filter; tests may call them directly.
    void moveTo(QPoint globalPos);
    void dropAt(QPoint globalPos);
    // Ends a drag without a drop (the window went away).
    void cancel();

    // The rectangle that follows the pointer (a child of the top-level window), or null.
    QWidget* outline() const { return m_outline; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DragController() = default;
    struct Target {
        QPointer<QObject> control; // the control under the pointer
        Container* container = nullptr; // it, when it is a container
    };
    Target targetAt(QPoint globalPos) const;
    void sendOver(const Target& target, QPoint globalPos, DragState state);
    void finish();

    QPointer<Image> m_source;
    QPointer<Image> m_lastDragged;
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_outline;
    Target m_current;
    QPoint m_grabOffset;
};

} // namespace rb
