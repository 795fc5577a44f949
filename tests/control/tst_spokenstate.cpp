// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader hears of the simulation: the state sentence on F2 and at the stop
// button, the diagrams' descriptions, the pace and the diagram's scroll bar with their meaning,
// and the stock displays before the first generation.

#include "charts/chartdescriptions.h"
#include "control/spokenstate.h"
#include "support/formfixture.h"
#include "support/spoken.h"
#include "window/runtime/accessibility.h"

#include <QAccessible>
#include <QTest>

using rb::Form1;
using rbtest::announced;

namespace {

QString valueText(QObject* bar) {
    return QAccessible::queryAccessibleInterface(bar)->text(QAccessible::Value);
}

} // namespace

class TestSpokenState : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { rb::installAccessibility(); }
    void init() { m_loaded = rbtest::loadForm(); }
    void cleanup() { m_loaded.reset(); }

    void stateKeyInATextBoxAndStopButton();
    void descriptions_data();
    void descriptions();
    void phaseDiagramTellsWhatItShows();
    void valuesWithTheirMeaning();

private:
    std::unique_ptr<rbtest::LoadedForm> m_loaded;
};

void TestSpokenState::stateKeyInATextBoxAndStopButton() {
    Form1& f = **m_loaded;
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    f.txtF2fress->setFocus();
    rbtest::tick(f);
    QTest::keyClick(f.txtF2fress, Qt::Key_F2);
    QCOMPARE(announced(f), QStringLiteral("Generation 1, 1,09 Beutefische, 0,00 Räuber, läuft"));
    QVERIFY(f.txtF2fress->hasFocus());
    QCOMPARE(f.txtF2fress->text(), QStringLiteral("10"));
    f.Command2->click();
    QCOMPARE(announced(f),
             QStringLiteral("Generation 1, 1,09 Beutefische, 0,00 Räuber, angehalten"));
    QVERIFY(f.accessibleDescription().contains(QLatin1String("Taste F2")));
}

void TestSpokenState::descriptions_data() {
    QTest::addColumn<int>("scrolled");
    QTest::addColumn<int>("generation");
    QTest::addColumn<double>("prey");
    QTest::addColumn<double>("predators");
    QTest::addColumn<QStringList>("texts"); // sentence, time series
    QTest::addRow("generation 13")
        << 0 << 13 << 24.5934 << 5.2571
        << QStringList{"Generation 13, 24,59 Beutefische, 5,25 Räuber, läuft",
                       "Sichtbar: Generation 0 bis 260. Generation 13: Beutefische 76,9 Prozent, "
                       "Räuber 21,9 "
                       "Prozent."};
    // Hundredths rounded down as the stock displays show them ("2033", "462"); prey below the
    // phase diagram; the strip scrolled to its end.
    QTest::addRow("past the end") << 30000 << 950 << 20.0 + 1.0 / 3 << 4.625
                                  << QStringList{
                                         "Generation 950, 20,33 Beutefische, 4,62 Räuber, läuft",
                                         "Sichtbar: Generation 749 bis 800. Generation 950 liegt "
                                         "hinter dem Ende bei 800 und wird "
                                         "nicht gezeichnet."};
    QTest::addRow("scrolled by the ticks")
        << 22360 << 799 << 6.0 << 0.5
        << QStringList{
               "Generation 799, 6,00 Beutefische, 0,50 Räuber, läuft",
               "Sichtbar: Generation 558 bis 800. Generation 799: Beutefische 18,8 Prozent, Räuber "
               "2,1 "
               "Prozent."};
}

void TestSpokenState::descriptions() {
    QFETCH(int, scrolled);
    QFETCH(int, generation);
    QFETCH(double, prey);
    QFETCH(double, predators);
    QFETCH(QStringList, texts);
    Form1& f = **m_loaded;
    f.HScroll4->setValue(scrolled);
    f.generation = generation;
    f.stock1 = prey;
    f.stock2 = predators;
    f.stopped = false;
    QCOMPARE(rb::stateSentence(f), texts[0]);
    rb::refreshLiveDescriptions(); // the design text (axes, units), then what they show now
    QCOMPARE(f.picDiagramm->accessibleDescription(),
             QStringLiteral("Beutebestand und Räuberbestand in Prozent über den Generationen. ") +
                 texts[1]);
}

