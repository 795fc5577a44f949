// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader hears of the running simulation: the state sentence on F2 and at the
// stop button, the diagrams' descriptions, the pace and the diagram's scroll bar with their
// meaning, and the stock displays before the first generation.

#include "charts/chartdescriptions.h"
#include "control/spokenstate.h"
#include "support/formfixture.h"
#include "window/runtime/accessibility.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QTest>

using rb::Form1;

namespace {

// What the window last announced: the name of the notification in its status line.
QString announced(Form1& f) {
    for (QObject* o : f.children()) {
        QAccessibleInterface* line = QAccessible::queryAccessibleInterface(o);
        if (line && line->role() == QAccessible::StatusBar && line->childCount() == 1) {
            QAccessibleInterface* note = line->child(0);
            if (note->role() != QAccessible::Notification || note->parent() != line ||
                line->parent() != QAccessible::queryAccessibleInterface(&f)) {
                return QStringLiteral("(misplaced)");
            }
            return note->text(QAccessible::Name);
        }
    }
    return {};
}

// The state after generation g of the large cycle, and the marker the tick put there.
void setState(Form1& f, long long g, double prey, double predators) {
    f.generation = g;
    f.stock1 = prey;
    f.stock2 = predators;
    f.imgtarget->move(static_cast<float>(predators - 1), static_cast<float>(prey + 1));
}

} // namespace

class TestSpokenState : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { rb::installAccessibility(); }
    void init() { m_loaded = rbtest::loadForm(); }
    void cleanup() { m_loaded.reset(); }

    void sentence_data();
    void sentence();
    void stateKeyInATextBoxSpeaksWithoutMovingTheFocus();
    void stopButtonSpeaksWhereItStopped();
    void chartDescriptions_data();
    void chartDescriptions();
    void valueTexts();
    void stockDisplaysBeforeTheFirstGeneration();

private:
    std::unique_ptr<rbtest::LoadedForm> m_loaded;
    Form1& form() { return **m_loaded; }
};

void TestSpokenState::sentence_data() {
    QTest::addColumn<long long>("generation");
    QTest::addColumn<double>("prey");
    QTest::addColumn<double>("predators");
    QTest::addColumn<bool>("stopped");
    QTest::addColumn<QString>("text");
    QTest::addRow("running") << 13LL << 24.5934 << 5.2571 << false
                             << QStringLiteral(
                                    "Generation 13, 24,59 Beutefische, 5,25 Räuber, läuft");
    // Hundredths rounded down, as the stock displays show "2033" and "462".
    QTest::addRow("stopped, rounded down")
        << 2LL << 20.0 + 1.0 / 3 << 4.625 << true
        << QStringLiteral("Generation 2, 20,33 Beutefische, 4,62 Räuber, angehalten");
    QTest::addRow("full aquarium")
        << 801LL << 32.0 << 0.0 << true
        << QStringLiteral("Generation 801, 32,00 Beutefische, 0,00 Räuber, "
                          "angehalten");
}

void TestSpokenState::sentence() {
    QFETCH(long long, generation);
    QFETCH(double, prey);
    QFETCH(double, predators);
    QFETCH(bool, stopped);
    QFETCH(QString, text);
    Form1& f = form();
    setState(f, generation, prey, predators);
    f.stopped = stopped;
    QCOMPARE(rb::stateSentence(f), text);
}

void TestSpokenState::stateKeyInATextBoxSpeaksWithoutMovingTheFocus() {
    Form1& f = form();
    QVERIFY(f.accessibleDescription().contains(QLatin1String("Taste F2")));
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    f.txtF2fress->setFocus();
    QTRY_VERIFY(f.txtF2fress->hasFocus());
    rbtest::tick(f);
    QTest::keyClick(f.txtF2fress, Qt::Key_F2);
    QCOMPARE(announced(f), QStringLiteral("Generation 1, 1,09 Beutefische, 0,00 Räuber, läuft"));
    QVERIFY(f.txtF2fress->hasFocus());
    QCOMPARE(f.txtF2fress->text(), QStringLiteral("10")); // the key typed nothing
}

void TestSpokenState::stopButtonSpeaksWhereItStopped() {
    Form1& f = form();
    rbtest::tick(f);
    f.Command2->click();
    QVERIFY(f.stopped);
    QCOMPARE(announced(f),
             QStringLiteral("Generation 1, 1,09 Beutefische, 0,00 Räuber, angehalten"));
}

