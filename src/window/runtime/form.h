// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/runtime/container.h"

#include <QMainWindow>

#include <functional>

class QAction;

namespace rb {

// The program's window: a title bar caption, a menu bar of top-level entries without
// submenus, and a client area (a container in twips) holding the controls. Resizing moves and
// scales nothing: more of the backdrop shows, and beyond it the back colour.
class Form : public QMainWindow {
    Q_OBJECT

public:
    explicit Form(const QString& name, QWidget* parent = nullptr);

    Container* client() const { return m_client; }
    // Sizes the window so that its client area measures the given twips.
    void setClientSizeTwips(double width, double height);
    // A top-level menu entry; its triggered() is its Click.
    QAction* addMenuEntry(const QString& name, const QString& caption);

    // Ends the program at once: the window goes, timers stop, and no further handler runs.
    // Calls the end hook (by default QCoreApplication::exit(0)). Idempotent.
    void endProgram();
    bool hasEnded() const { return m_ended; }
    void setEndHook(std::function<void()> hook) { m_endHook = std::move(hook); }

signals:
    // The program is ending: long-running loops must stop waiting and return.
    void ending();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Container* m_client;
    bool m_ended = false;
    std::function<void()> m_endHook;
};

} // namespace rb