// The newest point only once the tick has drawn one and until the diagram is cleared; the
// marker where the tick or the last drop (mouse or arrow key) put it, in fish.
void TestSpokenState::phaseDiagramTellsWhatItShows() {
    Form1& f = **m_loaded;
    const QString design = QStringLiteral(
        "Beutebestand (senkrecht, 8 bis 32) gegen Räuberbestand (waagerecht, 0 bis 24). "
        "Pfeiltasten setzen den Startpunkt: auf und ab ein Beutefisch, rechts und links ein "
        "Räuber. ");
    QStringList seen;
    const auto look = [&] {
        rb::refreshLiveDescriptions();
        const QString d = f.picphase->accessibleDescription();
        seen << (d.startsWith(design) ? d.mid(design.size()) : d);
    };
    look(); // at start
    emit f.picphase->dragOver(f.imgtarget, 12, 20, rb::DragState::Over);
    emit f.picphase->dragDrop(f.imgtarget, 12, 20);
    look();
    f.stopped = true;
    emit f.Timer1->timer(); // a stopped tick draws nothing
    look();
    f.stopped = false;
    emit f.Timer1->timer(); // from (20, 12) to (19.75, 11.1)
    look();
    QTest::keyClick(f.picphase, Qt::Key_Left);
    look();
    f.Command4->click();
    look();
    QCOMPARE(seen, QStringList({
                       "Noch kein Punkt gezeichnet. Die Zielmarke steht bei Beutebestand 27 und "
                       "Räuberbestand 12.",
                       "Noch kein Punkt gezeichnet. Die Zielmarke steht bei Beutebestand 20 und "
                       "Räuberbestand 12.",
                       "Noch kein Punkt gezeichnet. Die Zielmarke steht bei Beutebestand 20 und "
                       "Räuberbestand 12.",
                       "Letzter Punkt: 19,75 Beutefische und 11,10 Räuber. Die Zielmarke steht bei "
                       "Beutebestand 20 und Räuberbestand 11.",
                       "Letzter Punkt: 19,75 Beutefische und 11,10 Räuber. Die Zielmarke steht bei "
                       "Beutebestand 20 und Räuberbestand 10.",
                       "Noch kein Punkt gezeichnet. Die Zielmarke steht bei Beutebestand 20 und "
                       "Räuberbestand 10.",
                   }));
    // A point below the diagram's bottom edge (prey 8) is said to lie there.
    QCOMPARE(rb::phaseDiagramDescription({true, 6.0, 0.5, 6.0, 0.5}),
             QStringLiteral("Letzter Punkt: 6,00 Beutefische und 0,50 Räuber, unter dem "
                            "sichtbaren Bereich. Die Zielmarke steht bei Beutebestand 6 und "
                            "Räuberbestand 1."));
}

void TestSpokenState::valuesWithTheirMeaning() {
    Form1& f = **m_loaded;
    rbtest::setSlider(f.HScroll3, 1);
    rbtest::setSlider(f.HScroll3, 0); // 0 leaves the interval as it was
    QCOMPARE(valueText(f.HScroll3), QStringLiteral("0, 5 Millisekunden je Generation"));
    f.HScroll4->setValue(2004); // 50 generations of 40.07 twips
    QCOMPARE(valueText(f.HScroll4), QStringLiteral("ab Generation 50"));

    // The stock displays read out what they show, once a generation has been computed.
    rb::refreshLiveDescriptions();
    QCOMPARE(f.txtFisch1Bestand->accessibleDescription(),
             QStringLiteral("noch keine Generation berechnet"));
    rbtest::tick(f); // 1 prey become 1.096875, 0 predators stay
    rb::refreshLiveDescriptions();
    QCOMPARE(
        f.txtFisch1Bestand->accessibleDescription(),
        QStringLiteral("Beutebestand nach der zuletzt berechneten Generation, mal 100: 109 sind "
                       "1,09 Beutefische"));
    QCOMPARE(
        f.txtFisch2Bestand->accessibleDescription(),
        QStringLiteral("Räuberbestand nach der zuletzt berechneten Generation, mal 100: 0 sind "
                       "0,00 Raubfische"));
}

QTEST_MAIN(TestSpokenState)
#include "tst_spokenstate.moc"
