// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

namespace rb {

// A timer control: while enabled it raises timer() every Interval milliseconds, kept
// accurately (a precise timer; the coarse default may fire up to 5 % late). An interval of 0
// disables it.
class Timer : public QObject {
    Q_OBJECT

public:
    Timer(QObject* owner, const QString& name);

    int interval() const { return m_interval; }
    // A new interval applies from the next period on.
    void setInterval(int milliseconds);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool on);

signals:
    void timer();

private:
    void apply();

    QTimer m_timer; // a child: ending the program finds and stops it
    int m_interval = 0;
    bool m_enabled = true;
};

} // namespace rb
