// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/eventloop.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace rb {

void doEvents() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

FramePacer::FramePacer(int framesPerSecond, QObject* parent)
    : QObject(parent), m_frameNs(1'000'000'000LL / std::max(1, framesPerSecond)) {
    m_clock.start();
    m_nextFrameNs = m_frameNs;
}

FramePacer::~FramePacer() {
    interrupt();
}

void FramePacer::setWindow(QWidget* window) {
    if (m_window) {
        m_window->removeEventFilter(this);
    }
    m_window = window;
    if (m_window) {
        m_window->installEventFilter(this);
    }
}

bool FramePacer::eventFilter(QObject* watched, QEvent* event) {
    if (m_holdRepaints && watched == m_window && event->type() == QEvent::UpdateRequest) {
        m_repaintPending = true;
        return true; // done once at the end of the wait
    }
    return QObject::eventFilter(watched, event);
}

void FramePacer::flushRepaints() {
    m_holdRepaints = false;
    if (m_repaintPending && m_window) {
        m_repaintPending = false;
        QEvent request(QEvent::UpdateRequest);
        QCoreApplication::sendEvent(m_window, &request);
    }
}

void FramePacer::yield() {
    ++m_passes;
    m_holdRepaints = m_window != nullptr;
    doEvents();
    const qint64 now = m_clock.nsecsElapsed();
    const qint64 waitNs = m_nextFrameNs - now;
    if (waitNs > 0) {
        QEventLoop wait;
        QTimer wakeUp;
        wakeUp.setTimerType(Qt::PreciseTimer);
        wakeUp.setSingleShot(true);
        connect(&wakeUp, &QTimer::timeout, &wait, &QEventLoop::quit);
        wakeUp.start(static_cast<int>((waitNs + 999'999) / 1'000'000));
        m_wait = &wait;
        wait.exec();
        m_wait = nullptr;
    }
    flushRepaints();
    // The next frame is due one frame later; a loop that fell behind does not try to catch
    // up with a burst of passes.
    m_nextFrameNs = std::max(m_nextFrameNs + m_frameNs, m_clock.nsecsElapsed());
}

void FramePacer::interrupt() {
    if (m_wait) {
        m_wait->quit();
    }
}

} // namespace rb
