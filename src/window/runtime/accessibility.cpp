// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/accessibility.h"

#include "window/runtime/container.h"
#include "window/runtime/label.h"
#include "window/runtime/lightcontrol.h"
#include "window/runtime/notificationpacer.h"
#include "window/runtime/scrollbar.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QAction>
#include <QCoreApplication>
#include <QHash>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <vector>

namespace rb {

namespace {

// ---- Accessibility tree ------------------------------------------------------------------

QHash<const QObject*, std::function<QString()>>& valueTexts() {
    static QHash<const QObject*, std::function<QString()>> texts;
    return texts;
}

QString valueText(const QObject* bar) {
    const auto it = valueTexts().constFind(bar);
    return it != valueTexts().cend() ? (*it)() : QString();
}

QAccessible::Role roleProperty(const QObject* o, QAccessible::Role fallback) {
    const QVariant role = o->property(kAccessibleRoleProperty);
    return role.isValid() ? static_cast<QAccessible::Role>(role.toInt()) : fallback;
}

bool exposed(const LightControl* c) {
    return c->isVisible() && !c->property(kAccessibleNameProperty).toString().isEmpty();
}

// The light controls of a container that assistive technology sees: visible and named,
// topmost first (so that the first one containing a point is the one shown there).
std::vector<LightControl*> exposedLightControls(const Container* container) {
    std::vector<LightControl*> list;
    const auto& all = container->lightControls();
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        if (exposed(*it)) {
            list.push_back(*it);
        }
    }
    return list;
}

// A picture, label or line on a container's surface.
class LightControlAccessible : public QAccessibleObject {
public:
    explicit LightControlAccessible(LightControl* control) : QAccessibleObject(control) {}

    LightControl* control() const { return static_cast<LightControl*>(object()); }

    bool isValid() const override {
        return QAccessibleObject::isValid() && control()->container() != nullptr;
    }

    QWindow* window() const override {
        const Container* c = control()->container();
        return c ? c->window()->windowHandle() : nullptr;
    }

    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(control()->container());
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        const LightControl* c = control();
        switch (t) {
        case QAccessible::Name:
            return c->property(kAccessibleNameProperty).toString();
        case QAccessible::Description:
            return c->property(kAccessibleDescriptionProperty).toString();
        case QAccessible::Help:
            return c->toolTip();
        default:
            return {};
        }
    }

    QAccessible::Role role() const override {
        const bool text = qobject_cast<const Label*>(control()) != nullptr;
        return roleProperty(control(), text ? QAccessible::StaticText : QAccessible::Graphic);
    }

    QAccessible::State state() const override {
        QAccessible::State s;
        const Container* c = control()->container();
        if (!control()->isVisible() || !c || !c->isVisible()) {
            s.invisible = true;
        }
        s.readOnly = true;
        return s;
    }

    // On screen, cut at the container's edges.
    QRect rect() const override {
        const Container* c = control()->container();
        if (!c) {
            return {};
        }
        const QRect local = control()->pixelRect().toAlignedRect() & c->rect();
        if (local.isEmpty()) {
            return {};
        }
        return QRect(c->mapToGlobal(local.topLeft()), local.size());
    }
};

// A container: its widget children as usual, then its exposed light controls.
class ContainerAccessible : public QAccessibleWidget {
public:
    explicit ContainerAccessible(Container* container)
        : QAccessibleWidget(container, roleProperty(container, QAccessible::Pane)) {}

    Container* container() const { return static_cast<Container*>(widget()); }

    QAccessible::Role role() const override { return roleProperty(container(), QAccessible::Pane); }

    int childCount() const override {
        return QAccessibleWidget::childCount() +
               static_cast<int>(exposedLightControls(container()).size());
    }

