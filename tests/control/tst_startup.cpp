// SPDX-License-Identifier: GPL-3.0-or-later
// The window as start-up leaves it, and the end of the program through "Beenden" or the
// window's close control, also while the swimming animation runs.

#include "support/formfixture.h"
#include "support/snapshot.h"

#include "aquarium/animation.h"
#include "charts/phasediagram.h"
#include "charts/timeseries.h"
#include "model/generationtick.h"

#include <QAction>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

using rbtest::LoadedForm;

namespace {

// Counts the timer events of every running QTimer with the given interval: a probe for a
// timer that is meant to have stopped, seen from outside the control that owns it.
class TimerEventCounter : public QObject {
public:
    explicit TimerEventCounter(int interval) : m_interval(interval) {
        qApp->installEventFilter(this);
    }
    ~TimerEventCounter() override { qApp->removeEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Timer) {
            if (auto* t = qobject_cast<QTimer*>(watched); t && t->interval() == m_interval) {
                ++count;
            }
        }
        return false;
    }

private:
    int m_interval;
};

QStringList visibleFish(const rb::Form1& f) {
    QStringList shown;
    for (const auto* fish : f.imgFisch1) {
        if (fish->isVisible()) {
            shown << fish->objectName();
        }
    }
    for (const auto* fish : f.imgFisch2) {
        if (fish->isVisible()) {
            shown << fish->objectName();
        }
    }
    return shown;
}

// Every pixel of a drawing is background black or a shade of the grids' dark blue, and the
// grid is there.
void checkOnlyGrid(const QImage& canvas) {
    int gridPixels = 0;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const QColor c = canvas.pixelColor(x, y);
            QVERIFY2(c.red() == 0 && c.green() == 0 && c.blue() <= 128,
                     qPrintable(QStringLiteral("(%1, %2) is %3").arg(x).arg(y).arg(c.name())));
            gridPixels += c.blue() == 128 ? 1 : 0;
        }
    }
    QVERIFY(gridPixels > 1000);
}

using rbtest::Snapshot;

void compareSnapshots(const Snapshot& a, const Snapshot& b) {
    QCOMPARE(a.text2, b.text2);
    QCOMPARE(a.generation, b.generation);
    QCOMPARE(a.stockText1, b.stockText1);
    QCOMPARE(a.stockText2, b.stockText2);
    QCOMPARE(a.fish1, b.fish1);
    QCOMPARE(a.fish2, b.fish2);
    QCOMPARE(a.stock1, b.stock1);
    QCOMPARE(a.stock2, b.stock2);
    QCOMPARE(a.hs1, b.hs1);
    QCOMPARE(a.hs2, b.hs2);
    QVERIFY(a.diagram == b.diagram);
    QVERIFY(a.phase == b.phase);
    QCOMPARE(a.fishPlaces, b.fishPlaces);
    QCOMPARE(a.marker, b.marker);
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowStateAfterStartup();
    void diagramsShowOnlyTheirGrids();
    void onlyPreyOneIsShown();
    void decorationGetsItsPicture();
    void ticksBeforeTheFirstStartChangeNothing_data();
    void ticksBeforeTheFirstStartChangeNothing();
    void paceDisplayAtStart();
    void parameterBoxesAgreeWithTheirSpinners_data();
    void parameterBoxesAgreeWithTheirSpinners();

    void endingStopsEverything_data();
    void endingStopsEverything();
    void endingStopsTheTimer();
    void endingWhileTheAnimationRuns_data();
    void endingWhileTheAnimationRuns();

private:
    std::unique_ptr<LoadedForm> m_form;
};

void TestStartup::init() {
    m_form = rbtest::loadForm(11);
}

void TestStartup::cleanup() {
    m_form.reset();
}

void TestStartup::windowStateAfterStartup() {
    const rb::Form1& f = **m_form;
    QVERIFY(f.stopped);
    QVERIFY(!f.animating);
    QCOMPARE(f.generation, 0);
    QCOMPARE(f.Text2->text(), QStringLiteral("Generation 0"));
    QCOMPARE(rbtest::shownStocks(f), QStringLiteral("sliders 1 0, boxes 1 0, stocks 1 0"));
    QCOMPARE(f.HScroll4->value(), 0);
    QCOMPARE(f.picDiagramm->left(), 0.0f);
    QCOMPARE(f.Check1->value(), 0);
    QCOMPARE(f.txtFisch1Bestand->text(), QString());
    QCOMPARE(f.txtFisch2Bestand->text(), QString());
    QCOMPARE(m_form->ends, 0);
    QVERIFY(!f.hasEnded());
    // The coordinate systems: aquarium units, generation across and percent up, predator
    // stock across and prey stock up.
    const auto scale = [](const rb::Container* c) {
        const rb::UserScale& s = c->scale();
        return QList<double>{s.x1(), s.y1(), s.x2(), s.y2()};
    };
    QCOMPARE(scale(f.picAqua), (QList<double>{0, 0, 800, 800}));
    QCOMPARE(scale(f.picDiagramm), (QList<double>{0, 100, 800, 0}));
    QCOMPARE(scale(f.picphase), (QList<double>{0, 32, 24, 8}));
    // The target marker stands at its design place: 152, 60 pixels inside picphase.
    QCOMPARE(f.imgtarget->pixelRect().topLeft() - QPointF(f.picphase->innerRect().topLeft()),
             QPointF(152, 60));
}

