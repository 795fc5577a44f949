// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader finds in the window: a German name for every control a person uses,
// the right roles, the values of the scroll bars as the program counts them, and the pictures
// and labels drawn on containers as children of their container.

#include "support/formfixture.h"
#include "window/runtime/accessibility.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAction>
#include <QHash>
#include <QMenuBar>
#include <QTest>

using rb::Form1;

Q_DECLARE_METATYPE(QAccessible::Role)

namespace {

QAccessibleInterface* accessible(QObject* o) {
    return QAccessible::queryAccessibleInterface(o);
}

QStringList childNames(QAccessibleInterface* parent, bool widgets) {
    QStringList names;
    for (int k = 0; k < parent->childCount(); ++k) {
        QAccessibleInterface* c = parent->child(k);
        if (c && (c->object() && c->object()->isWidgetType()) == widgets) {
            names.append(c->text(QAccessible::Name));
        }
    }
    return names;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void controlNames_data();
    void controlNames();
    void everyFocusableControlHasAName();
    void menuEntries_data();
    void menuEntries();

    void scrollBarValues_data();
    void scrollBarValues();
    void settingAValueRunsTheHandler_data();
    void settingAValueRunsTheHandler();

    void lightControlChildren_data();
    void lightControlChildren();
    void targetMarkerIsAChildOfThePhaseDiagram();
    void hiddenMarkerLeavesTheTree();

private:
    std::unique_ptr<rbtest::LoadedForm> m_loaded;
    Form1& form() { return **m_loaded; }
};

void TestAccessibility::initTestCase() {
    rb::installAccessibility();
    m_loaded = rbtest::loadForm();
    form().show();
    QVERIFY(QTest::qWaitForWindowExposed(&form()));
}

void TestAccessibility::cleanupTestCase() {
    m_loaded.reset();
}

void TestAccessibility::controlNames_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QAccessible::Role>("role");
    const auto row = [](const char* control, const char* name, QAccessible::Role role) {
        QTest::newRow(control) << QString::fromLatin1(control) << QString::fromUtf8(name) << role;
    };
    // Running.
    row("Command1", "Start", QAccessible::Button);
    row("Command2", "Stopp", QAccessible::Button);
    row("Command5", "Beutefisch", QAccessible::Button);
    row("Text2", "Generation", QAccessible::EditableText);
    // Stocks and pace.
    row("HScroll1", "Beutebestand", QAccessible::Slider);
    row("HScroll2", "Räuberbestand", QAccessible::Slider);
    row("HScroll3", "Tempo", QAccessible::Slider);
    row("txtFisch1", "Anzeige Beutebestand", QAccessible::EditableText);
    row("txtFisch2", "Anzeige Räuberbestand", QAccessible::EditableText);
    row("txtTime", "Anzeige Tempo", QAccessible::EditableText);
    row("txtFisch1Bestand", "Beutebestand der Generation", QAccessible::EditableText);
    row("txtFisch2Bestand", "Räuberbestand der Generation", QAccessible::EditableText);
    // Parameters: spinner, box, label.
    row("VScroll1", "Wachstumsrate ändern", QAccessible::Slider);
    row("txtF1p", "Wachstumsrate", QAccessible::EditableText);
    row("Label1", "Wachstumsrate", QAccessible::StaticText);
    row("VScroll2", "Proportionalitätsfaktor ändern", QAccessible::Slider);
    row("txtF2W", "Proportionalitätsfaktor", QAccessible::EditableText);
    row("Label4", "Proportionalitätsfaktor", QAccessible::StaticText);
    row("VScroll3", "Gefräßigkeit ändern", QAccessible::Slider);
    row("txtF2fress", "Gefräßigkeit", QAccessible::EditableText);
    row("Label6", "Gefräßigkeit", QAccessible::StaticText);
    row("VScroll4", "Sterberate ändern", QAccessible::Slider);
    row("txtF2sterb", "Sterberate", QAccessible::EditableText);
    row("Label8", "Sterberate", QAccessible::StaticText);
    row("Picture3", "Räuberparameter", QAccessible::Pane);
    // Time-series diagram.
    row("picDiagramm", "Zeitreihendiagramm", QAccessible::Chart);
    row("Picture2", "Bereich Zeitreihendiagramm", QAccessible::Pane);
    row("HScroll4", "Zeitreihendiagramm verschieben", QAccessible::ScrollBar);
    row("Command3", "Zeitreihendiagramm löschen", QAccessible::Button);
    row("Check1", "auto", QAccessible::CheckBox);
    // Phase diagram.
    row("picphase", "Phasendiagramm", QAccessible::Chart);
    row("Picture1", "Bereich Phasendiagramm", QAccessible::Pane);
    row("Command4", "Phasendiagramm löschen", QAccessible::Button);
    row("imgtarget", "Zielmarke", QAccessible::Graphic);
    row("txtxr", "Beuteachse oben", QAccessible::EditableText);
    row("Text4", "Beuteachse Mitte", QAccessible::EditableText);
    row("Text1", "Achsenursprung", QAccessible::EditableText);
    row("Text3", "Räuberachse Mitte", QAccessible::EditableText);
    row("txtyo", "Räuberachse rechts", QAccessible::EditableText);
    // Aquarium.
    row("picAqua", "Aquarium", QAccessible::Graphic);
}

