// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/image.h"
#include "window/runtime/palette.h"
#include "window/runtime/picturebox.h"
#include "window/runtime/userscale.h"

#include <QTest>

#include <cmath>
#include <limits>

using rb::PictureBox;
using rb::UserScale;

namespace {

// The colour of a logical pixel of the persistent drawing.
QColor drawn(const PictureBox& box, int x, int y) {
    const qreal dpr = box.canvas().devicePixelRatio();
    return box.canvas().pixelColor(static_cast<int>(x * dpr), static_cast<int>(y * dpr));
}

// The colour of a logical pixel as the box shows on screen.
QColor shown(PictureBox& box, int x, int y) {
    const QImage image = box.grab().toImage();
    const qreal dpr = image.devicePixelRatio();
    return image.pixelColor(static_cast<int>(x * dpr), static_cast<int>(y * dpr));
}

int countColumns(const PictureBox& box, int row, const QColor& colour) {
    int n = 0;
    const int width = box.innerRect().width();
    for (int x = 0; x < width; ++x) {
        n += drawn(box, x, row) == colour ? 1 : 0;
    }
    return n;
}

} // namespace

class TestPictureBox : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void scaleMapping_data();
    void scaleMapping();
    void linesOnTheFarEdgesAreDrawn();
    void drawingBeforeShowIsKept();
    void drawingSurvivesHideAndShow();
    void drawWidthIsInPixels();
    void psetDrawsADiscOfDrawWidth();
    void clsErasesToTheBackColour();
    void clippedAtTheEdges();
    void badCoordinatesDrawNothing_data();
    void badCoordinatesDrawNothing();
    void backingImageFollowsDevicePixelRatio();
    void leftMovesInsideTheContainer();
    void frameLineShrinksTheInnerArea();

private:
    PictureBox* m_box = nullptr;
};

void TestPictureBox::init() {
    m_box = new PictureBox(nullptr, QStringLiteral("box"));
    m_box->resize(101, 51);
    m_box->setBackColor(Qt::black);
    m_box->setAutoRedraw(true);
    m_box->setScale(0, 100, 800, 0); // like the time-series strip: y grows upward
}

void TestPictureBox::cleanup() {
    delete m_box;
    m_box = nullptr;
}

void TestPictureBox::scaleMapping_data() {
    QTest::addColumn<QRectF>("scale"); // x1, y1 as top-left; x2, y2 as (left+width, top+height)
    QTest::addColumn<QSizeF>("inner");
    QTest::addColumn<QPointF>("user");
    QTest::addColumn<QPointF>("position");
    QTest::addColumn<QPointF>("drawPixel");

    const QRectF strip(QPointF(0, 100), QPointF(800, 0));
    QTest::addRow("strip origin") << strip << QSizeF(2137, 267) << QPointF(0, 0) << QPointF(0, 267)
                                  << QPointF(0, 266);
    QTest::addRow("strip far corner")
        << strip << QSizeF(2137, 267) << QPointF(800, 100) << QPointF(2137, 0) << QPointF(2136, 0);
    QTest::addRow("strip middle") << strip << QSizeF(2137, 267) << QPointF(400, 50)
                                  << QPointF(1068.5, 133.5) << QPointF(1068, 133);
    const QRectF phase(QPointF(0, 32), QPointF(24, 8));
    QTest::addRow("phase top left")
        << phase << QSizeF(347, 363) << QPointF(0, 32) << QPointF(0, 0) << QPointF(0, 0);
    QTest::addRow("phase bottom right")
        << phase << QSizeF(347, 363) << QPointF(24, 8) << QPointF(347, 363) << QPointF(346, 362);
    const QRectF aquarium(QPointF(0, 0), QPointF(800, 800));
    QTest::addRow("aquarium") << aquarium << QSizeF(695, 363) << QPointF(400, 400)
                              << QPointF(347.5, 181.5) << QPointF(347, 181);
}

void TestPictureBox::scaleMapping() {
    QFETCH(QRectF, scale);
    QFETCH(QSizeF, inner);
    QFETCH(QPointF, user);
    QFETCH(QPointF, position);
    QFETCH(QPointF, drawPixel);

    const UserScale s(scale.left(), scale.top(), scale.right(), scale.bottom(), inner);
    QCOMPARE(s.toPixels(user), position);
    QCOMPARE(s.toDrawPixels(user), drawPixel);
    const QPointF back = s.fromPixels(position);
    QVERIFY(std::fabs(back.x() - user.x()) < 1e-9 && std::fabs(back.y() - user.y()) < 1e-9);
    // Lengths are positive also where y grows upward.
    QVERIFY(s.heightFromPixels(10) > 0);
    QVERIFY(s.widthFromPixels(10) > 0);
}

void TestPictureBox::linesOnTheFarEdgesAreDrawn() {
    const QColor blue = rb::paletteColor(1);
    m_box->line(0, 100, 800, 100, blue); // top edge
    m_box->line(800, 0, 800, 100, blue); // right edge
    m_box->line(0, 0, 800, 0, blue);     // bottom edge
    QCOMPARE(countColumns(*m_box, 0, blue), 101);
    QCOMPARE(countColumns(*m_box, 50, blue), 101);
    QCOMPARE(drawn(*m_box, 100, 25), blue);
    QCOMPARE(drawn(*m_box, 99, 25), QColor(Qt::black));
}

void TestPictureBox::drawingBeforeShowIsKept() {
    m_box->line(0, 50, 800, 50, Qt::yellow);
    m_box->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_box));
    QCOMPARE(shown(*m_box, 40, 25), QColor(Qt::yellow));
    QCOMPARE(shown(*m_box, 40, 10), QColor(Qt::black));
}