void TestStartup::diagramsShowOnlyTheirGrids() {
    rb::Form1& f = **m_form;
    checkOnlyGrid(f.picDiagramm->canvas());
    checkOnlyGrid(f.picphase->canvas());
    // The same as a freshly cleared diagram, which shows nothing but its grid.
    const QImage series = f.picDiagramm->canvas();
    const QImage phase = f.picphase->canvas();
    rb::Command3_Click(f);
    rb::Command4_Click(f);
    QVERIFY(f.picDiagramm->canvas() == series);
    QVERIFY(f.picphase->canvas() == phase);
}

void TestStartup::onlyPreyOneIsShown() {
    const rb::Form1& f = **m_form;
    QCOMPARE(visibleFish(f), QStringList{QStringLiteral("imgFisch1(1)")});
    QCOMPARE(f.imgFisch1[1]->picture().cacheKey(), f.bildfisch[1]->picture().cacheKey());
    QCOMPARE(f.imgFisch1[1]->pixelSize(), QSizeF(58, 64));
    QVERIFY(!f.imgfress[0]->isVisible());
    QVERIFY(!f.imgfress[1]->isVisible());
    QVERIFY(!f.bildfisch[4]->isVisible());
}

void TestStartup::decorationGetsItsPicture() {
    const rb::Form1& f = **m_form;
    QVERIFY(!f.Image4->picture().isNull());
    QCOMPARE(f.Image4->picture().cacheKey(), f.bildfisch[4]->picture().cacheKey());
    QCOMPARE(f.Image4->pixelSize(), QSizeF(58, 64));
    QVERIFY(f.Image4->isVisible());
    QCOMPARE(f.Image4->pixelRect(), QRectF(1116, 36, 58, 64));
}

void TestStartup::ticksBeforeTheFirstStartChangeNothing_data() {
    QTest::addColumn<QString>("how");
    QTest::addRow("timer signal") << QStringLiteral("signal");
    QTest::addRow("tick handler") << QStringLiteral("handler");
    QTest::addRow("running timer") << QStringLiteral("timer");
}

void TestStartup::ticksBeforeTheFirstStartChangeNothing() {
    QFETCH(QString, how);
    rb::Form1& f = **m_form;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const Snapshot before = Snapshot::of(f);
    if (how == QLatin1String("signal")) {
        for (int k = 0; k < 5; ++k) {
            emit f.Timer1->timer();
        }
    } else if (how == QLatin1String("handler")) {
        for (int k = 0; k < 5; ++k) {
            rb::GenerationTick(f);
        }
    } else {
        QSignalSpy ticks(f.Timer1, &rb::Timer::timer);
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 2, 60000);
    }
    compareSnapshots(Snapshot::of(f), before);
    QCOMPARE(f.Text2->text(), QStringLiteral("Generation 0"));
    QVERIFY(f.stopped);
}

void TestStartup::paceDisplayAtStart() {
    const rb::Form1& f = **m_form;
    QCOMPARE(f.txtTime->text(), QStringLiteral("10"));
    QCOMPARE(f.HScroll3->value(), 50);
    QCOMPARE(f.Timer1->interval(), 250);
    QVERIFY(f.Timer1->isEnabled());
}

void TestStartup::parameterBoxesAgreeWithTheirSpinners_data() {
    QTest::addColumn<QString>("spinner");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("value");
    QTest::addRow("growth rate") << "VScroll1"
                                 << "txtF1p" << 10;
    QTest::addRow("proportionality factor") << "VScroll2"
                                            << "txtF2W" << 32;
    QTest::addRow("voracity") << "VScroll3"
                              << "txtF2fress" << 10;
    QTest::addRow("death rate") << "VScroll4"
                                << "txtF2sterb" << 10;
}

