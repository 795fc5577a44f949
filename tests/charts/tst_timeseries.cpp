// SPDX-License-Identifier: GPL-3.0-or-later
// The time-series diagram: the clear button "X" and scrolling the strip with HScroll4 (its
// grid: tst_grids).

#include "support/canvasprobe.h"

#include "model/generationtick.h"
#include "support/formfixture.h"
#include "window/runtime/palette.h"

#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <memory>

using namespace chartstest;

namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kGrid = qRgb(0, 0, 128); // palette colour 1
const QRgb kNavy = qRgb(0, 0, 128); // Picture2's background
const QRgb kYellow = qRgb(255, 255, 0);
const QRgb kLightBlue = qRgb(0, 0, 255);

// The pixel under the centre of logical pixel (x, y) of a grabbed widget.
QRgb grabbedPixel(const QImage& grab, int x, int y) {
    const qreal dpr = grab.devicePixelRatio();
    return pixelAt(grab, devicePixel(x, dpr), devicePixel(y, dpr));
}

} // namespace

class TestTimeSeries : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsAtTheLeftAtGenerationZero();
    void drawWidthLeftAtThree_data();
    void drawWidthLeftAtThree();

    void clearingAtZeroRunsNoChangeHandler();
    void clearingWhileScrolledJumpsBack();
    void clearingLeavesCounterTextAndPhaseDiagram();

    void scrollingSetsLeft_data();
    void scrollingSetsLeft();
    void arrowsAndTrackMoveOneTwip_data();
    void arrowsAndTrackMoveOneTwip();
    void endOfTheStripShowsThePanel();
    void drawingSurvivesScrollingAndHiding();

private:
    rb::Form1& form() { return **m_loaded; }
    // Runs n active generation ticks.
    void tick(int n);

    std::unique_ptr<rbtest::LoadedForm> m_loaded;
    QImage m_gridOnly; // the strip right after start-up
};

void TestTimeSeries::init() {
    m_loaded = rbtest::loadForm(7);
    m_gridOnly = form().picDiagramm->canvas().copy();
    form().show();
    QVERIFY(QTest::qWaitForWindowExposed(&form()));
}

void TestTimeSeries::cleanup() {
    m_loaded.reset();
}

void TestTimeSeries::tick(int n) {
    form().stopped = false;
    for (int k = 0; k < n; ++k) {
        rb::GenerationTick(form());
    }
    form().stopped = true;
}

void TestTimeSeries::startsAtTheLeftAtGenerationZero() {
    QCOMPARE(form().picDiagramm->left(), 0.f);
    QCOMPARE(form().HScroll4->value(), 0);
    QCOMPARE(form().generation, 0LL);
}

void TestTimeSeries::drawWidthLeftAtThree_data() {
    QTest::addColumn<bool>("clear");
    QTest::addRow("after start-up") << false;
    QTest::addRow("after the clear button, from width 1") << true;
}

void TestTimeSeries::drawWidthLeftAtThree() {
    QFETCH(bool, clear);
    if (clear) {
        form().picDiagramm->setDrawWidth(1);
        QTest::mouseClick(form().Command3, Qt::LeftButton);
    }
    QCOMPARE(form().picDiagramm->drawWidth(), 3);
}

void TestTimeSeries::clearingAtZeroRunsNoChangeHandler() {
    tick(10); // curves below generation 241 do not scroll
    QCOMPARE(form().HScroll4->value(), 0);
    QVERIFY(m_gridOnly != form().picDiagramm->canvas());
    QSignalSpy changes(form().HScroll4, &rb::ScrollBar::change);
    QSignalSpy scrolls(form().HScroll4, &rb::ScrollBar::scroll);

    QTest::mouseClick(form().Command3, Qt::LeftButton);

    QCOMPARE(changes.count(), 0);
    QCOMPARE(scrolls.count(), 0);
    QCOMPARE(form().picDiagramm->left(), 0.f);
    QCOMPARE(form().generation, 0LL);
    QCOMPARE(form().picDiagramm->canvas(), m_gridOnly);
}

