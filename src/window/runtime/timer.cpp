// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/timer.h"

namespace rb {

Timer::Timer(QObject* owner, const QString& name) : QObject(owner), m_timer(this) {
    setObjectName(name);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &Timer::timer);
}

void Timer::setInterval(int milliseconds) {
    if (milliseconds == m_interval) {
        return;
    }
    m_interval = milliseconds < 0 ? 0 : milliseconds;
    apply();
}

void Timer::setEnabled(bool on) {
    m_enabled = on;
    apply();
}

void Timer::apply() {
    if (m_enabled && m_interval > 0) {
        if (m_timer.isActive()) {
            m_timer.setInterval(m_interval); // restarts the period with the new interval
        } else {
            m_timer.start(m_interval);
        }
    } else {
        m_timer.stop();
    }
}

} // namespace rb
