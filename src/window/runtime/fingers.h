// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QTimer>

#include <functional>

class QTouchEvent;
class QWindow;

namespace rb {

// The fingers on a window: one finger works as the mouse, two pinch to zoom. Every touch of
// the window is taken here, before Qt hands it to a control or makes mouse events of it. A
// first finger is held back until it is clear which it is: a second finger that lands while it
// is held makes a pinch, and nothing is pressed; the first finger moving further than a drag
// begins, lifting or resting longer than kHoldMs makes it the mouse, pressed where it landed.
// A pinch lasts until the last finger lifts, whatever lands or lifts in between.
class Fingers : public QObject {
public:
    static constexpr int kHoldMs = 150;

    // `zoom` and `setZoom` read and set the zoom that a pinch changes.
    Fingers(QWindow* window, std::function<double()> zoom, std::function<void(double)> setZoom,
            QObject* parent = nullptr);

    // A touch event of the window; true once taken (always, for the window's own touches).
    bool touch(QTouchEvent* event);

private:
    enum class Mode { None, Holding, Mouse, Pinch };
    void becomeMouse();
    void mouse(int type, QPointF global, int buttons, int button);

    QPointer<QWindow> m_window;
    std::function<double()> m_zoom;
    std::function<void(double)> m_setZoom;
    Mode m_mode = Mode::None;
    int m_finger = -1;          // the first finger's id
    QPointF m_landed;           // where it landed, global logical pixels
    QPointF m_now;              // where it is now
    int m_modifiers = 0;        // of the last touch event
    double m_pinchDistance = 0; // between the two fingers when the pinch began; 0: not yet
    double m_pinchZoom = 1.0;   // the zoom then
    QTimer m_hold;
};

} // namespace rb
