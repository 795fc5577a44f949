// SPDX-License-Identifier: GPL-3.0-or-later
// Images and labels, the controls their container draws: sizes and places in the container's
// units, painting in stacking order below the widgets, the front of the order, hiding, mouse
// events and tool tips, a label's caption.

#include "support/pixels.h"
#include "window/runtime/container.h"
#include "window/runtime/image.h"
#include "window/runtime/label.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>

using rb::Container;
using rb::Image;
using rbtest::logicalPixel;
using rbtest::shown;
using rbtest::solid;

class TestLightControls : public QObject {
    Q_OBJECT

private slots:
    void imageTakesItsPictureSizeUnlessStretched();
    void imagePaintsItsWholePicture_data();
    void imagePaintsItsWholePicture();
    void imagePictureIsShared();
    void imagePositionIsKeptExactlyInContainerUnits();
    void imageSizeIsPositiveWhereYGrowsUpward();
    void rescalingKeepsLightControlsInPlace();
    void imagesPaintInStackingOrderBelowWidgets();
    void zOrderBringsToTheFront();
    void hiddenImageIsNotShownNorHit();
    void imageMouseDownAndClick();
    void imageToolTipText();
    void labelPaintsItsCaption();
};

void TestLightControls::imageTakesItsPictureSizeUnlessStretched() {
    Container c;
    c.resize(200, 200);
    Image img(&c, QStringLiteral("img"));
    img.setPicture(solid({58, 64}, Qt::red));
    QCOMPARE(img.pixelSize(), QSizeF(58, 64));
    QCOMPARE(img.width(), 58.0 * 15); // twips without a user scale
    img.setPicture(solid({140, 137}, Qt::red));
    QCOMPARE(img.pixelSize(), QSizeF(140, 137));
    img.setPicture(solid({100, 98}, Qt::red));
    QCOMPARE(img.pixelSize(), QSizeF(100, 98));

    Image stretched(&c, QStringLiteral("stretched"));
    stretched.setStretch(450, 420); // twips: 30 x 28 pixels
    stretched.setPicture(solid({58, 64}, Qt::red));
    QCOMPARE(stretched.pixelSize(), QSizeF(30, 28));
}

void TestLightControls::imagePaintsItsWholePicture_data() {
    QTest::addColumn<QRect>("inked"); // the picture's part that is not transparent
    QTest::addRow("transparent margins") << QRect(3, 6, 9, 4);
    QTest::addRow("no margin") << QRect(0, 0, 20, 16);
    QTest::addRow("one pixel in a corner") << QRect(19, 15, 1, 1);
    QTest::addRow("all transparent") << QRect();
}

// Margins of a picture that are wholly transparent may be left out when it is drawn; what
// shows is still exactly the picture over the surface.
void TestLightControls::imagePaintsItsWholePicture() {
    QFETCH(QRect, inked);
    QImage art(20, 16, QImage::Format_ARGB32_Premultiplied);
    art.fill(Qt::transparent);
    for (int y = inked.top(); y <= inked.bottom(); ++y) {
        for (int x = inked.left(); x <= inked.right(); ++x) {
            art.setPixel(x, y,
                         qPremultiply(qRgba(200, 10 * x, 10 * y, x == inked.left() ? 128 : 255)));
        }
    }
    const QPixmap picture = QPixmap::fromImage(art);
    Container c;
    c.resize(60, 50);
    c.setBackColor(QColor(0, 0, 128));
    Image img(&c, QStringLiteral("img"));
    img.setPicture(picture);
    img.move(17 * 15, 9 * 15);
    const QImage grabbed = c.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage expected(grabbed.size(), QImage::Format_RGB32); // in device pixels
    expected.setDevicePixelRatio(grabbed.devicePixelRatio());
    expected.fill(QColor(0, 0, 128));
    {
        QPainter p(&expected);
        p.drawPixmap(17, 9, picture);
    }
    QCOMPARE(grabbed.size(), c.size() * c.devicePixelRatio());
    QCOMPARE(grabbed, expected);
}

