// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Real X input for tests that run on a virtual display (xvfb-run, platform xcb): xdotool
// moves the real pointer and presses real buttons, so events go through the X server and the
// window system exactly as a person's would.

#include <QCoreApplication>
#include <QPoint>
#include <QProcess>
#include <QStringList>
#include <QWidget>

namespace rbtest {

// Runs xdotool with the arguments; true when it succeeded. Events reach the program once it
// processes its event queue again (wait with QTRY_COMPARE).
inline bool xdo(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

inline QString num(int v) {
    return QString::number(v);
}

inline bool moveTo(QPoint global) {
    return xdo(
        {QStringLiteral("mousemove"), QStringLiteral("--sync"), num(global.x()), num(global.y())});
}

inline bool moveTo(const QWidget* w, QPoint local) {
    return moveTo(w->mapToGlobal(local));
}

inline bool press() {
    return xdo({QStringLiteral("mousedown"), QStringLiteral("1")});
}
inline bool release() {
    return xdo({QStringLiteral("mouseup"), QStringLiteral("1")});
}

// Presses and releases keys by their X names ("Right", "Return", "KP_Enter", "Home").
inline bool key(const QString& keys) {
    return xdo({QStringLiteral("key"), keys});
}

inline bool clickAt(const QWidget* w, QPoint local) {
    return moveTo(w, local) && xdo({QStringLiteral("click"), QStringLiteral("1")});
}

} // namespace rbtest
