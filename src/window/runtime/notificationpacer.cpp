// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/notificationpacer.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QWidget>

#include <optional>

namespace rb {

namespace {

bool focused(const QObject* o) {
    const auto* w = qobject_cast<const QWidget*>(o);
    return w && w->hasFocus();
}

QString wholeText(QAccessibleInterface* iface) {
    QAccessibleTextInterface* text = iface->textInterface();
    return text ? text->text(0, text->characterCount()) : iface->text(QAccessible::Value);
}

// The whole text before a change: the text now with the changed part put back as it was.
QString textBefore(QAccessibleEvent* event) {
    const QString now = wholeText(event->accessibleInterface());
    int at = 0;
    QString removed;
    QString inserted;
    if (event->type() == QAccessible::TextInserted) {
        const auto* e = static_cast<QAccessibleTextInsertEvent*>(event);
        at = e->changePosition();
        inserted = e->textInserted();
    } else if (event->type() == QAccessible::TextRemoved) {
        const auto* e = static_cast<QAccessibleTextRemoveEvent*>(event);
        at = e->changePosition();
        removed = e->textRemoved();
    } else {
        const auto* e = static_cast<QAccessibleTextUpdateEvent*>(event);
        at = e->changePosition();
        removed = e->textRemoved();
        inserted = e->textInserted();
    }
    return now.left(at) + removed + now.mid(at + inserted.size());
}

} // namespace

NotificationPacer::NotificationPacer(Sink sink, QObject* parent)
    : QObject(parent), m_sink(std::move(sink)) {
    m_monotonic.start();
    m_timer.setInterval(kCheckMs);
    connect(&m_timer, &QTimer::timeout, this, &NotificationPacer::sendDue);
}

void NotificationPacer::setPaced(bool paced) {
    m_paced = paced;
    if (paced) {
        m_timer.start();
    } else {
        m_timer.stop();
        sendHeld([](const Entry&) { return true; });
    }
}

bool NotificationPacer::due(const Entry& e) const {
    return now() - e.sentAt >= (focused(e.object) ? kFocusedReportMs : kPacedReportMs);
}

NotificationPacer::Entry& NotificationPacer::entry(QObject* o, Kind kind) {
    for (Entry& e : m_entries) {
        if (e.object == o && e.kind == kind) {
            return e;
        }
    }
    Entry& added = m_entries.emplace_back();
    added.object = o;
    added.kind = kind;
    return added;
}

void NotificationPacer::take(QAccessibleEvent* event) {
    QObject* o = event->object();
    std::optional<Kind> kind;
    switch (event->type()) {
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::TextUpdated:
        kind = Kind::Text;
        break;
    case QAccessible::ValueChanged:
        kind = Kind::Value;
        break;
    case QAccessible::TextCaretMoved:
        kind = Kind::Caret;
        break;
    case QAccessible::NameChanged:
        kind = Kind::Name;
        break;
    case QAccessible::DescriptionChanged:
        kind = Kind::Description;
        break;
    case QAccessible::LocationChanged:
        kind = Kind::Place;
        break;
    case QAccessible::ObjectShow:
    case QAccessible::ObjectHide:
        kind = Kind::Visibility;
        break;
    case QAccessible::Focus:
        sendHeld([o](const Entry& e) { return e.object == o; });
        break;
    default:
        break;
    }
    if (!kind || !o) {
        m_sink(event);
        return;
    }
    Entry& e = entry(o, *kind);
    if (e.held) {
        return; // the newest state goes out when it is due
    }
    if (!m_paced || due(e)) {
        m_sink(event);
        sent(e, event->accessibleInterface());
        return;
    }
    e.held = true;
    if (*kind == Kind::Text) {
        e.known = textBefore(event);
    }
}

void NotificationPacer::sendDue() {
    sendHeld([this](const Entry& e) { return due(e); });
}

void NotificationPacer::sent(Entry& e, QAccessibleInterface* iface) {
    e.sentAt = now();
    e.held = false;
    if (iface && e.kind == Kind::Name) {
        e.known = iface->text(QAccessible::Name);
    } else if (iface && e.kind == Kind::Description) {
        e.known = iface->text(QAccessible::Description);
    }
}

void NotificationPacer::sendHeld(const std::function<bool(const Entry&)>& pick) {
    m_entries.remove_if([](const Entry& e) { return e.object.isNull(); });
    for (Entry& e : m_entries) {
        if (e.held && pick(e)) {
            sendNow(e);
        }
    }
}

void NotificationPacer::sendNow(Entry& e) {
    QObject* o = e.object;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(o);
    e.held = false;
    if (!iface || !iface->isValid()) {
        return;
    }
    switch (e.kind) {
    case Kind::Text: {
        const QString text = wholeText(iface);
        if (text == e.known) {
            return; // back to what the listener knows
        }
        QAccessibleTextUpdateEvent update(o, 0, e.known, text);
        m_sink(&update);
        break;
    }
    case Kind::Value: {
        QAccessibleValueInterface* value = iface->valueInterface();
        QAccessibleValueChangeEvent changed(o, value ? value->currentValue() : QVariant());
        m_sink(&changed);
        break;
    }
    case Kind::Caret: {
        QAccessibleTextInterface* text = iface->textInterface();
        QAccessibleTextCursorEvent moved(o, text ? text->cursorPosition() : 0);
        m_sink(&moved);
        break;
    }
    case Kind::Name:
    case Kind::Description: {
        const bool name = e.kind == Kind::Name;
        if (iface->text(name ? QAccessible::Name : QAccessible::Description) == e.known) {
            return;
        }
        QAccessibleEvent changed(o,
                                 name ? QAccessible::NameChanged : QAccessible::DescriptionChanged);
        m_sink(&changed);
        break;
    }
    case Kind::Place: {
        QAccessibleEvent moved(o, QAccessible::LocationChanged);
        m_sink(&moved);
        break;
    }
    case Kind::Visibility: {
        QAccessibleEvent shown(o, iface->state().invisible ? QAccessible::ObjectHide
                                                           : QAccessible::ObjectShow);
        m_sink(&shown);
        break;
    }
    }
    sent(e, iface);
}

} // namespace rb