    QAccessibleInterface* child(int index) const override {
        const int widgets = QAccessibleWidget::childCount();
        if (index < widgets) {
            return QAccessibleWidget::child(index);
        }
        const auto lights = exposedLightControls(container());
        const auto k = static_cast<std::size_t>(index - widgets);
        return k < lights.size() ? QAccessible::queryAccessibleInterface(lights[k]) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child) {
            return -1;
        }
        if (auto* light = qobject_cast<LightControl*>(child->object())) {
            const auto lights = exposedLightControls(container());
            const auto it = std::find(lights.begin(), lights.end(), light);
            if (it == lights.end()) {
                return -1;
            }
            return QAccessibleWidget::childCount() + static_cast<int>(it - lights.begin());
        }
        return QAccessibleWidget::indexOfChild(child);
    }

    // Widget children lie above the light controls.
    QAccessibleInterface* childAt(int x, int y) const override {
        const int n = childCount();
        for (int k = 0; k < n; ++k) {
            QAccessibleInterface* c = child(k);
            if (c && c->isValid() && !c->state().invisible && c->rect().contains(x, y)) {
                return c;
            }
        }
        return nullptr;
    }
};

// A scroll bar that reports its Value and range as the program sees them: a parameter spinner
// runs from 100 at its top to 0 at its bottom, while the underlying Qt slider counts 0..100
// from the top.
class ScrollBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ScrollBarAccessible(ScrollBar* bar)
        : QAccessibleWidget(bar, roleProperty(bar, QAccessible::ScrollBar)) {}

    ScrollBar* bar() const { return static_cast<ScrollBar*>(widget()); }

    QAccessible::Role role() const override { return roleProperty(bar(), QAccessible::ScrollBar); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) {
            const QString meaning = valueText(bar());
            return meaning.isEmpty() ? QString::number(bar()->value()) : meaning;
        }
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return bar()->value(); }
    void setCurrentValue(const QVariant& value) override { bar()->setValue(value.toInt()); }
    QVariant maximumValue() const override { return std::max(bar()->min(), bar()->max()); }
    QVariant minimumValue() const override { return std::min(bar()->min(), bar()->max()); }
    QVariant minimumStepSize() const override { return bar()->smallChange(); }
};

// A top-level entry of a menu bar that carries a description: Qt's own menu entry reports
// its caption as name but no description, so it is made here, with the same name, role,
// state, place and action.
class MenuEntryAccessible : public QAccessibleObject, public QAccessibleActionInterface {
public:
    MenuEntryAccessible(QAction* action, QMenuBar* bar) : QAccessibleObject(action), m_bar(bar) {}

    QAction* action() const { return static_cast<QAction*>(object()); }

    bool isValid() const override { return QAccessibleObject::isValid() && !m_bar.isNull(); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ActionInterface) {
            return static_cast<QAccessibleActionInterface*>(this);
        }
        return QAccessibleObject::interface_cast(t);
    }

    QWindow* window() const override { return m_bar ? m_bar->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(m_bar.data());
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }

    QString text(QAccessible::Text t) const override {
        switch (t) {
        case QAccessible::Name: // the caption without its mnemonic marks ("&&" is one "&")
            return QString(action()->text())
                .replace(QStringLiteral("&&"), QStringLiteral("\x01"))
                .remove(QLatin1Char('&'))
                .replace(QLatin1Char('\x01'), QLatin1Char('&'));
        case QAccessible::Description:
            return action()->property(kAccessibleDescriptionProperty).toString();
        default:
            return {};
        }
    }

    QAccessible::State state() const override {
        QAccessible::State s;
        if (!m_bar || !m_bar->isVisible() || !action()->isVisible()) {
            s.invisible = true;
        }
        if (m_bar && m_bar->activeAction() == action()) {
            s.focused = true;
        }
        s.disabled = !action()->isEnabled();
        return s;
    }

    QRect rect() const override {
        if (!m_bar) {
            return {};
        }
        const QRect r = m_bar->actionGeometry(action());
        return QRect(m_bar->mapToGlobal(r.topLeft()), r.size());
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction() && action()->isEnabled()) {
            action()->trigger();
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<QMenuBar> m_bar;
};

// ---- Announcements -----------------------------------------------------------------------

