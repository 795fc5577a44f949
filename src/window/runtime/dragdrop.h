// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/runtime/container.h"
#include "window/runtime/lightcontrol.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace rb {

// Drag and drop under program control. Drag::begin() starts a drag of a control while a
// mouse button is held: an outline rectangle of the control's size follows the pointer, the
// container under the pointer emits dragOver (enter, over, leave) on every move and dragDrop
// on release, with the point in that container's units. Only containers emit them;
// any other control under the pointer (a child picture, a button, a text box) ignores both,
// and a release outside the window drops nowhere. A drag belongs to the source's window and
// ends with its drop, its cancel or the window.
class Drag : public QObject {
    Q_OBJECT

public:
    // Starts a drag of `source` unless one is already running in its window; returns it.
    static Drag* begin(LightControl* source);
    // The drag running in a window, or null.
    static Drag* active(const QWidget* window);
    // Ends every drag of a window without a drop.
    static void cancelAll(const QWidget* window);

    LightControl* source() const { return m_source.data(); }

    // Drives the drag as the pointer moves to / is released at a global position. Called by
    // the event filter; tests may call them directly.
    void moveTo(QPoint globalPos);
    void dropAt(QPoint globalPos);
    // Ends the drag without a drop.
    void cancel();

    // The rectangle that follows the pointer (a child of the top-level window), or null.
    QWidget* outline() const { return m_outline.data(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit Drag(LightControl* source);
    struct Target {
        QPointer<QObject> control;      // the control under the pointer
        Container* container = nullptr; // it, when it is a container
    };
    Target targetAt(QPoint globalPos) const;
    void sendOver(const Target& target, QPoint globalPos, DragState state);
    void finish();

    QPointer<LightControl> m_source;
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_outline;
    Target m_current;
    QPoint m_grabOffset;
    bool m_finished = false;
};

} // namespace rb