void TestPictureBox::drawingSurvivesHideAndShow() {
    m_box->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_box));
    m_box->line(0, 50, 800, 50, Qt::yellow);
    m_box->hide();
    m_box->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_box));
    QCOMPARE(shown(*m_box, 70, 25), QColor(Qt::yellow));
}

void TestPictureBox::drawWidthIsInPixels() {
    m_box->setDrawWidth(3);
    m_box->line(0, 50, 800, 50, Qt::yellow);
    int rows = 0;
    for (int y = 20; y < 31; ++y) {
        rows += drawn(*m_box, 50, y) == QColor(Qt::yellow) ? 1 : 0;
    }
    QCOMPARE(rows, 3);
    m_box->setDrawWidth(0);
    QCOMPARE(m_box->drawWidth(), 1);
}

void TestPictureBox::psetDrawsADiscOfDrawWidth() {
    m_box->setForeColor(Qt::white);
    m_box->pset(400, 50); // width 1: a single pixel
    QCOMPARE(drawn(*m_box, 50, 25), QColor(Qt::white));
    QCOMPARE(drawn(*m_box, 51, 25), QColor(Qt::black));
    QCOMPARE(drawn(*m_box, 50, 24), QColor(Qt::black));

    m_box->setDrawWidth(4);
    m_box->setForeColor(Qt::yellow);
    m_box->pset(200, 50); // pixel (25, 25)
    int lit = 0;
    for (int y = 20; y < 31; ++y) {
        for (int x = 20; x < 31; ++x) {
            lit += drawn(*m_box, x, y) == QColor(Qt::yellow) ? 1 : 0;
        }
    }
    QVERIFY2(lit >= 9 && lit <= 16, qPrintable(QString::number(lit)));
    QCOMPARE(drawn(*m_box, 25, 25), QColor(Qt::yellow));
}

void TestPictureBox::clsErasesToTheBackColour() {
    m_box->line(0, 0, 800, 100, Qt::white);
    m_box->cls();
    QCOMPARE(countColumns(*m_box, 25, Qt::white), 0);
    QCOMPARE(m_box->canvas().pixelColor(0, 0), QColor(Qt::black));
}

void TestPictureBox::clippedAtTheEdges() {
    // Drawn far outside on both sides: only the inside part shows, nothing wraps around.
    m_box->line(-800, 50, 1600, 50, Qt::white);
    QCOMPARE(countColumns(*m_box, 25, Qt::white), 101);
    m_box->pset(400, 200, Qt::white); // above the top edge
    QCOMPARE(countColumns(*m_box, 0, Qt::white), 0);
}

void TestPictureBox::badCoordinatesDrawNothing_data() {
    QTest::addColumn<double>("x1");
    QTest::addColumn<double>("y1");
    QTest::addColumn<double>("x2");
    QTest::addColumn<double>("y2");
    QTest::addColumn<int>("litInRow25");

    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double huge = std::numeric_limits<double>::max();
    QTest::addRow("nan start") << nan << 50.0 << 800.0 << 50.0 << 0;
    QTest::addRow("infinite end") << 0.0 << 50.0 << inf << 50.0 << 0;
    QTest::addRow("minus infinity") << -inf << 50.0 << 0.0 << 50.0 << 0;
    QTest::addRow("enormous span is clipped") << -1e300 << 50.0 << 1e300 << 50.0 << 101;
    QTest::addRow("largest doubles are clipped") << -huge << 50.0 << huge << 50.0 << 101;
    QTest::addRow("steep and enormous") << 400.0 << -1e300 << 400.1 << 1e300 << 1;
    QTest::addRow("enormous and far away") << 1e300 << 1e300 << 2e300 << 2e300 << 0;
}

void TestPictureBox::badCoordinatesDrawNothing() {
    QFETCH(double, x1);
    QFETCH(double, y1);
    QFETCH(double, x2);
    QFETCH(double, y2);
    QFETCH(int, litInRow25);
    m_box->line(x1, y1, x2, y2, Qt::white);
    QCOMPARE(countColumns(*m_box, 25, Qt::white), litInRow25);
    m_box->cls();
    if (!std::isfinite(x1) || std::fabs(x1) > 1e6) {
        m_box->pset(x1, y1, Qt::white);
        QCOMPARE(countColumns(*m_box, 25, Qt::white), 0);
    }
}

void TestPictureBox::backingImageFollowsDevicePixelRatio() {
    const qreal dpr = m_box->devicePixelRatioF();
    QCOMPARE(m_box->canvas().devicePixelRatio(), dpr);
    QCOMPARE(m_box->canvas().width(), static_cast<int>(std::ceil(101 * dpr)));
    QCOMPARE(m_box->canvas().height(), static_cast<int>(std::ceil(51 * dpr)));
}

void TestPictureBox::leftMovesInsideTheContainer() {
    rb::PictureBox viewport(nullptr, QStringLiteral("Picture2"));
    viewport.setFrameLine(true);
    viewport.resize(697, 289);
    auto* strip = new rb::PictureBox(&viewport, QStringLiteral("picDiagramm"));
    strip->setGeometry(1, 1, 2137, 267);
    strip->setLeft(-600); // twips
    QCOMPARE(strip->left(), -600.0f);
    QCOMPARE(strip->x(), 1 - 40);
    strip->setLeft(0);
    QCOMPARE(strip->x(), 1);
}

void TestPictureBox::frameLineShrinksTheInnerArea() {
    m_box->setFrameLine(true);
    QCOMPARE(m_box->innerRect(), QRect(1, 1, 99, 49));
    QCOMPARE(m_box->scale().innerPixels(), QSizeF(99, 49));
    QCOMPARE(m_box->canvas().width(), static_cast<int>(std::ceil(99 * m_box->devicePixelRatioF())));
}

QTEST_MAIN(TestPictureBox)
#include "tst_picturebox.moc"
