// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/eventloop.h"
#include "window/runtime/timer.h"

#include <QPaintEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace {

// Counts its paint events.
class PaintCounter : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

} // namespace

class TestEventLoop : public QObject {
    Q_OBJECT

private slots:
    void yieldRunsPendingHandlersBeforeReturning();
    void timersRunInsideTheWait();
    void repaintsAskedForDuringAWaitAreDoneOnce();
    void interruptEndsTheWait();
    void countsPasses();
    void timerIsPreciseAndFollowsItsInterval();
    void doEventsRunsPendingHandlersNested();
};

void TestEventLoop::yieldRunsPendingHandlersBeforeReturning() {
    rb::FramePacer pacer(60);
    int ran = 0;
    QMetaObject::invokeMethod(
        this, [&] { ++ran; }, Qt::QueuedConnection);
    pacer.yield();
    QCOMPARE(ran, 1);
}

void TestEventLoop::timersRunInsideTheWait() {
    // A frame rate of 1 a second leaves a wait long enough for a 1 ms timer to fire many
    // times; the wait ends when the frame is due, whatever the timer does.
    rb::FramePacer pacer(1);
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    int ticks = 0;
    connect(&ticker, &QTimer::timeout, this, [&] { ++ticks; });
    ticker.start(1);
    pacer.yield();
    QVERIFY2(ticks >= 2, qPrintable(QString::number(ticks)));
}

void TestEventLoop::repaintsAskedForDuringAWaitAreDoneOnce() {
    PaintCounter window;
    window.resize(100, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.paints > 0);
    rb::FramePacer pacer(4); // a quarter-second frame
    pacer.setWindow(&window);
    QTimer asker;
    int asks = 0;
    connect(&asker, &QTimer::timeout, this, [&] {
        ++asks;
        window.update(QRect(asks % 90, 0, 10, 10));
    });
    asker.start(2);
    pacer.yield(); // the first frame is due at once: nothing held yet
    window.paints = 0;
    asks = 0;
    pacer.yield();
    asker.stop();
    QVERIFY2(asks >= 5, qPrintable(QString::number(asks)));
    QCOMPARE(window.paints, 1);
    QCOMPARE(pacer.passes(), 2);
}

void TestEventLoop::interruptEndsTheWait() {
    rb::FramePacer pacer(1); // a one-second frame
    // Timers fire in the order they fall due: the interrupt comes first, during the wait.
    QTimer::singleShot(20, &pacer, &rb::FramePacer::interrupt);
    bool laterRan = false;
    QTimer::singleShot(600, this, [&] { laterRan = true; });
    pacer.yield();
    QVERIFY(!laterRan);
}

void TestEventLoop::countsPasses() {
    rb::FramePacer pacer(1000);
    for (int k = 0; k < 3; ++k) {
        pacer.yield();
    }
    QCOMPARE(pacer.passes(), 3);
}

void TestEventLoop::timerIsPreciseAndFollowsItsInterval() {
    rb::Timer timer(nullptr, QStringLiteral("Timer1"));
    timer.setInterval(250);
    const QTimer* qt = timer.findChild<QTimer*>();
    QVERIFY(qt != nullptr);
    QCOMPARE(qt->timerType(), Qt::PreciseTimer); // the coarse default may fire 5 % late
    QCOMPARE(qt->interval(), 250);
    QSignalSpy ticks(&timer, &rb::Timer::timer);
    timer.setInterval(5);
    QCOMPARE(timer.interval(), 5);
    QVERIFY(ticks.wait(60000));
    timer.setEnabled(false);
    const int count = ticks.count();
    QTest::qWait(30);
    QCOMPARE(ticks.count(), count);
    // Enabled with the interval 0, a timer does not run.
    timer.setInterval(0);
    timer.setEnabled(true);
    QCOMPARE(timer.interval(), 0);
    QVERIFY(!qt->isActive());
}

void TestEventLoop::doEventsRunsPendingHandlersNested() {
    int ran = 0;
    QMetaObject::invokeMethod(
        this, [&] { ++ran; }, Qt::QueuedConnection);
    QMetaObject::invokeMethod(
        this, [&] { ++ran; }, Qt::QueuedConnection);
    QCOMPARE(ran, 0);
    rb::doEvents();
    QCOMPARE(ran, 2);
    // A handler that yields runs the events queued behind it inside its own call.
    QList<int> order;
    QMetaObject::invokeMethod(
        this,
        [&] {
            order << 1;
            rb::doEvents();
            order << 3;
        },
        Qt::QueuedConnection);
    QMetaObject::invokeMethod(
        this, [&] { order << 2; }, Qt::QueuedConnection);
    rb::doEvents();
    QCOMPARE(order, (QList<int>{1, 2, 3}));
}

QTEST_MAIN(TestEventLoop)
#include "tst_eventloop.moc"
