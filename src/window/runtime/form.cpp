// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/form.h"

#include "window/runtime/dragdrop.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QTimer>

#include <cmath>

namespace rb {

Form::Form(const QString& name, QWidget* parent) : QMainWindow(parent) {
    setObjectName(name);
    m_client = new Container(this);
    m_client->setObjectName(name + QStringLiteral("Client"));
    setCentralWidget(m_client);
    m_endHook = [] { QCoreApplication::exit(0); };
}

void Form::setClientSizeTwips(double width, double height) {
    const QSize client(twipsToWholePixels(width), twipsToWholePixels(height));
    const int menu = menuWidget() ? menuBar()->sizeHint().height() : 0;
    resize(client.width(), client.height() + menu);
}

QAction* Form::addMenuEntry(const QString& name, const QString& caption) {
    QAction* action = menuBar()->addAction(caption);
    action->setObjectName(name);
    return action;
}

void Form::endProgram() {
    if (m_ended) {
        return;
    }
    m_ended = true;
    emit ending();
    Drag::cancelAll(this);
    // Silence every control and timer of the window, so that no handler runs any more, even
    // for events already queued.
    for (QObject* o : findChildren<QObject*>()) {
        o->blockSignals(true);
        if (auto* t = qobject_cast<QTimer*>(o)) {
            t->stop();
        }
    }
    hide();
    if (m_endHook) {
        m_endHook();
    }
}

void Form::closeEvent(QCloseEvent* event) {
    event->accept();
    endProgram();
}

} // namespace rb