void TestStartup::parameterBoxesAgreeWithTheirSpinners() {
    QFETCH(QString, spinner);
    QFETCH(QString, box);
    QFETCH(int, value);
    const auto* bar = (*m_form)->findChild<rb::ScrollBar*>(spinner);
    const auto* text = (*m_form)->findChild<rb::TextBox*>(box);
    QVERIFY(bar && text);
    QCOMPARE(bar->value(), value);
    QCOMPARE(text->text(), QString::number(value));
}

void TestStartup::endingStopsEverything_data() {
    QTest::addColumn<bool>("viaMenu");
    QTest::addRow("Beenden") << true;
    QTest::addRow("close control") << false;
}

void TestStartup::endingStopsEverything() {
    QFETCH(bool, viaMenu);
    rb::Form1& f = **m_form;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    if (viaMenu) {
        f.cmdEnde->trigger();
    } else {
        QVERIFY(f.close());
    }
    QCOMPARE(m_form->ends, 1);
    QVERIFY(f.hasEnded());
    QVERIFY(!f.isVisible());
    QVERIFY(!QApplication::activeModalWidget()); // nothing is asked

    // No handler runs any more: not the pace slider's, the spinners', the presets', the stock
    // sliders', the tick's, nor "Beenden" a second time.
    f.HScroll3->setValue(1);
    QCOMPARE(f.txtTime->text(), QStringLiteral("10"));
    QCOMPARE(f.Timer1->interval(), 250);
    f.VScroll1->setValue(77);
    QCOMPARE(f.txtF1p->text(), QStringLiteral("10"));
    f.cmdZyk->trigger();
    QCOMPARE(f.txtF2W->text(), QStringLiteral("32"));
    f.HScroll2->setValue(5);
    QCOMPARE(f.txtFisch2->text(), QStringLiteral("0"));
    QVERIFY(!f.imgFisch2[1]->isVisible());
    f.stopped = false;
    emit f.Timer1->timer();
    QCOMPARE(f.generation, 0);
    f.Command1->click();
    QVERIFY(!f.animating);
    f.cmdEnde->trigger();
    QCOMPARE(m_form->ends, 1);
    QVERIFY(!f.isVisible());
}

void TestStartup::endingStopsTheTimer() {
    rb::Form1& f = **m_form;
    f.HScroll3->setValue(1); // 5 ms
    QCOMPARE(f.Timer1->interval(), 5);
    TimerEventCounter counter(5);
    QTRY_VERIFY(counter.count >= 3); // the probe sees the running timer
    f.cmdEnde->trigger();
    counter.count = 0;
    QTest::qWait(100); // twenty periods; nothing to wait for, as nothing may happen
    QCOMPARE(counter.count, 0);
}

void TestStartup::endingWhileTheAnimationRuns_data() {
    QTest::addColumn<bool>("viaMenu");
    QTest::addRow("Beenden") << true;
    QTest::addRow("close control") << false;
}

void TestStartup::endingWhileTheAnimationRuns() {
    QFETCH(bool, viaMenu);
    rb::Form1& f = **m_form;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.HScroll3->setValue(1); // a generation every 5 ms while the simulation runs

    bool loopReturned = false;
    bool endedInsideLoop = false;
    long long generationAtEnd = -1;
    // The start button's loop runs from the event loop, as a click would start it; the end
    // comes from inside that loop once some generations have been computed.
    QMetaObject::invokeMethod(
        this,
        [&] {
            f.Command1->click();
            loopReturned = true;
        },
        Qt::QueuedConnection);
    QTimer ender;
    connect(&ender, &QTimer::timeout, this, [&] {
        if (f.generation < 5 || f.hasEnded()) {
            return;
        }
        endedInsideLoop = f.animating;
        if (viaMenu) {
            f.cmdEnde->trigger();
        } else {
            f.close();
        }
        generationAtEnd = f.generation;
    });
    ender.start(10);
    QTRY_VERIFY_WITH_TIMEOUT(loopReturned, 20000);
    ender.stop();

    QVERIFY(endedInsideLoop);
    QVERIFY(!f.animating);
    QCOMPARE(m_form->ends, 1);
    QVERIFY(!f.isVisible());
    QCOMPARE(f.generation, generationAtEnd);
    // The last generation is complete: its counter text and its stock display agree.
    QCOMPARE(f.Text2->text(), QStringLiteral("Generation %1").arg(generationAtEnd));
    QCOMPARE(f.txtFisch1->text(), QString::number(f.HScroll1->value()));
    QCOMPARE(f.txtFisch2->text(), QString::number(f.HScroll2->value()));

    // Nothing runs on and the window does not come back.
    const Snapshot after = Snapshot::of(f);
    QTest::qWait(100);
    compareSnapshots(Snapshot::of(f), after);
    QVERIFY(!f.isVisible());
    QCOMPARE(m_form->ends, 1);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
