// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <limits>
#include <list>

class QAccessibleEvent;
class QAccessibleInterface;

namespace rb {

// Between the controls and assistive technology: paces the notices a control sends of itself
// while the program changes controls many times a second.
//
// While paced, a notice of one of the kinds below reaches the sink at once only when the
// control's last notice of that kind lies kPacedReportMs back (kFocusedReportMs for the
// control that has the focus); otherwise it is held back, and when that time has passed one
// notice of the control's state then goes out: its whole text in place of the text the
// listener knows, its value, caret, place or visibility as they are, its name or description
// only if it differs from the one last sent. Ending the pacing sends everything held back at
// once; a Focus notice sends its control's held-back notices before it. Every other notice,
// and every notice while not paced, passes at once.
//
// Kinds: text (inserted, removed, updated), value, caret, name, description, place
// (LocationChanged) and visibility (ObjectShow, ObjectHide).
class NotificationPacer : public QObject {
public:
    static constexpr int kPacedReportMs = 5000;
    static constexpr int kFocusedReportMs = 1000;
    static constexpr int kCheckMs = 250; // how often held-back notices are looked at

    using Sink = std::function<void(QAccessibleEvent*)>;
    NotificationPacer(Sink sink, QObject* parent = nullptr);

    bool paced() const { return m_paced; }
    void setPaced(bool paced);
    void take(QAccessibleEvent* event);
    // Sends the held-back notices whose time has come (the timer does this while paced).
    void sendDue();

    // Milliseconds of a monotonic clock unless replaced (tests); empty: the monotonic clock.
    void setClock(std::function<long long()> nowMs) { m_clock = std::move(nowMs); }

private:
    enum class Kind { Text, Value, Caret, Name, Description, Place, Visibility };
    struct Entry {
        QPointer<QObject> object;
        Kind kind;
        long long sentAt = std::numeric_limits<long long>::min() / 2;
        bool held = false;
        QString known; // text: what the listener knows; name, description: as last sent
    };

    long long now() const { return m_clock ? m_clock() : m_monotonic.elapsed(); }
    bool due(const Entry& e) const;
    Entry& entry(QObject* o, Kind kind);
    void sent(Entry& e, QAccessibleInterface* iface);
    void sendHeld(const std::function<bool(const Entry&)>& pick);
    void sendNow(Entry& e);

    Sink m_sink;
    bool m_paced = false;
    std::list<Entry> m_entries; // references stay valid while a notice is sent
    QTimer m_timer;
    QElapsedTimer m_monotonic;
    std::function<long long()> m_clock;
};

} // namespace rb
