// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/fingers.h"

#include <QGuiApplication>
#include <QStyleHints>
#include <QTouchEvent>
#include <QWindow>

#include <cmath>
#include <vector>

// Qt's own way into its input pipeline (QtGui, used by Qt Test): a mouse event handled as if
// the window system had sent it, so that grabs, buttons and the pointer position follow.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                      Qt::MouseButtons state, Qt::MouseButton button,
                                      QEvent::Type type, Qt::KeyboardModifiers mods, int timestamp);
QT_END_NAMESPACE

namespace rb {

Fingers::Fingers(QWindow* window, std::function<double()> zoom, std::function<void(double)> setZoom,
                 QObject* parent)
    : QObject(parent), m_window(window), m_zoom(std::move(zoom)), m_setZoom(std::move(setZoom)) {
    m_hold.setSingleShot(true);
    m_hold.setInterval(kHoldMs);
    connect(&m_hold, &QTimer::timeout, this, [this] {
        if (m_mode == Mode::Holding) {
            becomeMouse();
        }
    });
}

void Fingers::mouse(int type, QPointF global, int buttons, int button) {
    if (!m_window) {
        return;
    }
    qt_handleMouseEvent(m_window, m_window->mapFromGlobal(global), global,
                        Qt::MouseButtons(buttons), Qt::MouseButton(button),
                        static_cast<QEvent::Type>(type), Qt::KeyboardModifiers(m_modifiers), 0);
}

void Fingers::becomeMouse() {
    m_hold.stop();
    m_mode = Mode::Mouse;
    mouse(QEvent::MouseButtonPress, m_landed, Qt::LeftButton, Qt::LeftButton);
    if (m_now != m_landed) {
        mouse(QEvent::MouseMove, m_now, Qt::LeftButton, Qt::NoButton);
    }
}

bool Fingers::touch(QTouchEvent* event) {
    event->accept(); // taken: Qt makes no mouse events of it
    m_modifiers = static_cast<int>(event->modifiers());
    const bool ends = event->type() == QEvent::TouchEnd || event->type() == QEvent::TouchCancel;
    if (event->type() == QEvent::TouchCancel) {
        if (m_mode == Mode::Mouse) {
            mouse(QEvent::MouseButtonRelease, m_now, Qt::NoButton, Qt::LeftButton);
        }
        m_hold.stop();
        m_mode = Mode::None;
        return true;
    }
    std::vector<QPointF> down;
    const QEventPoint* first = nullptr;
    for (const QEventPoint& p : event->points()) {
        if (p.state() != QEventPoint::Released) {
            down.push_back(p.globalPosition());
        }
        if (p.id() == m_finger) {
            first = &p;
        }
    }
    if (m_mode == Mode::None && event->type() == QEvent::TouchBegin) {
        first = &event->points().front();
        m_finger = first->id();
        m_landed = m_now = first->globalPosition();
        m_pinchDistance = 0;
        m_mode = Mode::Holding;
        m_hold.start();
    }
    if (first) {
        m_now = first->globalPosition();
    }
    if (m_mode == Mode::Holding && down.size() >= 2) {
        m_hold.stop();
        m_mode = Mode::Pinch;
    }
    switch (m_mode) {
    case Mode::Holding: {
        const QPointF moved = m_now - m_landed;
        if (ends || (first && first->state() == QEventPoint::Released)) {
            becomeMouse();
            mouse(QEvent::MouseButtonRelease, m_now, Qt::NoButton, Qt::LeftButton);
            m_mode = Mode::None;
        } else if (std::hypot(moved.x(), moved.y()) >
                   QGuiApplication::styleHints()->startDragDistance()) {
            becomeMouse();
        }
        break;
    }
    case Mode::Mouse:
        if (first && first->state() == QEventPoint::Released) {
            mouse(QEvent::MouseButtonRelease, m_now, Qt::NoButton, Qt::LeftButton);
            m_finger = -1;
        } else if (first && first->state() == QEventPoint::Updated) {
            mouse(QEvent::MouseMove, m_now, Qt::LeftButton, Qt::NoButton);
        }
        break;
    case Mode::Pinch:
        if (down.size() == 2) {
            const double distance =
                std::hypot(down[0].x() - down[1].x(), down[0].y() - down[1].y());
            if (m_pinchDistance <= 0) {
                m_pinchDistance = distance;
                m_pinchZoom = m_zoom();
            } else if (distance > 0) {
                const double wanted = m_pinchZoom * distance / m_pinchDistance;
                if (std::fabs(wanted - m_zoom()) >= 0.02 * m_zoom()) {
                    m_setZoom(wanted);
                }
            }
        } else {
            m_pinchDistance = 0; // a finger more or less: the pinch measures anew from here
        }
        break;
    case Mode::None:
        break;
    }
    if (ends) {
        m_hold.stop();
        m_mode = Mode::None;
        m_finger = -1;
    }
    return true;
}

} // namespace rb