void TestAccessibility::controlNames() {
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(QAccessible::Role, role);
    QObject* o = form().findChild<QObject*>(control);
    QVERIFY2(o, qPrintable(control));
    QAccessibleInterface* iface = accessible(o);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->role(), role);
}

void TestAccessibility::everyFocusableControlHasAName() {
    // Whatever the keyboard reaches is announced by a name, and controls that are a
    // picture only or a bare "X" say what they do.
    // No two of them share a name, so a spinner is told from its box.
    int focusable = 0;
    QHash<QString, QString> owners;
    for (QWidget* w : form().findChildren<QWidget*>()) {
        if (!w->property("TabIndex").isValid()) {
            continue;
        }
        ++focusable;
        const QString name = accessible(w)->text(QAccessible::Name);
        QVERIFY2(!name.isEmpty(), qPrintable(w->objectName()));
        QVERIFY2(!owners.contains(name), qPrintable(owners.value(name) + " " + w->objectName()));
        owners.insert(name, w->objectName());
        if (qobject_cast<QAbstractButton*>(w) && !qobject_cast<QCheckBox*>(w)) {
            QVERIFY2(!w->accessibleDescription().isEmpty(), qPrintable(w->objectName()));
        }
    }
    QCOMPARE(focusable, 35); // tab indexes 0..38 less the four labels
}

void TestAccessibility::menuEntries_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("name");
    QTest::newRow("cmdEnde") << "cmdEnde" << QStringLiteral("Beenden");
    QTest::newRow("cmdZyk") << "cmdZyk" << QStringLiteral("großer anziehender Zyklus");
    QTest::newRow("cmdKleinZyklus")
        << "cmdKleinZyklus" << QStringLiteral("kleiner anziehender Zyklus");
    QTest::newRow("cmdfix") << "cmdfix" << QStringLiteral("anziehender Fixpunkt");
    QTest::newRow("cmdlabil") << "cmdlabil" << QStringLiteral("labiles Gleichgewicht");
}

void TestAccessibility::menuEntries() {
    QFETCH(QString, entry);
    QFETCH(QString, name);
    auto* action = form().findChild<QAction*>(entry);
    QVERIFY(action);
    QAccessibleInterface* bar = accessible(form().menuBar());
    QVERIFY(bar);
    QAccessibleInterface* item = nullptr;
    for (int k = 0; k < bar->childCount(); ++k) {
        if (bar->child(k)->object() == action) {
            item = bar->child(k);
        }
    }
    QVERIFY(item);
    QCOMPARE(item->text(QAccessible::Name), name);
    QCOMPARE(item->role(), QAccessible::MenuItem);
    // What the entry does, for the status line, "What's this?" and a screen reader.
    QVERIFY(!action->statusTip().isEmpty());
    QCOMPARE(item->text(QAccessible::Description), action->statusTip());
    QCOMPARE(bar->indexOfChild(item), form().menuBar()->actions().indexOf(action));
    QCOMPARE(item->parent(), bar);
    QCOMPARE(item->rect().center(),
             form().menuBar()->mapToGlobal(form().menuBar()->actionGeometry(action).center()));
}

void TestAccessibility::scrollBarValues_data() {
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("text"); // what the value is read as; empty: the number
    // The spinners run from 100 at the top to 0 at the bottom: Qt's own slider counts the
    // other way round, and a screen reader must hear the program's value.
    QTest::newRow("growth rate spinner") << "VScroll1" << 10 << 0 << 100 << QString();
    QTest::newRow("proportionality spinner") << "VScroll2" << 32 << 0 << 100 << QString();
    QTest::newRow("voracity spinner") << "VScroll3" << 10 << 0 << 100 << QString();
    QTest::newRow("death rate spinner") << "VScroll4" << 10 << 0 << 100 << QString();
    QTest::newRow("prey stock") << "HScroll1" << 1 << 0 << 32 << QString();
    QTest::newRow("predator stock") << "HScroll2" << 0 << 0 << 24 << QString();
    QTest::newRow("pace") << "HScroll3" << 50 << 0 << 50
                          << QStringLiteral("50, 250 Millisekunden je Generation");
    QTest::newRow("time-series scroll")
        << "HScroll4" << 0 << 0 << 30000 << QStringLiteral("ab Generation 0");
}

