// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

class QEventLoop;
class QWidget;

namespace rb {

// The yield: runs the handlers of all pending events (timers, input, repaints), nested inside
// the caller, then returns.
void doEvents();

// A paced yield for a loop that redraws once a display frame: yield() handles events as they
// come (timer ticks included, at their own pace) until the next frame is due, then returns.
// A loop that yields once a pass thus runs `framesPerSecond` passes a second whatever the
// machine, without spinning a core and without starving timers.
//
// With a window set, repaints requested while waiting are gathered and done once, at the end
// of the wait, instead of after every event that asked for one.
class FramePacer : public QObject {
    Q_OBJECT

public:
    explicit FramePacer(int framesPerSecond, QObject* parent = nullptr);
    ~FramePacer() override;

    void setWindow(QWidget* window);
    void yield();
    // Ends a wait in progress at once (the program is ending or the loop must stop).
    void interrupt();

    long long passes() const { return m_passes; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void flushRepaints();

    qint64 m_frameNs;
    QElapsedTimer m_clock;
    qint64 m_nextFrameNs = 0;
    QPointer<QWidget> m_window;
    QEventLoop* m_wait = nullptr;
    bool m_holdRepaints = false;
    bool m_repaintPending = false;
    long long m_passes = 0;
};

} // namespace rb