void TestSpokenState::chartDescriptions_data() {
    QTest::addColumn<int>("scrolled");
    QTest::addColumn<long long>("generation");
    QTest::addColumn<double>("prey");
    QTest::addColumn<double>("predators");
    QTest::addColumn<QString>("timeSeries");
    QTest::addColumn<QString>("phase");
    QTest::addRow("generation 13")
        << 0 << 13LL << 24.5934 << 5.2571
        << QStringLiteral("Sichtbar: Generation 0 bis 260. Generation 13: "
                          "Beutefische 76,9 Prozent, Räuber 21,9 Prozent.")
        << QStringLiteral("Letzter Punkt: 24,59 Beutefische und 5,25 "
                          "Räuber. Die Zielmarke steht bei "
                          "Beutebestand 25 und Räuberbestand 5.");
    // Scrolled as far as the ticks scroll; prey below the phase diagram's lower edge.
    QTest::addRow("generation 799")
        << 22360 << 799LL << 6.0 << 0.5
        << QStringLiteral("Sichtbar: Generation 558 bis 800. Generation 799: Beutefische 18,8 "
                          "Prozent, Räuber 2,1 Prozent.")
        << QStringLiteral("Letzter Punkt: 6,00 Beutefische und 0,50 Räuber, unter dem sichtbaren "
                          "Bereich. Die Zielmarke steht bei Beutebestand 6 und Räuberbestand 1.");
    QTest::addRow("past the end") << 30000 << 950LL << 30.0 << 12.0
                                  << QStringLiteral("Sichtbar: Generation 749 bis 800. Generation "
                                                    "950 liegt hinter dem Ende bei 800 und wird "
                                                    "nicht gezeichnet.")
                                  << QStringLiteral("Letzter Punkt: 30,00 Beutefische und 12,00 "
                                                    "Räuber. Die Zielmarke steht bei "
                                                    "Beutebestand 30 und Räuberbestand 12.");
}

void TestSpokenState::chartDescriptions() {
    QFETCH(int, scrolled);
    QFETCH(long long, generation);
    QFETCH(double, prey);
    QFETCH(double, predators);
    QFETCH(QString, timeSeries);
    QFETCH(QString, phase);
    Form1& f = form();
    f.HScroll4->setValue(scrolled);
    setState(f, generation, prey, predators);
    QCOMPARE(rb::timeSeriesDescription(f), timeSeries);
    QCOMPARE(rb::phaseDiagramDescription(f), phase);
    // The accessible descriptions: the design text (axes, units) and then this.
    rb::refreshLiveDescriptions();
    QCOMPARE(f.picDiagramm->accessibleDescription(),
             QStringLiteral("Beutebestand und Räuberbestand in Prozent über den Generationen. ") +
                 timeSeries);
    QVERIFY(f.picphase->accessibleDescription().endsWith(QLatin1String("24). ") + phase));
}

void TestSpokenState::valueTexts() {
    Form1& f = form();
    const auto value = [](QObject* bar) {
        return QAccessible::queryAccessibleInterface(bar)->text(QAccessible::Value);
    };
    rbtest::setSlider(f.HScroll3, 1);
    QCOMPARE(value(f.HScroll3), QStringLiteral("1, 5 Millisekunden je Generation"));
    rbtest::setSlider(f.HScroll3, 0); // 0 leaves the interval as it was
    QCOMPARE(value(f.HScroll3), QStringLiteral("0, 5 Millisekunden je Generation"));
    f.HScroll4->setValue(2004); // 50 generations of 40.07 twips
    QCOMPARE(value(f.HScroll4), QStringLiteral("ab Generation 50"));
    // The number itself stays what assistive technology sets and reads.
    QCOMPARE(
        QAccessible::queryAccessibleInterface(f.HScroll4)->valueInterface()->currentValue().toInt(),
        2004);
}

void TestSpokenState::stockDisplaysBeforeTheFirstGeneration() {
    Form1& f = form();
    const QString computed = f.txtFisch2Bestand->accessibleDescription();
    rb::refreshLiveDescriptions();
    QCOMPARE(f.txtFisch1Bestand->accessibleDescription(),
             QStringLiteral("noch keine Generation berechnet"));
    QCOMPARE(f.txtFisch2Bestand->accessibleDescription(),
             QStringLiteral("noch keine Generation berechnet"));
    rbtest::tick(f);
    rb::refreshLiveDescriptions();
    QCOMPARE(f.txtFisch2Bestand->accessibleDescription(), computed);
}

QTEST_MAIN(TestSpokenState)
#include "tst_spokenstate.moc"