// A status line of the window that has no widget and shows nothing; it holds the
// announcement. Its QObject parent is the window.
class StatusLine : public QObject {
public:
    explicit StatusLine(QWidget* window) : QObject(window) {}
};

// The text to speak; its QObject parent is the status line.
class Announcement : public QObject {
public:
    explicit Announcement(StatusLine* line) : QObject(line) {}
    QString text;
};

Announcement* announcementOf(QWidget* window) {
    for (QObject* o : window->children()) {
        if (auto* line = dynamic_cast<StatusLine*>(o)) {
            return static_cast<Announcement*>(line->children().constFirst());
        }
    }
    return new Announcement(new StatusLine(window));
}

// Both are leaves of the tree as far as hit-testing and geometry go: nothing is drawn.
class HiddenAccessible : public QAccessibleObject {
public:
    using QAccessibleObject::QAccessibleObject;

    QWindow* window() const override {
        const QAccessibleInterface* p = parent();
        return p ? p->window() : nullptr;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        return s;
    }
};

class StatusLineAccessible : public HiddenAccessible {
public:
    explicit StatusLineAccessible(StatusLine* line) : HiddenAccessible(line) {}

    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(object()->parent());
    }
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(object()->children().value(0))
                          : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == object()->children().value(0) ? 0 : -1;
    }
    QString text(QAccessible::Text) const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::StatusBar; }
};

class AnnouncementAccessible : public HiddenAccessible {
public:
    explicit AnnouncementAccessible(Announcement* note) : HiddenAccessible(note) {}

    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(object()->parent());
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? static_cast<Announcement*>(object())->text : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
};

// ---- Live descriptions -------------------------------------------------------------------

class LiveDescriptions : public QObject, public QAccessible::ActivationObserver {
public:
    explicit LiveDescriptions(QObject* parent) : QObject(parent) {
        m_timer.setInterval(1000 / kLiveTextsPerSecond);
        connect(&m_timer, &QTimer::timeout, this, &LiveDescriptions::refresh);
        QAccessible::installActivationObserver(this);
    }
    ~LiveDescriptions() override { QAccessible::removeActivationObserver(this); }

    // Lives as long as the application object.
    static LiveDescriptions& instance() {
        static QPointer<LiveDescriptions> live;
        if (!live) {
            live = new LiveDescriptions(QCoreApplication::instance());
        }
        return *live;
    }

    void add(QWidget* control, std::function<QString()> text) {
        m_entries.push_back({control, std::move(text)});
        accessibilityActiveChanged(QAccessible::isActive());
    }

    void refresh() {
        std::erase_if(m_entries, [](const Entry& e) { return e.control.isNull(); });
        for (const Entry& e : m_entries) {
            const QString text = e.text();
            if (text != e.control->accessibleDescription()) {
                e.control->setAccessibleDescription(text); // tells the listener
            }
        }
    }

    void accessibilityActiveChanged(bool active) override {
        if (active && !m_timer.isActive() && !m_entries.empty()) {
            refresh();
            m_timer.start();
        } else if (!active) {
            m_timer.stop();
        }
    }

private:
    struct Entry {
        QPointer<QWidget> control;
        std::function<QString()> text;
    };
    std::vector<Entry> m_entries;
    QTimer m_timer;
};

// ---- Paced notifications -----------------------------------------------------------------

QAccessible::UpdateHandler g_nextHandler = nullptr; // one installed before ours, if any

void toPlatform(QAccessibleEvent* event);

NotificationPacer& pacer() {
    static QPointer<NotificationPacer> pacer;
    if (!pacer) {
        pacer = new NotificationPacer(&toPlatform, QCoreApplication::instance());
    }
    return *pacer;
}

bool hasFocus(const QObject* o) {
    const auto* w = qobject_cast<const QWidget*>(o);
    return w && w->hasFocus();
}

