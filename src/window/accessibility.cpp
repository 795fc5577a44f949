#include "window/accessibility.h"

#include "window/container.h"
#include "window/form1.h"
#include "window/label.h"
#include "window/lightcontrol.h"
#include "window/scrollbar.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QAction>
#include <QWindow>

#include <algorithm>

namespace rb {

namespace {

// ---- Names and descriptions --------------------------------------------------------------

void describe(QWidget* w, const QString& name, const QString& description = {}) {
    w->setAccessibleName(name);
    w->setAccessibleDescription(description);
}

void describe(LightControl* c, const QString& name, const QString& description = {},
              QAccessible::Role role = QAccessible::NoRole) {
    c->setProperty(kAccessibleNameProperty, name);
    c->setProperty(kAccessibleDescriptionProperty, description);
    if (role != QAccessible::NoRole) {
        c->setProperty(kAccessibleRoleProperty, static_cast<int>(role));
    }
}

void setRole(QObject* o, QAccessible::Role role) {
    o->setProperty(kAccessibleRoleProperty, static_cast<int>(role));
}

// Menu entries are announced by their caption; the description goes where the platform
// shows it for actions (status tip, "What's this?").
void describe(QAction* a, const QString& description) {
    a->setStatusTip(description);
    a->setWhatsThis(description);
}

const QString kSpinnerUse =
    QStringLiteral("Pfeil nach oben erhöht, Pfeil nach unten verringert den Wert um 1 (0 bis 100)");

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

QAccessibleInterface* accessibleFactory(const QString&, QObject* object) {
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

void setAccessibleTexts(Form1& f) {
    // Menu bar.
    describe(f.cmdEnde, QStringLiteral("Beendet das Programm"));
    describe(f.cmdZyk, QStringLiteral("Setzt die vier Parameter auf Werte, die zu einem großen "
                                      "anziehenden Zyklus führen"));
    describe(f.cmdKleinZyklus, QStringLiteral("Setzt die vier Parameter auf Werte, die zu einem "
                                              "kleinen anziehenden Zyklus führen"));
    describe(f.cmdfix, QStringLiteral("Setzt die vier Parameter auf Werte, die zu einem "
                                      "anziehenden Fixpunkt führen"));
    describe(f.cmdlabil, QStringLiteral("Setzt die vier Parameter auf Werte eines labilen "
                                        "Gleichgewichts"));

    // Running the simulation.
    describe(f.Command1, QStringLiteral("Start"), QStringLiteral("Startet die Simulation"));
    describe(f.Command2, QStringLiteral("Stopp"), QStringLiteral("Hält die Simulation an"));
    describe(f.Command5, QStringLiteral("Beutefisch"), QStringLiteral("Bild ohne Funktion"));
    describe(f.Text2, QStringLiteral("Generation"),
             QStringLiteral("Zahl der bisher berechneten Generationen"));

    // Stocks.
    describe(f.HScroll1, QStringLiteral("Beutebestand"),
             QStringLiteral("Zahl der Beutefische im Aquarium, 0 bis 32"));
    describe(f.HScroll2, QStringLiteral("Räuberbestand"),
             QStringLiteral("Zahl der Raubfische im Aquarium, 0 bis 24"));
    setRole(f.HScroll1, QAccessible::Slider);
    setRole(f.HScroll2, QAccessible::Slider);
    describe(f.txtFisch1, QStringLiteral("Anzeige Beutebestand"),
             QStringLiteral("Stellung des Reglers Beutebestand"));
    describe(f.txtFisch2, QStringLiteral("Anzeige Räuberbestand"),
             QStringLiteral("Stellung des Reglers Räuberbestand"));
    describe(f.txtFisch1Bestand, QStringLiteral("Beutebestand der Generation"),
             QStringLiteral("Beutefische nach der zuletzt berechneten Generation"));
    describe(f.txtFisch2Bestand, QStringLiteral("Räuberbestand der Generation"),
             QStringLiteral("Raubfische nach der zuletzt berechneten Generation"));

    // Pace.
    describe(f.HScroll3, QStringLiteral("Tempo"),
             QStringLiteral("Geschwindigkeit, mit der die Generationen aufeinander folgen"));
    setRole(f.HScroll3, QAccessible::Slider);
    describe(f.txtTime, QStringLiteral("Anzeige Tempo"),
             QStringLiteral("Stellung des Reglers Tempo"));

    // The four parameters: spinner, box and the label under the box.
    struct Parameter {
        ScrollBar* spinner;
        TextBox* box;
        Label* label;
        QString name;
        QString meaning;
    };
    const Parameter parameters[] = {
        {f.VScroll1, f.txtF1p, f.Label1, QStringLiteral("Wachstumsrate"),
         QStringLiteral("Wachstum der Beutefische in Prozent je Generation")},
        {f.VScroll2, f.txtF2W, f.Label4, QStringLiteral("Proportionalitätsfaktor"),
         QStringLiteral("Vermehrung der Raubfische im Verhältnis zum Beuteangebot")},
        {f.VScroll3, f.txtF2fress, f.Label6, QStringLiteral("Gefräßigkeit"),
         QStringLiteral("Wie stark die Raubfische Beutefische fressen")},
        {f.VScroll4, f.txtF2sterb, f.Label8, QStringLiteral("Sterberate"),
         QStringLiteral("Raubfische, die je Generation sterben, in Prozent")},
    };
    for (const Parameter& p : parameters) {
        describe(p.spinner, p.name, kSpinnerUse);
        setRole(p.spinner, QAccessible::Slider);
        describe(p.box, p.name, p.meaning);
        describe(p.label, p.name);
    }
    describe(f.Picture3, QStringLiteral("Räuberparameter"));

    // Time-series diagram.
    describe(f.picDiagramm, QStringLiteral("Zeitreihendiagramm"),
             QStringLiteral("Beutebestand und Räuberbestand in Prozent über den Generationen"));
    setRole(f.picDiagramm, QAccessible::Chart);
    describe(f.Picture2, QStringLiteral("Bereich Zeitreihendiagramm"));
    describe(f.HScroll4, QStringLiteral("Zeitreihendiagramm verschieben"),
             QStringLiteral("Blättert durch die Generationen des Zeitreihendiagramms"));
    describe(f.Command3, QStringLiteral("Zeitreihendiagramm löschen"),
             QStringLiteral("Löscht das Zeitreihendiagramm und setzt die Generation auf 0"));
    describe(f.Check1, QStringLiteral("auto"),
             QStringLiteral("Zeitreihendiagramm bei Generation 800 von selbst neu beginnen"));

    // Phase diagram.
    describe(f.picphase, QStringLiteral("Phasendiagramm"),
             QStringLiteral("Beutebestand (senkrecht, 8 bis 32) gegen Räuberbestand "
                            "(waagerecht, 0 bis 24)"));
    setRole(f.picphase, QAccessible::Chart);
    describe(f.Picture1, QStringLiteral("Bereich Phasendiagramm"));
    describe(f.Command4, QStringLiteral("Phasendiagramm löschen"),
             QStringLiteral("Löscht die Kurve im Phasendiagramm"));
    describe(f.imgtarget, QStringLiteral("Zielmarke"),
             QStringLiteral("Mit gedrückter linker Maustaste im Phasendiagramm ziehen, um "
                            "Beutebestand und Räuberbestand zugleich zu setzen"));
    describe(f.txtxr, QStringLiteral("Beuteachse oben"),
             QStringLiteral("Beschriftung des Phasendiagramms: Beutebestand 32"));
    describe(f.Text4, QStringLiteral("Beuteachse Mitte"),
             QStringLiteral("Beschriftung des Phasendiagramms: Beutebestand 20"));
    describe(f.Text1, QStringLiteral("Achsenursprung"),
             QStringLiteral("Beschriftung des Phasendiagramms: Beutebestand 8, Räuberbestand 0"));
    describe(f.Text3, QStringLiteral("Räuberachse Mitte"),
             QStringLiteral("Beschriftung des Phasendiagramms: Räuberbestand 12"));
    describe(f.txtyo, QStringLiteral("Räuberachse rechts"),
             QStringLiteral("Beschriftung des Phasendiagramms: Räuberbestand 24"));

    // Aquarium.
    describe(f.picAqua, QStringLiteral("Aquarium"),
             QStringLiteral("Zeigt so viele Beutefische und Raubfische, wie die Bestände "
                            "angeben"));
    setRole(f.picAqua, QAccessible::Graphic);
}

void installAccessibility() {
    QAccessible::installFactory(&accessibleFactory);
}

} // namespace rb