void TestLightControls::imagePictureIsShared() {
    Container c;
    Image a(&c, QStringLiteral("a"));
    Image b(&c, QStringLiteral("b"));
    a.setPicture(solid({10, 10}, Qt::red));
    b.setPicture(a.picture());
    QCOMPARE(b.picture().cacheKey(), a.picture().cacheKey());
}

void TestLightControls::imagePositionIsKeptExactlyInContainerUnits() {
    Container c;
    c.resize(697, 365);
    c.setFrameLine(true);
    c.setScale(0, 0, 800, 800);
    Image fish(&c, QStringLiteral("fish"));
    fish.setPicture(solid({58, 64}, Qt::red));
    fish.move(718.f, 719.f);
    fish.setLeft(fish.left() + 2.f);
    QCOMPARE(fish.left(), 720.f);
    QCOMPARE(fish.top(), 719.f);
    fish.setLeft(123.456f);
    QCOMPARE(fish.left(), 123.456f);
    // Pixels: inner area 695 x 363 after the frame line.
    QCOMPARE(fish.pixelRect().topLeft(), QPointF(1 + std::floor(123.456 / 800 * 695 + 0.5),
                                                 1 + std::floor(719.0 / 800 * 363 + 0.5)));
    fish.setTag(QStringLiteral("3"));
    QCOMPARE(fish.tag(), QStringLiteral("3"));
}

void TestLightControls::imageSizeIsPositiveWhereYGrowsUpward() {
    Container c;
    c.resize(349, 365);
    c.setFrameLine(true); // inner 347 x 363
    c.setScale(0, 32, 24, 8);
    Image marker(&c, QStringLiteral("marker"));
    marker.setPicture(solid({27, 26}, Qt::white));
    QCOMPARE(marker.width(), 27.0 / 347 * 24);
    QCOMPARE(marker.height(), 26.0 / 363 * 24);
    QVERIFY(marker.height() > 0);
}

void TestLightControls::rescalingKeepsLightControlsInPlace() {
    Container c;
    c.resize(349, 365);
    c.setFrameLine(true);
    Image marker(&c, QStringLiteral("marker"));
    marker.setPicture(solid({27, 26}, Qt::white));
    marker.move(2280, 900); // twips
    const QRectF before = marker.pixelRect();
    c.setScale(0, 32, 24, 8);
    QCOMPARE(marker.pixelRect(), before);
    QVERIFY(std::fabs(marker.left() - 152.0 / 347 * 24) < 1e-5);
    QVERIFY(std::fabs(marker.top() - (32 - 60.0 / 363 * 24)) < 1e-5);
    c.setScale(0, 0, 0, 1); // degenerate: ignored
    QCOMPARE(c.scale().x2(), 24.0);
}

void TestLightControls::imagesPaintInStackingOrderBelowWidgets() {
    Container c;
    c.resize(100, 100);
    c.setBackColor(Qt::black);
    auto* widget = new QWidget(&c);
    widget->setAutoFillBackground(true);
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, Qt::green);
    widget->setPalette(pal);
    widget->setGeometry(0, 0, 10, 10);
    Image below(&c, QStringLiteral("below"));
    below.setPicture(solid({40, 40}, Qt::red));
    Image above(&c, QStringLiteral("above"));
    above.setPicture(solid({40, 40}, Qt::blue));
    above.move(300, 300);                          // twips: 20 px
    QCOMPARE(shown(c, {5, 5}), QColor(Qt::green)); // the widget lies above every image
    QCOMPARE(shown(c, {15, 15}), QColor(Qt::red));
    QCOMPARE(shown(c, {30, 30}), QColor(Qt::blue)); // later images lie above earlier ones
    QCOMPARE(shown(c, {55, 55}), QColor(Qt::blue));
    QCOMPARE(shown(c, {90, 90}), QColor(Qt::black));
}