// Every notice of the program's controls passes here on its way to the platform.
void handleUpdate(QAccessibleEvent* event) {
    QObject* o = event->object();
    if (o && (dynamic_cast<StatusLine*>(o) || dynamic_cast<Announcement*>(o))) {
        toPlatform(event); // an announcement is spoken at once
        return;
    }
    if (event->type() == QAccessible::ValueChanged && hasFocus(o) && valueTexts().contains(o)) {
        return; // a step of a bar read by its meaning is heard as that (setValueText)
    }
    pacer().take(event);
}

void toPlatform(QAccessibleEvent* event) {
    if (g_nextHandler) {
        g_nextHandler(event);
        return;
    }
    // Without a handler of its own Qt hands the notice to the platform's bridge.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(&handleUpdate);
}

QMenuBar* menuBarOf(const QAction* action) {
    for (QObject* o : action->associatedObjects()) {
        if (auto* bar = qobject_cast<QMenuBar*>(o)) {
            return bar;
        }
    }
    return nullptr;
}

QAccessibleInterface* accessibleFactory(const QString&, QObject* object) {
    if (auto* action = qobject_cast<QAction*>(object)) {
        QMenuBar* bar = menuBarOf(action);
        if (bar && action->property(kAccessibleDescriptionProperty).isValid()) {
            return new MenuEntryAccessible(action, bar);
        }
        return nullptr;
    }
    if (auto* light = qobject_cast<LightControl*>(object)) {
        return new LightControlAccessible(light);
    }
    if (auto* container = qobject_cast<Container*>(object)) {
        return new ContainerAccessible(container);
    }
    if (auto* bar = qobject_cast<ScrollBar*>(object)) {
        return new ScrollBarAccessible(bar);
    }
    if (auto* line = dynamic_cast<StatusLine*>(object)) {
        return new StatusLineAccessible(line);
    }
    if (auto* note = dynamic_cast<Announcement*>(object)) {
        return new AnnouncementAccessible(note);
    }
    return nullptr;
}

} // namespace

void describe(QObject* control, const QString& name, const QString& description, int role) {
    if (auto* w = qobject_cast<QWidget*>(control)) {
        w->setAccessibleName(name);
        w->setAccessibleDescription(description);
    } else if (auto* a = qobject_cast<QAction*>(control)) {
        // A menu entry is announced by its caption; the description goes where the platform
        // shows it for actions, and to assistive technology.
        a->setStatusTip(description);
        a->setWhatsThis(description);
        a->setProperty(kAccessibleDescriptionProperty, description);
    } else {
        control->setProperty(kAccessibleNameProperty, name);
        control->setProperty(kAccessibleDescriptionProperty, description);
    }
    if (role >= 0) {
        control->setProperty(kAccessibleRoleProperty, role);
    }
}

void installAccessibility() {
    QAccessible::installFactory(&accessibleFactory);
    const QAccessible::UpdateHandler before = QAccessible::installUpdateHandler(&handleUpdate);
    if (before != &handleUpdate) {
        g_nextHandler = before;
    }
}

void announce(QWidget* window, const QString& text) {
    Announcement* note = announcementOf(window);
    note->text = text;
    if (!QAccessible::isActive()) {
        return;
    }
    // A new name first (a listener that keeps names forgets the old one), then the
    // notification shows: that is what is spoken.
    QAccessibleEvent renamed(note, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    QAccessibleEvent shown(note, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

void setValueText(ScrollBar* bar, std::function<QString()> text) {
    valueTexts()[bar] = std::move(text);
    QObject::connect(bar, &QObject::destroyed, [bar] { valueTexts().remove(bar); });
    // The action comes before the new value: the text is made once it is set.
    QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [bar] {
        if (QAccessible::isActive() && bar->hasFocus()) {
            QMetaObject::invokeMethod(
                bar, [bar] { announce(bar->window(), valueText(bar)); }, Qt::QueuedConnection);
        }
    });
}

void setLiveDescription(QWidget* control, std::function<QString()> text) {
    LiveDescriptions::instance().add(control, std::move(text));
}

void refreshLiveDescriptions() {
    LiveDescriptions::instance().refresh();
}

void setNotificationsPaced(bool paced) {
    pacer().setPaced(paced);
}

} // namespace rb
