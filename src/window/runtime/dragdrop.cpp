// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/dragdrop.h"

#include "window/runtime/userscale.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

namespace rb {

namespace {

// The drag outline: a rectangle drawn in alternating black and white dashes, so it shows on
// every background; it takes no mouse input.
class DragOutline : public QWidget {
public:
    explicit DragOutline(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("dragOutline"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setAttribute(Qt::WA_TranslucentBackground);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect r = rect().adjusted(0, 0, -1, -1);
        // Two pixels wide at 100 %, as wide as the form's other lines at any zoom.
        for (int k = 0; k < zoomedPixels(2); ++k) {
            p.setPen(QPen(Qt::white, 1));
            p.drawRect(r.adjusted(k, k, -k, -k));
            p.setPen(QPen(Qt::black, 1, Qt::DashLine));
            p.drawRect(r.adjusted(k, k, -k, -k));
        }
    }
};

} // namespace

Drag* Drag::begin(LightControl* source) {
    if (!source || !source->container()) {
        return nullptr;
    }
    QWidget* window = source->container()->window();
    if (Drag* running = active(window)) {
        return running;
    }
    return new Drag(source);
}

Drag* Drag::active(const QWidget* window) {
    if (!window) {
        return nullptr;
    }
    for (Drag* d : window->findChildren<Drag*>(Qt::FindDirectChildrenOnly)) {
        if (!d->m_finished) {
            return d;
        }
    }
    return nullptr;
}

void Drag::cancelAll(const QWidget* window) {
    if (!window) {
        return;
    }
    for (Drag* d : window->findChildren<Drag*>(Qt::FindDirectChildrenOnly)) {
        d->cancel();
    }
}

Drag::Drag(LightControl* source) : QObject(source->container()->window()) {
    Container* container = source->container();
    m_source = source;
    m_window = container->window();

    const QRect sourceRect = source->pixelRect().toAlignedRect();
    const QPoint pointer = QCursor::pos();
    const QPoint sourceGlobal = container->mapToGlobal(sourceRect.topLeft());
    m_grabOffset = pointer - sourceGlobal;
    if (!QRect(sourceGlobal, sourceRect.size()).contains(pointer)) {
        m_grabOffset = QPoint(sourceRect.width() / 2, sourceRect.height() / 2);
    }

    auto* outline = new DragOutline(m_window);
    outline->resize(sourceRect.size());
    outline->move(m_window->mapFromGlobal(pointer - m_grabOffset));
    outline->show();
    outline->raise();
    m_outline = outline;

    qApp->installEventFilter(this);
    moveTo(pointer);
}

Drag::Target Drag::targetAt(QPoint globalPos) const {
    Target t;
    if (!m_window) {
        return t;
    }
    QWidget* w = QApplication::widgetAt(globalPos);
    if (w == m_outline) {
        w = nullptr;
    }
    if (!w || w->window() != m_window) {
        return t; // outside the window
    }
    auto* container = qobject_cast<Container*>(w);
    if (!container) {
        t.control = w; // a widget without drop handlers
        return t;
    }
    const QPointF local = container->mapFromGlobal(QPointF(globalPos));
    if (LightControl* child = container->lightControlAt(local)) {
        t.control = child; // a child control of the container: it has no handlers
        return t;
    }
    t.control = container;
    t.container = container;
    return t;
}

void Drag::sendOver(const Target& target, QPoint globalPos, DragState state) {
    if (!target.container || !target.control) {
        return;
    }
    const QPointF user =
        target.container->toUserUnits(target.container->mapFromGlobal(QPointF(globalPos)));
    emit target.container->dragOver(m_source, user.x(), user.y(), state);
}

void Drag::moveTo(QPoint globalPos) {
    if (m_finished || !m_source) {
        return;
    }
    if (m_outline && m_window) {
        m_outline->move(m_window->mapFromGlobal(globalPos - m_grabOffset));
        m_outline->raise();
    }
    const Target next = targetAt(globalPos);
    if (next.control != m_current.control) {
        sendOver(m_current, globalPos, DragState::Leave);
        m_current = next;
        sendOver(m_current, globalPos, DragState::Enter);
    } else {
        sendOver(m_current, globalPos, DragState::Over);
    }
}

void Drag::dropAt(QPoint globalPos) {
    if (m_finished || !m_source) {
        return;
    }
    const Target target = targetAt(globalPos);
    QPointer<LightControl> source = m_source;
    finish();
    if (target.container && target.control && source) {
        const QPointF user =
            target.container->toUserUnits(target.container->mapFromGlobal(QPointF(globalPos)));
        emit target.container->dragDrop(source, user.x(), user.y());
    }
}

void Drag::cancel() {
    finish();
}

void Drag::finish() {
    if (m_finished) {
        return;
    }
    m_finished = true;
    qApp->removeEventFilter(this);
    deleteLater();
    if (m_outline) {
        m_outline->deleteLater();
        m_outline->hide();
    }
    m_outline = nullptr;
    m_source = nullptr;
    m_current = {};
}

bool Drag::eventFilter(QObject* watched, QEvent* event) {
    if (m_finished || !watched->isWidgetType()) {
        return false;
    }
    if (!m_source) {
        finish(); // the dragged control went away
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseMove: {
        auto* me = static_cast<QMouseEvent*>(event);
        moveTo(me->globalPosition().toPoint());
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* me = static_cast<QMouseEvent*>(event);
        dropAt(me->globalPosition().toPoint());
        return false; // let the pressed container finish its press
    }
    default:
        return false;
    }
}

} // namespace rb