void TestAccessibility::scrollBarValues() {
    QFETCH(QString, bar);
    QFETCH(int, value);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(QString, text);
    QAccessibleInterface* iface = accessible(form().findChild<QObject*>(bar));
    QVERIFY(iface);
    QAccessibleValueInterface* v = iface->valueInterface();
    QVERIFY(v);
    QCOMPARE(v->currentValue().toInt(), value);
    QCOMPARE(v->minimumValue().toInt(), minimum);
    QCOMPARE(v->maximumValue().toInt(), maximum);
    QCOMPARE(v->minimumStepSize().toInt(), 1);
    QCOMPARE(iface->text(QAccessible::Value), text.isEmpty() ? QString::number(value) : text);
}

void TestAccessibility::settingAValueRunsTheHandler_data() {
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::newRow("growth rate up") << "VScroll1" << 11 << "txtF1p"
                                    << "11";
    QTest::newRow("voracity to 0") << "VScroll3" << 0 << "txtF2fress"
                                   << "0";
    QTest::newRow("prey stock") << "HScroll1" << 5 << "txtFisch1"
                                << "5";
    QTest::newRow("predator stock past its end") << "HScroll2" << 30 << "txtFisch2"
                                                 << "24";
}

void TestAccessibility::settingAValueRunsTheHandler() {
    QFETCH(QString, bar);
    QFETCH(int, value);
    QFETCH(QString, box);
    QFETCH(QString, text);
    auto loaded = rbtest::loadForm();
    Form1& f = **loaded;
    QAccessibleInterface* iface = accessible(f.findChild<QObject*>(bar));
    QVERIFY(iface && iface->valueInterface());
    iface->valueInterface()->setCurrentValue(value);
    QCOMPARE(f.findChild<QLineEdit*>(box)->text(), text);
    QCOMPARE(iface->valueInterface()->currentValue().toInt(), text.toInt());
}

void TestAccessibility::lightControlChildren_data() {
    QTest::addColumn<QString>("container");
    QTest::addColumn<QStringList>("names");
    // Named pictures and labels only, topmost first; fish and decorations stay out.
    QTest::newRow("phase diagram") << "picphase" << QStringList{QStringLiteral("Zielmarke")};
    QTest::newRow("predator parameters")
        << "Picture3"
        << QStringList{QStringLiteral("Gefräßigkeit"), QStringLiteral("Proportionalitätsfaktor"),
                       QStringLiteral("Sterberate")};
    QTest::newRow("aquarium") << "picAqua" << QStringList{};
    QTest::newRow("time-series diagram") << "picDiagramm" << QStringList{};
}

void TestAccessibility::lightControlChildren() {
    QFETCH(QString, container);
    QFETCH(QStringList, names);
    QAccessibleInterface* iface = accessible(form().findChild<QObject*>(container));
    QVERIFY(iface);
    QCOMPARE(childNames(iface, false), names);
}

void TestAccessibility::targetMarkerIsAChildOfThePhaseDiagram() {
    Form1& f = form();
    QAccessibleInterface* phase = accessible(f.picphase);
    QAccessibleInterface* marker = nullptr;
    int index = -1;
    for (int k = 0; k < phase->childCount(); ++k) {
        if (phase->child(k)->text(QAccessible::Name) == QLatin1String("Zielmarke")) {
            marker = phase->child(k);
            index = k;
        }
    }
    QVERIFY(marker);
    QCOMPARE(marker->object(), static_cast<QObject*>(f.imgtarget));
    QCOMPARE(marker->role(), QAccessible::Graphic);
    // It names the stock sliders, which set the same from the keyboard.
    const QString description = marker->text(QAccessible::Description);
    QVERIFY2(description.contains(accessible(f.HScroll1)->text(QAccessible::Name)),
             qPrintable(description));
    QVERIFY2(description.contains(accessible(f.HScroll2)->text(QAccessible::Name)),
             qPrintable(description));
    QCOMPARE(marker->text(QAccessible::Help), f.imgtarget->toolTip());
    QCOMPARE(marker->parent(), phase);
    QCOMPARE(phase->indexOfChild(marker), index);
    QVERIFY(!marker->state().invisible);

    // On screen where it is drawn, and found there.
    const QRect local = f.imgtarget->pixelRect().toAlignedRect();
    QCOMPARE(marker->rect(), QRect(f.picphase->mapToGlobal(local.topLeft()), local.size()));
    QCOMPARE(phase->childAt(marker->rect().center().x(), marker->rect().center().y()), marker);

    // The clear button lies above every picture and is found first where it is.
    QAccessibleInterface* clear = accessible(f.Command4);
    const QPoint onClear = clear->rect().center();
    QCOMPARE(phase->childAt(onClear.x(), onClear.y()), clear);
}

void TestAccessibility::hiddenMarkerLeavesTheTree() {
    Form1& f = form();
    QAccessibleInterface* phase = accessible(f.picphase);
    const int withMarker = phase->childCount();
    f.imgtarget->setVisible(false);
    QCOMPARE(phase->childCount(), withMarker - 1);
    QVERIFY(childNames(phase, false).isEmpty());
    f.imgtarget->setVisible(true);
    QCOMPARE(phase->childCount(), withMarker);
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
