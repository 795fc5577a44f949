// SPDX-License-Identifier: GPL-3.0-or-later
// The running simulation in a real window on a virtual display, driven with real X input: a
// preset from the menu, the target marker dragged to a start state, start, a few dozen
// generations at the fastest pace, stop. What the window then shows agrees with the
// population model run on its own for as many generations.

#include "control/parameters.h"
#include "model/populationmodel.h"
#include "support/drag.h"
#include "support/formfixture.h"
#include "support/xdo.h"
#include "window/form1.h"
#include "window/runtime/dragdrop.h"

#include <QElapsedTimer>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <bit>
#include <cmath>
#include <cstdint>
#include <memory>

namespace {

bool sameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

QString stockText(double stock) {
    return QString::number(static_cast<qlonglong>(std::floor(100 * stock)));
}

} // namespace

Q_DECLARE_METATYPE(rb::Preset)

class TestTickX11 : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void runFromADraggedStartState_data();
    void runFromADraggedStartState();

private:
    std::unique_ptr<rbtest::LoadedForm> m_form;
};

void TestTickX11::init() {
    m_form = rbtest::loadForm(5);
    rb::Form1& f = **m_form;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
}

void TestTickX11::cleanup() {
    if (m_form) {
        (*m_form)->stopped = true; // a loop left running by a failure ends at its next pass
    }
    QTRY_VERIFY(!m_form || !(*m_form)->animating);
    m_form.reset();
}

void TestTickX11::runFromADraggedStartState_data() {
    QTest::addColumn<int>("entry"); // the preset menu entries in menu order, 0..3
    QTest::addColumn<rb::Preset>("preset");
    QTest::addColumn<int>("prey");
    QTest::addColumn<int>("predators");
    QTest::addRow("large cycle from 20 prey and 6 predators") << 0 << rb::kLargeCycle << 20 << 6;
    QTest::addRow("labile equilibrium from 12 prey and 10 predators")
        << 3 << rb::kUnstable << 12 << 10;
}

void TestTickX11::runFromADraggedStartState() {
    QFETCH(int, entry);
    QFETCH(rb::Preset, preset);
    QFETCH(int, prey);
    QFETCH(int, predators);
    rb::Form1& f = **m_form;

    // The preset from the menu bar.
    QAction* entries[] = {f.cmdZyk, f.cmdKleinZyklus, f.cmdfix, f.cmdlabil};
    QMenuBar* bar = f.menuBar();
    const QRect item = bar->actionGeometry(entries[entry]);
    QVERIFY(item.isValid());
    QVERIFY(rbtest::clickAt(bar, item.center()));
    QTRY_COMPARE(f.txtF1p->text(), QString::number(preset.growthRate));
    QTRY_COMPARE(f.txtF2W->text(), QString::number(preset.propFactor));
    QTRY_COMPARE(f.txtF2fress->text(), QString::number(preset.voracity));
    QTRY_COMPARE(f.txtF2sterb->text(), QString::number(preset.deathRate));

    // The marker dragged across the phase diagram to the start state.
    rb::PictureBox* phase = f.picphase;
    const QPoint grab = f.imgtarget->pixelRect().center().toPoint();
    const QPointF targetF =
        QPointF(phase->innerRect().topLeft()) + phase->scale().toPixels(QPointF(predators, prey));
    const QPoint target = targetF.toPoint();
    QVERIFY2(phase->lightControlAt(targetF) == nullptr, "the drop point must be free");
    QVERIFY(rbtest::moveTo(phase, grab));
    QVERIFY(rbtest::press());
    QTRY_VERIFY(rbtest::isDragging());
    constexpr int kSteps = 12;
    for (int s = 1; s <= kSteps; ++s) {
        const QPoint p = grab + (target - grab) * s / kSteps;
        QVERIFY(rbtest::moveTo(phase, p));
    }
    QVERIFY(rbtest::release());
    QTRY_VERIFY(!rbtest::isDragging());
    QCOMPARE(f.HScroll1->value(), prey);
    QCOMPARE(f.HScroll2->value(), predators);
    QCOMPARE(f.stock1, static_cast<double>(prey));
    QCOMPARE(f.stock2, static_cast<double>(predators));
    QCOMPARE(f.generation, 0LL);

    // Fastest pace, then start. The start button's handler runs the animation loop until the
    // stop button is pressed, so the stop click comes from inside that loop, once enough
    // generations have passed.
    f.HScroll3->setValue(1);
    QCOMPARE(f.Timer1->interval(), 5);
    constexpr long long kEnough = 20;
    bool stopClicked = false;
    bool stopClickFailed = false;
    bool timedOut = false;
    QElapsedTimer clock;
    clock.start();
    QTimer watch;
    watch.setInterval(10);
    connect(&watch, &QTimer::timeout, &f, [&] {
        if (stopClicked) {
            return;
        }
        if (f.generation >= kEnough) {
            stopClicked = true;
            stopClickFailed = !rbtest::clickAt(f.Command2, f.Command2->rect().center());
        } else if (clock.elapsed() > 60000) {
            stopClicked = true;
            timedOut = true;
            f.stopped = true; // never leave the loop running
        }
    });
    watch.start();
    QVERIFY(rbtest::clickAt(f.Command1, f.Command1->rect().center()));
    QTRY_VERIFY_WITH_TIMEOUT(stopClicked && f.stopped && !f.animating, 90000);
    watch.stop();
    QVERIFY2(!timedOut, "the simulation did not reach enough generations");
    QVERIFY(!stopClickFailed);

    const long long n = f.generation;
    QVERIFY(n >= kEnough);
    QCOMPARE(f.Text2->text(), QStringLiteral("Generation %1").arg(n));

    // The same generations of the model on its own.
    rb::ModelParameters p;
    p.growthRate = preset.growthRate;
    p.propFactor = preset.propFactor;
    p.voracity = preset.voracity;
    p.deathRate = preset.deathRate;
    double x = prey;
    double y = predators;
    for (long long g = 0; g < n; ++g) {
        const rb::GenerationResult r = rb::NextGeneration(x, y, p);
        x = r.newStock1;
        y = r.newStock2;
    }
    QCOMPARE(f.txtFisch1Bestand->text(), stockText(x));
    QCOMPARE(f.txtFisch2Bestand->text(), stockText(y));
    QVERIFY2(sameBits(f.stock1, x) && sameBits(f.stock2, y),
             qPrintable(QStringLiteral("stocks %1 and %2, expected %3 and %4")
                            .arg(f.stock1, 0, 'g', 17)
                            .arg(f.stock2, 0, 'g', 17)
                            .arg(x, 0, 'g', 17)
                            .arg(y, 0, 'g', 17)));
    QCOMPARE(f.HScroll1->value(), static_cast<int>(std::nearbyint(x)));
    QCOMPARE(f.HScroll2->value(), static_cast<int>(std::nearbyint(y)));

    // Stopped: the timer goes on firing, but no further generation is made.
    QSignalSpy ticks(f.Timer1, &rb::Timer::timer);
    QVERIFY(ticks.wait(5000));
    QVERIFY(ticks.wait(5000));
    QCOMPARE(f.generation, n);
}

QTEST_MAIN(TestTickX11)
#include "tst_tick_x11.moc"