void TestTimeSeries::clearingWhileScrolledJumpsBack() {
    tick(250); // from generation 241 on the strip scrolls 40 twips a generation
    QCOMPARE(form().HScroll4->value(), 400);
    QCOMPARE(form().picDiagramm->left(), -400.f);
    QSignalSpy changes(form().HScroll4, &rb::ScrollBar::change);

    QTest::mouseClick(form().Command3, Qt::LeftButton);

    QCOMPARE(changes.count(), 1);
    QCOMPARE(form().HScroll4->value(), 0);
    QCOMPARE(form().picDiagramm->left(), 0.f);
    QCOMPARE(form().picDiagramm->x(), form().Picture2->innerRect().left());
    QCOMPARE(form().generation, 0LL);
    QCOMPARE(form().picDiagramm->canvas(), m_gridOnly);

    // The next active tick draws its segments from x = 0 to x = 1 again.
    tick(1);
    const rb::PictureBox* d = form().picDiagramm;
    const QImage& canvas = d->canvas();
    const int firstColumn = deviceColumn(d, 0, 0);
    bool curveAtZero = false;
    for (int y = 0; y < canvas.height(); ++y) {
        const QRgb p = pixelAt(canvas, firstColumn, y);
        curveAtZero = curveAtZero || p == kYellow || p == kLightBlue;
    }
    QVERIFY(curveAtZero);
    const QImage beyond = canvas.copy(deviceColumn(d, 2, 0), 0,
                                      canvas.width() - deviceColumn(d, 2, 0), canvas.height());
    QCOMPARE(beyond, m_gridOnly.copy(deviceColumn(d, 2, 0), 0, beyond.width(), beyond.height()));
}

void TestTimeSeries::clearingLeavesCounterTextAndPhaseDiagram() {
    tick(5);
    QCOMPARE(form().Text2->text(), QStringLiteral("Generation 5"));
    const QImage phase = form().picphase->canvas().copy();
    const float markerLeft = form().imgtarget->left();
    const float markerTop = form().imgtarget->top();
    const int prey = form().HScroll1->value();
    const int predators = form().HScroll2->value();
    const double stock1 = form().stock1;
    const double stock2 = form().stock2;

    QTest::mouseClick(form().Command3, Qt::LeftButton);

    QCOMPARE(form().Text2->text(), QStringLiteral("Generation 5"));
    QCOMPARE(form().picphase->canvas(), phase);
    QCOMPARE(form().imgtarget->left(), markerLeft);
    QCOMPARE(form().imgtarget->top(), markerTop);
    QCOMPARE(form().HScroll1->value(), prey);
    QCOMPARE(form().HScroll2->value(), predators);
    QCOMPARE(form().stock1, stock1);
    QCOMPARE(form().stock2, stock2);
    QVERIFY(form().stopped);
    QCOMPARE(form().picDiagramm->canvas(), m_gridOnly);
}

void TestTimeSeries::scrollingSetsLeft_data() {
    QTest::addColumn<bool>("thumbDragged");
    QTest::addColumn<int>("value");
    for (const int v : {0, 1, 40, 21600, 30000}) {
        QTest::addRow("Change to %d", v) << false << v;
        QTest::addRow("Scroll to %d", v) << true << v;
    }
}

void TestTimeSeries::scrollingSetsLeft() {
    QFETCH(bool, thumbDragged);
    QFETCH(int, value);
    rb::ScrollBar* bar = form().HScroll4;
    const int start = value == 0 ? 500 : 0; // reaching 0 needs a move from elsewhere
    bar->setValue(start);
    QCOMPARE(form().picDiagramm->left(), -static_cast<float>(start));
    QSignalSpy changes(bar, &rb::ScrollBar::change);
    QSignalSpy scrolls(bar, &rb::ScrollBar::scroll);

    if (thumbDragged) {
        // The thumb is held and moved: Scroll events while it moves.
        bar->setSliderDown(true);
        bar->setSliderPosition(value - bar->min());
        QCOMPARE(scrolls.count(), 1);
        QCOMPARE(changes.count(), 0);
    } else {
        bar->setValue(value);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(scrolls.count(), 0);
    }

    QCOMPARE(bar->value(), value);
    QCOMPARE(form().picDiagramm->left(), -static_cast<float>(value));
    const int expectedX = form().Picture2->innerRect().left() +
                          static_cast<int>(std::lround(-value / rb::kTwipsPerPixel));
    QCOMPARE(form().picDiagramm->x(), expectedX);
    QCOMPARE(form().picDiagramm->y(), form().Picture2->innerRect().top());

    if (thumbDragged) {
        bar->setSliderDown(false); // release: Change follows
        QCOMPARE(changes.count(), 1);
        QCOMPARE(form().picDiagramm->left(), -static_cast<float>(value));
    }
}