void TestLightControls::zOrderBringsToTheFront() {
    Container c;
    c.resize(100, 100);
    Image a(&c, QStringLiteral("a"));
    a.setPicture(solid({40, 40}, Qt::red));
    Image b(&c, QStringLiteral("b"));
    b.setPicture(solid({40, 40}, Qt::blue));
    QCOMPARE(shown(c, {20, 20}), QColor(Qt::blue));
    a.zOrder();
    QCOMPARE(shown(c, {20, 20}), QColor(Qt::red));
    QCOMPARE(c.lightControls().back(), &a);
    QCOMPARE(c.lightControlAt({20, 20}), &a);
}

void TestLightControls::hiddenImageIsNotShownNorHit() {
    Container c;
    c.resize(100, 100);
    c.setBackColor(Qt::black);
    Image a(&c, QStringLiteral("a"));
    a.setPicture(solid({40, 40}, Qt::red));
    a.setVisible(false);
    QCOMPARE(shown(c, {20, 20}), QColor(Qt::black));
    QCOMPARE(c.lightControlAt({20, 20}), nullptr);
    a.setVisible(true);
    QCOMPARE(shown(c, {20, 20}), QColor(Qt::red));
}

void TestLightControls::imageMouseDownAndClick() {
    Container c;
    c.resize(100, 100);
    Image a(&c, QStringLiteral("a"));
    a.setPicture(solid({40, 40}, Qt::red));
    QSignalSpy down(&a, &Image::mouseDown);
    QSignalSpy click(&a, &Image::click);
    c.show();
    QVERIFY(QTest::qWaitForWindowExposed(&c));
    QTest::mouseClick(&c, Qt::LeftButton, {}, QPoint(10, 20));
    QCOMPARE(down.count(), 1);
    QCOMPARE(click.count(), 1);
    QCOMPARE(down.at(0).at(0).value<Qt::MouseButton>(), Qt::LeftButton);
    QCOMPARE(down.at(0).at(2).toDouble(), 150.0); // twips
    QCOMPARE(down.at(0).at(3).toDouble(), 300.0);
    QTest::mouseClick(&c, Qt::LeftButton, {}, QPoint(80, 80)); // beside the image
    QCOMPARE(down.count(), 1);
}

void TestLightControls::imageToolTipText() {
    Container c;
    Image a(&c, QStringLiteral("a"));
    a.setToolTip(QStringLiteral("linke Maustaste drücken und halten"));
    QCOMPARE(a.toolTip(), QStringLiteral("linke Maustaste drücken und halten"));
}

void TestLightControls::labelPaintsItsCaption() {
    Container c;
    c.resize(100, 40);
    c.setBackColor(Qt::black);
    rb::Label label(&c, QStringLiteral("Label1"));
    label.setSizeTwips(1155, 255); // 77 x 17 pixels
    label.setColors(Qt::white, Qt::black);
    label.setCaption(QStringLiteral("Wachstumsrate"));
    const QImage image = c.grab().toImage();
    QCOMPARE(logicalPixel(image, {76, 16}), QColor(Qt::white));
    QCOMPARE(logicalPixel(image, {78, 16}), QColor(Qt::black));
    bool ink = false;
    for (int x = 0; x < 77 && !ink; ++x) {
        for (int y = 0; y < 17 && !ink; ++y) {
            ink = logicalPixel(image, {x, y}) == QColor(Qt::black);
        }
    }
    QVERIFY(ink);
    // A caption wider than its label goes on in the next line.
    label.setSizeTwips(600, 600); // 40 x 40 pixels
    label.setCaption(QStringLiteral("Wachstumsrate Wachstumsrate"));
    const QImage wrapped = c.grab().toImage();
    bool secondLine = false;
    for (int x = 0; x < 40 && !secondLine; ++x) {
        for (int y = 20; y < 40 && !secondLine; ++y) {
            secondLine = logicalPixel(wrapped, {x, y}) == QColor(Qt::black);
        }
    }
    QVERIFY(secondLine);
}

QTEST_MAIN(TestLightControls)
#include "tst_lightcontrols.moc"
