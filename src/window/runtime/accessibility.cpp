// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/accessibility.h"

#include "window/runtime/container.h"
#include "window/runtime/label.h"
#include "window/runtime/lightcontrol.h"
#include "window/runtime/scrollbar.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QAction>
#include <QMenuBar>
#include <QPointer>
#include <QWindow>

#include <algorithm>

namespace rb {

namespace {

// ---- Accessibility tree ------------------------------------------------------------------

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
            return QString::number(bar()->value());
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
}

} // namespace rb
