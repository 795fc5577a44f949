// SPDX-License-Identifier: GPL-3.0-or-later
// While fish swim and generations are computed, the window the X server shows is exactly what
// a full repaint of the window shows: repainting only what changed leaves nothing stale behind
// and misses nothing. The digest of the frames seen tells two builds apart (same seed, same
// frames, same digest).

#include "aquarium/animation.h"
#include "model/generationtick.h"
#include "support/formfixture.h"

#include <QCryptographicHash>
#include <QScreen>
#include <QTest>

namespace {

// The repaints a frame gathered, delivered now, as at the end of the animation loop's yield.
void deliverRepaints(rb::Form1& f) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    QCoreApplication::sendPostedEvents(&f, QEvent::UpdateRequest);
}

QImage onScreen(rb::Form1& f) {
    return f.screen()->grabWindow(f.winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

QImage fullRepaint(rb::Form1& f) {
    return f.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestRepaintX11 : public QObject {
    Q_OBJECT

private slots:
    void shownIsFullRepaint_data();
    void shownIsFullRepaint();
};

void TestRepaintX11::shownIsFullRepaint_data() {
    QTest::addColumn<int>("prey");      // shown prey, or -1: the stocks follow the model
    QTest::addColumn<int>("predators"); // shown predators
    QTest::addColumn<bool>("ticks");    // a generation every frame
    QTest::addRow("all fish swimming") << 32 << 24 << false;
    QTest::addRow("all fish, a generation a frame") << 32 << 24 << true;
    QTest::addRow("one fish, a generation a frame") << 1 << 0 << true;
    QTest::addRow("stocks from the model") << -1 << -1 << true;
}

void TestRepaintX11::shownIsFullRepaint() {
    QFETCH(int, prey);
    QFETCH(int, predators);
    QFETCH(bool, ticks);
    const auto loaded = rbtest::loadForm(23);
    rb::Form1& f = **loaded;
    f.Timer1->setEnabled(false); // generations come from here only
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    if (prey < 0) {
        f.HScroll1->setValue(20);
        f.HScroll2->setValue(5);
    } else {
        f.HScroll1->setValue(prey);
        f.HScroll2->setValue(predators);
    }
    f.stopped = false;
    QCryptographicHash digest(QCryptographicHash::Sha1);
    constexpr int kFrames = 320; // past generation 241, where the time series starts to scroll
    for (int frame = 1; frame <= kFrames; ++frame) {
        rb::animationPass(f);
        if (ticks) {
            rb::GenerationTick(f);
            if (prey >= 0) {
                f.HScroll1->setValue(prey);
                f.HScroll2->setValue(predators);
            }
        }
        deliverRepaints(f);
        if (frame % 8 == 0) {
            const QImage shown = onScreen(f);
            digest.addData(QByteArrayView(shown.constBits(), shown.sizeInBytes()));
            const QImage full = fullRepaint(f);
            QCOMPARE(shown.size(), full.size());
            QVERIFY2(shown == full, qPrintable(QStringLiteral("frame %1").arg(frame)));
        }
    }
    qInfo("frames' digest %s", digest.result().toHex().constData());
}

QTEST_MAIN(TestRepaintX11)
#include "tst_repaint_x11.moc"