void TestTimeSeries::arrowsAndTrackMoveOneTwip_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("value");
    QTest::addRow("right arrow") << 0 << int(QAbstractSlider::SliderSingleStepAdd) << 1;
    QTest::addRow("track right of the thumb") << 0 << int(QAbstractSlider::SliderPageStepAdd) << 1;
    QTest::addRow("left arrow") << 40 << int(QAbstractSlider::SliderSingleStepSub) << 39;
    QTest::addRow("track left of the thumb") << 40 << int(QAbstractSlider::SliderPageStepSub) << 39;
    QTest::addRow("right arrow at the end")
        << 30000 << int(QAbstractSlider::SliderSingleStepAdd) << 30000;
}

void TestTimeSeries::arrowsAndTrackMoveOneTwip() {
    QFETCH(int, start);
    QFETCH(int, action);
    QFETCH(int, value);
    rb::ScrollBar* bar = form().HScroll4;
    bar->setValue(start);
    QSignalSpy changes(bar, &rb::ScrollBar::change);

    bar->triggerAction(static_cast<QAbstractSlider::SliderAction>(action));

    QCOMPARE(bar->value(), value);
    QCOMPARE(changes.count(), value == start ? 0 : 1);
    QCOMPARE(form().picDiagramm->left(), -static_cast<float>(value));
}

void TestTimeSeries::endOfTheStripShowsThePanel() {
    form().HScroll4->setValue(30000);
    const rb::PictureBox* strip = form().picDiagramm;
    rb::PictureBox* panel = form().Picture2;
    const QRect inner = panel->innerRect();
    // The viewport starts 2000 pixels (30000 twips) into the strip: about generation 749.
    QCOMPARE(strip->x(), inner.left() - 2000);
    const int stripEnd = strip->geometry().right(); // the last column of the strip shown
    QCOMPARE(stripEnd, inner.left() + 2137 - 2000 - 1);

    const QImage shown = panel->grab().toImage();
    const QImage& canvas = strip->canvas();
    const qreal dpr = canvas.devicePixelRatio();
    const int stripBottom = strip->geometry().bottom();
    const QRect button = form().Command3->geometry();

    // The strip's end, exactly as drawn.
    int black = 0;
    for (int y = inner.top(); y <= stripBottom; ++y) {
        for (int x = inner.left(); x <= stripEnd; ++x) {
            const QRgb drawn =
                pixelAt(canvas, devicePixel(x - strip->x(), dpr), devicePixel(y - strip->y(), dpr));
            QCOMPARE(grabbedPixel(shown, x, y), drawn);
            black += drawn == kBlack ? 1 : 0;
        }
    }
    QVERIFY(black > 0);
    // To its right the navy background of Picture2, up to the inner area's last column.
    QString notNavy;
    for (int y = inner.top(); y <= stripBottom && notNavy.isEmpty(); ++y) {
        for (int x = stripEnd + 1; x <= inner.right(); ++x) {
            if (!button.contains(x, y) && grabbedPixel(shown, x, y) != kNavy) {
                notNavy = QStringLiteral("not navy at (%1, %2)").arg(x).arg(y);
                break;
            }
        }
    }
    QVERIFY2(notNavy.isEmpty(), qPrintable(notNavy));
}

void TestTimeSeries::drawingSurvivesScrollingAndHiding() {
    rb::PictureBox* strip = form().picDiagramm;
    strip->line(20, 50, 21, 50, rb::paletteColor(14));
    const QPointF at = strip->scale().toDrawPixels(QPointF(20.5, 50));
    const QPoint inPanel = strip->pos() + QPoint(qRound(at.x()), qRound(at.y()));
    QCOMPARE(grabbedPixel(form().Picture2->grab().toImage(), inPanel.x(), inPanel.y()), kYellow);

    form().HScroll4->setValue(30000);
    QVERIFY(grabbedPixel(form().Picture2->grab().toImage(), inPanel.x(), inPanel.y()) != kYellow);
    form().HScroll4->setValue(0);
    form().hide();
    form().show();
    QVERIFY(QTest::qWaitForWindowExposed(&form()));

    QCOMPARE(grabbedPixel(form().Picture2->grab().toImage(), inPanel.x(), inPanel.y()), kYellow);
    QCOMPARE(pixelAt(strip->canvas(), deviceColumn(strip, 20.5, 50), deviceRow(strip, 20.5, 50)),
             kYellow);
}

QTEST_MAIN(TestTimeSeries)
#include "tst_timeseries.moc"
