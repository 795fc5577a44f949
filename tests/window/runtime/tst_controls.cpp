// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/button.h"
#include "window/runtime/checkbox.h"
#include "window/runtime/container.h"
#include "window/runtime/dirtyareas.h"
#include "window/runtime/eventloop.h"
#include "window/runtime/form.h"
#include "window/runtime/image.h"
#include "window/runtime/label.h"
#include "window/runtime/scrollbar.h"
#include "window/runtime/textbox.h"
#include "window/runtime/timer.h"
#include "window/runtime/translation.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QSignalSpy>
#include <QStyleOptionSlider>
#include <QTest>

#include <memory>

#include "support/scrollbarparts.h"

using rb::Container;
using rb::Image;
using rb::ScrollBar;

using rbtest::subControlCentre;

namespace {

QPixmap solid(QSize size, const QColor& colour) {
    QPixmap p(size);
    p.fill(colour);
    return p;
}

// The colour of the logical pixel `at` of a grab, which holds devicePixelRatio device pixels
// for each logical one (2 x 2 on a screen scaled twice): the device pixel at its middle.
QColor logicalPixel(const QImage& image, QPoint at) {
    const qreal dpr = image.devicePixelRatio();
    return image.pixelColor(static_cast<int>((at.x() + 0.5) * dpr),
                            static_cast<int>((at.y() + 0.5) * dpr));
}

QColor shown(QWidget& w, QPoint at) {
    return logicalPixel(w.grab().toImage(), at);
}

// The regions of the paint events a widget gets.
struct PaintRecorder : QObject {
    QList<QRegion> regions;
    explicit PaintRecorder(QWidget* w) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            regions.append(static_cast<QPaintEvent*>(e)->region());
        }
        return false;
    }
    QRegion all() const {
        QRegion r;
        for (const QRegion& each : regions) {
            r += each;
        }
        return r;
    }
};

// Pixels covered by rectangles, counting overlaps twice.
template <typename Rects> long long pixelsOf(const Rects& rects) {
    long long n = 0;
    for (const QRect& r : rects) {
        n += static_cast<long long>(r.width()) * r.height();
    }
    return n;
}

} // namespace

class TestControls : public QObject {
    Q_OBJECT

private slots:
    void imageTakesItsPictureSizeUnlessStretched();
    void imagePictureIsShared();
    void imagePaintsItsWholePicture_data();
    void imagePaintsItsWholePicture();
    void imagePositionIsKeptExactlyInContainerUnits();
    void imageSizeIsPositiveWhereYGrowsUpward();
    void rescalingKeepsLightControlsInPlace();
    void imagesPaintInStackingOrderBelowWidgets();
    void zOrderBringsToTheFront();
    void hiddenImageIsNotShownNorHit();
    void imageMouseDownAndClick();
    void imageToolTipText();

    void scrollBarValues_data();
    void scrollBarValues();
    void scrollBarChangeOnlyOnRealChanges();
    void scrollBarArrowsWithMinAboveMax_data();
    void scrollBarArrowsWithMinAboveMax();
    void scrollBarThumbDragScrollsThenChangesOnce();
    void scrollBarKeysActAsItsParts_data();
    void scrollBarKeysActAsItsParts();
    void scrollBarShowsThePartHeldDown_data();
    void scrollBarShowsThePartHeldDown();

    void checkBoxValues();
    void checkBoxFocusMarkShowsOnBlack();
    void buttonClickAndPicture();
    void buttonKeysClickWhenFocused_data();
    void buttonKeysClickWhenFocused();
    void textBoxColours();
    void textBoxPaintsEveryPixel_data();
    void textBoxPaintsEveryPixel();
    void textBoxSameTextChangesNothing();
    void dirtyAreasSubtract_data();
    void dirtyAreasSubtract();
    void movesUnderATextBoxRepaintNothingThere();
    void scrollBarValueRepaintsOnlyTheThumb();
    void textBoxMenuSpeaksGerman();
    void timerIsPreciseAndFollowsItsInterval();
    void labelPaintsItsCaption();

    void formMenuEntriesAreTopLevel();
    void endProgramSilencesEverythingOnce();
    void closingTheWindowEndsTheProgram();
    void doEventsRunsPendingHandlersNested();
};

void TestControls::imageTakesItsPictureSizeUnlessStretched() {
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

void TestControls::imagePaintsItsWholePicture_data() {
    QTest::addColumn<QRect>("inked"); // the picture's part that is not transparent
    QTest::addRow("transparent margins") << QRect(3, 6, 9, 4);
    QTest::addRow("no margin") << QRect(0, 0, 20, 16);
    QTest::addRow("one pixel in a corner") << QRect(19, 15, 1, 1);
    QTest::addRow("all transparent") << QRect();
}

// Margins of a picture that are wholly transparent may be left out when it is drawn; what
// shows is still exactly the picture over the surface.
void TestControls::imagePaintsItsWholePicture() {
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

void TestControls::imagePictureIsShared() {
    Container c;
    Image a(&c, QStringLiteral("a"));
    Image b(&c, QStringLiteral("b"));
    a.setPicture(solid({10, 10}, Qt::red));
    b.setPicture(a.picture());
    QCOMPARE(b.picture().cacheKey(), a.picture().cacheKey());
}

void TestControls::imagePositionIsKeptExactlyInContainerUnits() {
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

void TestControls::imageSizeIsPositiveWhereYGrowsUpward() {
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

void TestControls::rescalingKeepsLightControlsInPlace() {
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

void TestControls::imagesPaintInStackingOrderBelowWidgets() {
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

void TestControls::zOrderBringsToTheFront() {
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

void TestControls::hiddenImageIsNotShownNorHit() {
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

void TestControls::imageMouseDownAndClick() {
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

void TestControls::imageToolTipText() {
    Container c;
    Image a(&c, QStringLiteral("a"));
    a.setToolTip(QStringLiteral("linke Maustaste drücken und halten"));
    QCOMPARE(a.toolTip(), QStringLiteral("linke Maustaste drücken und halten"));
}

void TestControls::scrollBarValues_data() {
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("value");

    QTest::addRow("stock slider inside") << 0 << 32 << 20 << 20;
    QTest::addRow("stock slider above") << 0 << 32 << 40 << 32;
    QTest::addRow("stock slider below") << 0 << 32 << -1 << 0;
    QTest::addRow("spinner top end") << 100 << 0 << 100 << 100;
    QTest::addRow("spinner above") << 100 << 0 << 101 << 100;
    QTest::addRow("spinner below") << 100 << 0 << -5 << 0;
    QTest::addRow("spinner inside") << 100 << 0 << 36 << 36;
    QTest::addRow("strip slider end") << 0 << 30000 << 30040 << 30000;
}

void TestControls::scrollBarValues() {
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, set);
    QFETCH(int, value);
    ScrollBar bar(nullptr, QStringLiteral("bar"));
    bar.setOrientation(Qt::Vertical);
    bar.setRange(min, max);
    bar.setValue(set);
    QCOMPARE(bar.value(), value);
    // Qt's own bar runs 0..|max - min|, top / left end first.
    QCOMPARE(bar.QScrollBar::value(), std::abs(value - min));
}

void TestControls::scrollBarChangeOnlyOnRealChanges() {
    ScrollBar bar(nullptr, QStringLiteral("bar"));
    bar.setOrientation(Qt::Horizontal);
    bar.setRange(0, 24);
    QSignalSpy change(&bar, &ScrollBar::change);
    QSignalSpy scroll(&bar, &ScrollBar::scroll);
    int seenInsideHandler = -1;
    connect(&bar, &ScrollBar::change, this, [&] { seenInsideHandler = bar.value(); });
    bar.setValue(5);
    QCOMPARE(change.count(), 1);
    QCOMPARE(seenInsideHandler, 5); // synchronous, with the new value already in place
    bar.setValue(5);
    QCOMPARE(change.count(), 1);
    bar.setValue(99); // clamped to 24: a change
    QCOMPARE(change.count(), 2);
    bar.setValue(24);
    QCOMPARE(change.count(), 2);
    QCOMPARE(scroll.count(), 0);
}

void TestControls::scrollBarArrowsWithMinAboveMax_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("upArrow");
    QTest::addColumn<int>("after");

    QTest::addRow("up raises") << 10 << true << 11;
    QTest::addRow("down lowers") << 10 << false << 9;
    QTest::addRow("up stops at 100") << 100 << true << 100;
    QTest::addRow("down stops at 0") << 0 << false << 0;
}

void TestControls::scrollBarArrowsWithMinAboveMax() {
    QFETCH(int, start);
    QFETCH(bool, upArrow);
    QFETCH(int, after);
    ScrollBar bar(nullptr, QStringLiteral("VScroll1"));
    bar.setOrientation(Qt::Vertical);
    bar.setRange(100, 0);
    bar.setValue(start);
    bar.resize(17, 60);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QSignalSpy change(&bar, &ScrollBar::change);
    const QPoint at =
        subControlCentre(bar, upArrow ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, at);
    QCOMPARE(bar.value(), after);
    QCOMPARE(change.count(), start == after ? 0 : 1);
}

void TestControls::scrollBarThumbDragScrollsThenChangesOnce() {
    ScrollBar bar(nullptr, QStringLiteral("HScroll1"));
    bar.setOrientation(Qt::Horizontal);
    bar.setRange(0, 32);
    bar.setValue(5);
    bar.resize(300, 17);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QSignalSpy change(&bar, &ScrollBar::change);
    QSignalSpy scroll(&bar, &ScrollBar::scroll);
    const QPoint thumb = subControlCentre(bar, QStyle::SC_ScrollBarSlider);
    QTest::mousePress(&bar, Qt::LeftButton, {}, thumb);
    for (int dx = 10; dx <= 100; dx += 10) {
        QTest::mouseMove(&bar, thumb + QPoint(dx, 0));
    }
    QVERIFY(scroll.count() >= 3);
    QCOMPARE(change.count(), 0);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, thumb + QPoint(100, 0));
    QCOMPARE(change.count(), 1);
    QVERIFY(bar.value() > 5);
}

void TestControls::scrollBarKeysActAsItsParts_data() {
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("after");
    // A stock slider counts up to the right, a spinner (Min 100, Max 0) up to the top.
    QTest::addRow("slider Right") << 0 << 32 << 5 << int(Qt::Key_Right) << 6;
    QTest::addRow("slider Down") << 0 << 32 << 5 << int(Qt::Key_Down) << 6;
    QTest::addRow("slider Left") << 0 << 32 << 5 << int(Qt::Key_Left) << 4;
    QTest::addRow("slider Page Up") << 0 << 32 << 5 << int(Qt::Key_PageUp) << 4;
    QTest::addRow("slider End") << 0 << 32 << 5 << int(Qt::Key_End) << 32;
    QTest::addRow("pace Right to its end") << 0 << 50 << 49 << int(Qt::Key_Right) << 50;
    QTest::addRow("pace Right at its end") << 0 << 50 << 50 << int(Qt::Key_Right) << 50;
    QTest::addRow("spinner Up") << 100 << 0 << 10 << int(Qt::Key_Up) << 11;
    QTest::addRow("spinner Right") << 100 << 0 << 10 << int(Qt::Key_Right) << 9;
    QTest::addRow("spinner Page Down") << 100 << 0 << 10 << int(Qt::Key_PageDown) << 9;
    QTest::addRow("spinner Home") << 100 << 0 << 10 << int(Qt::Key_Home) << 100;
    QTest::addRow("spinner End") << 100 << 0 << 10 << int(Qt::Key_End) << 0;
}

void TestControls::scrollBarKeysActAsItsParts() {
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, after);
    ScrollBar bar(nullptr, QStringLiteral("bar"));
    bar.setOrientation(min > max ? Qt::Vertical : Qt::Horizontal);
    bar.setRange(min, max);
    bar.setValue(start);
    QSignalSpy change(&bar, &ScrollBar::change);
    QTest::keyClick(&bar, static_cast<Qt::Key>(key));
    QCOMPARE(bar.value(), after);
    QCOMPARE(change.count(), start == after ? 0 : 1);
}

void TestControls::scrollBarShowsThePartHeldDown_data() {
    QTest::addColumn<int>("part");
    QTest::addColumn<QPoint>("offset"); // of the pixel looked at, from the part's top-left
    QTest::addColumn<QColor>("up");
    QTest::addColumn<QColor>("held");
    const QColor black(0, 0, 0);
    const QColor grey(128, 128, 128);
    // An arrow: raised, its bottom-right edge black; held, sunken, its frame line grey.
    const QPoint corner(12, 12);
    QTest::addRow("left arrow") << int(QStyle::SC_ScrollBarSubLine) << corner << black << grey;
    QTest::addRow("right arrow") << int(QStyle::SC_ScrollBarAddLine) << corner << black << grey;
    // The track after the thumb: light grey and white dots (which of them lies on a pixel
    // depends on the screen's device pixels, so "up" is left open: either of them); held,
    // black.
    QTest::addRow("track, one dot")
        << int(QStyle::SC_ScrollBarAddPage) << QPoint(20, 2) << QColor() << black;
    QTest::addRow("track, the next dot")
        << int(QStyle::SC_ScrollBarAddPage) << QPoint(21, 2) << QColor() << black;
}

// The part the mouse holds down looks so until the release: an arrow sunken, the track dark.
void TestControls::scrollBarShowsThePartHeldDown() {
    QFETCH(int, part);
    QFETCH(QPoint, offset);
    QFETCH(QColor, up);
    QFETCH(QColor, held);
    ScrollBar bar(nullptr, QStringLiteral("HScroll1"));
    bar.setRange(0, 32);
    bar.setValue(5);
    bar.resize(73, 13); // 1095 x 195 twips: arrows and thumb 13 pixels square
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    const QPoint at =
        rbtest::subControlRect(bar, static_cast<QStyle::SubControl>(part)).topLeft() + offset;
    const auto pixel = [&] {
        const QImage image = bar.grab().toImage();
        return image.pixelColor((QPointF(at) * image.devicePixelRatio()).toPoint());
    };
    const auto checkUp = [&] {
        if (up.isValid()) {
            QCOMPARE(pixel(), up);
        } else {
            QVERIFY(pixel() == QColor(192, 192, 192) || pixel() == QColor(255, 255, 255));
        }
    };
    checkUp();
    QTest::mousePress(&bar, Qt::LeftButton, {}, at);
    QCOMPARE(pixel(), held);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, at);
    checkUp();
}

void TestControls::checkBoxValues() {
    rb::CheckBox box(nullptr, QStringLiteral("Check1"));
    box.setCaption(QStringLiteral("auto"));
    QCOMPARE(box.value(), 0);
    box.setValue(1);
    QCOMPARE(box.value(), 1);
    box.setValue(2);
    QCOMPARE(box.value(), 2);
    box.setValue(0);
    QCOMPARE(box.value(), 0);
    QCOMPARE(box.text(), QStringLiteral("auto"));
}

// The "auto" box on its black panel: its focus mark has white dots.
void TestControls::checkBoxFocusMarkShowsOnBlack() {
    QWidget top;
    rb::CheckBox box(nullptr, QStringLiteral("Check1"));
    box.setParent(&top);
    box.setGeometry(10, 10, 49, 21); // 735 x 315 twips
    box.setCaption(QStringLiteral("auto"));
    box.setColors(QColor(0, 0, 0), QColor(255, 255, 255));
    top.show();
    QVERIFY(QTest::qWaitForWindowExposed(&top));
    box.clearFocus();
    const QImage before = box.grab().toImage();
    box.setFocus();
    QTRY_VERIFY(box.hasFocus());
    const QImage after = box.grab().toImage();
    int turnedWhite = 0;
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            turnedWhite +=
                before.pixel(x, y) == qRgb(0, 0, 0) && after.pixel(x, y) == qRgb(255, 255, 255);
        }
    }
    QVERIFY2(turnedWhite >= 20, qPrintable(QString::number(turnedWhite)));
}

void TestControls::buttonClickAndPicture() {
    rb::Button b(nullptr, QStringLiteral("Command1"));
    b.resize(65, 29);
    b.setBackColor(Qt::yellow);
    b.setPicture(solid({32, 32}, Qt::black));
    QSignalSpy clicked(&b, &QAbstractButton::clicked);
    b.show();
    QVERIFY(QTest::qWaitForWindowExposed(&b));
    QTest::mouseClick(&b, Qt::LeftButton);
    QCOMPARE(clicked.count(), 1);
    const QImage image = b.grab().toImage();
    QCOMPARE(logicalPixel(image, {32, 14}), QColor(Qt::black));  // the picture, centred
    QCOMPARE(logicalPixel(image, {10, 14}), QColor(Qt::yellow)); // the back colour beside it
}

void TestControls::buttonKeysClickWhenFocused_data() {
    QTest::addColumn<int>("key");
    QTest::addRow("Return") << int(Qt::Key_Return);
    QTest::addRow("Enter") << int(Qt::Key_Enter);
    QTest::addRow("Space") << int(Qt::Key_Space);
}

void TestControls::buttonKeysClickWhenFocused() {
    QFETCH(int, key);
    rb::Button b(nullptr, QStringLiteral("Command2"));
    QSignalSpy clicked(&b, &QAbstractButton::clicked);
    QTest::keyClick(&b, static_cast<Qt::Key>(key));
    QCOMPARE(clicked.count(), 1);
    QTest::keyClick(&b, Qt::Key_A);
    QCOMPARE(clicked.count(), 1);
}

void TestControls::textBoxMenuSpeaksGerman() {
    QVERIFY(!rb::installQtTranslation(QStringLiteral("xx"))); // no such file: English stays
    QVERIFY(rb::installQtTranslation(QStringLiteral("de")));
    rb::TextBox t(nullptr, QStringLiteral("txtF1p"));
    std::unique_ptr<QMenu> menu(t.createStandardContextMenu());
    QStringList entries;
    for (const QAction* a : menu->actions()) {
        if (!a->isSeparator()) {
            entries << a->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
        }
    }
    QCOMPARE(entries.first(), QStringLiteral("Rückgängig"));
    QCOMPARE(entries.last(), QStringLiteral("Alles auswählen"));
}

void TestControls::textBoxColours() {
    rb::TextBox t(nullptr, QStringLiteral("txtTime"));
    t.setColors(QColor(0, 0, 255), Qt::white);
    t.setText(QStringLiteral("10"));
    t.resize(73, 23);
    const QImage image = t.grab().toImage();
    QCOMPARE(logicalPixel(image, {3, 3}), QColor(0, 0, 255));
    QCOMPARE(logicalPixel(image, {0, 10}), QColor(Qt::black)); // one-pixel frame line
    QCOMPARE(t.text(), QStringLiteral("10"));
}

void TestControls::textBoxPaintsEveryPixel_data() {
    QTest::addColumn<QColor>("back");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("focused");
    QTest::addRow("yellow, digits") << QColor(255, 255, 0) << QStringLiteral("3093") << false;
    QTest::addRow("navy, empty") << QColor(0, 0, 128) << QString() << false;
    QTest::addRow("black, focused") << QColor(0, 0, 0) << QStringLiteral("24") << true;
    QTest::addRow("white, longer than the box")
        << QColor(255, 255, 255) << QStringLiteral("Generation 123456789") << false;
}

// What lies below a text box is not repainted when it changes: that holds only while the
// text box covers every pixel of its area itself.
void TestControls::textBoxPaintsEveryPixel() {
    QFETCH(QColor, back);
    QFETCH(QString, text);
    QFETCH(bool, focused);
    QWidget top;
    rb::TextBox t(nullptr, QStringLiteral("t"));
    t.setParent(&top);
    t.setGeometry(10, 10, 53, 34);
    t.setColors(back, Qt::white);
    t.setText(text);
    top.show();
    QVERIFY(QTest::qWaitForWindowExposed(&top));
    if (focused) {
        t.setFocus();
        t.selectAll();
    }
    const qreal dpr = t.devicePixelRatioF();
    QImage painted((QSizeF(t.size()) * dpr).toSize(), QImage::Format_ARGB32_Premultiplied);
    painted.setDevicePixelRatio(dpr);
    painted.fill(Qt::transparent);
    t.render(&painted, QPoint(), QRegion(), QWidget::RenderFlags());
    int uncovered = 0;
    for (int y = 0; y < painted.height(); ++y) {
        for (int x = 0; x < painted.width(); ++x) {
            uncovered += qAlpha(painted.pixel(x, y)) != 255 ? 1 : 0;
        }
    }
    QCOMPARE(uncovered, 0);
}

void TestControls::textBoxSameTextChangesNothing() {
    rb::TextBox t(nullptr, QStringLiteral("txtF1p"));
    t.resize(61, 28);
    t.setText(QStringLiteral("1234"));
    t.setCursorPosition(1);
    QSignalSpy changed(&t, &QLineEdit::textChanged);
    t.setText(QStringLiteral("1234"));
    QCOMPARE(t.cursorPosition(), 1); // someone editing keeps their place
    QCOMPARE(changed.count(), 0);
    t.setText(QStringLiteral("12345"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(t.cursorPosition(), 5);
}

void TestControls::dirtyAreasSubtract_data() {
    QTest::addColumn<QRect>("piece");
    QTest::addColumn<QRect>("cut");
    QTest::addColumn<QList<QRect>>("left");
    const QRect piece(10, 10, 100, 50);
    QTest::addRow("through the middle")
        << piece << QRect(40, 20, 20, 10)
        << QList<QRect>{QRect(10, 10, 100, 10), QRect(10, 30, 100, 30), QRect(10, 20, 30, 10),
                        QRect(60, 20, 50, 10)};
    QTest::addRow("over a corner") << piece << QRect(0, 0, 30, 20)
                                   << QList<QRect>{QRect(10, 20, 100, 40), QRect(30, 10, 80, 10)};
    QTest::addRow("across the whole width")
        << piece << QRect(0, 30, 200, 5)
        << QList<QRect>{QRect(10, 10, 100, 20), QRect(10, 35, 100, 25)};
    QTest::addRow("all of it") << piece << QRect(0, 0, 200, 200) << QList<QRect>{};
    QTest::addRow("beside it") << piece << QRect(120, 10, 10, 10) << QList<QRect>{piece};
}

void TestControls::dirtyAreasSubtract() {
    QFETCH(QRect, piece);
    QFETCH(QRect, cut);
    QFETCH(QList<QRect>, left);
    rb::DirtyAreas areas;
    areas.add(piece);
    areas.subtract(cut);
    QCOMPARE(QList<QRect>(areas.pieces().begin(), areas.pieces().end()), left);
    // Disjoint, and together exactly what the cut leaves.
    QCOMPARE(pixelsOf(areas.pieces()), pixelsOf(QRegion(piece) - cut));
    QCOMPARE(areas.region(), QRegion(piece) - cut);
}

// A fish swimming below a text box changes nothing there that shows: neither the text box nor
// the water below it is repainted; beside it, just what the fish left and reached.
void TestControls::movesUnderATextBoxRepaintNothingThere() {
    Container c;
    c.resize(200, 120);
    Image fish(&c, QStringLiteral("fish"));
    fish.setPicture(solid({20, 20}, Qt::red));
    fish.move(60 * 15, 40 * 15); // twips
    rb::TextBox box(&c, QStringLiteral("box"));
    box.setGeometry(50, 30, 60, 40);
    c.show();
    QVERIFY(QTest::qWaitForWindowExposed(&c));
    QCoreApplication::processEvents();
    PaintRecorder water(&c);
    PaintRecorder text(&box);

    fish.move(70 * 15, 45 * 15); // still wholly below the text box
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QCOMPARE(water.regions.size(), 0);
    QCOMPARE(text.regions.size(), 0);

    fish.move(100 * 15, 45 * 15); // now reaches 10 pixels past its right edge
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QCOMPARE(text.regions.size(), 0);
    QCOMPARE(water.all(), QRegion(110, 45, 10, 20));

    box.hide(); // a hidden text box covers nothing
    QCoreApplication::processEvents();
    water.regions.clear();
    fish.move(80 * 15, 45 * 15);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QCOMPARE(water.all(), QRegion(80, 45, 40, 20));
}

void TestControls::scrollBarValueRepaintsOnlyTheThumb() {
    Container c;
    c.resize(300, 60);
    ScrollBar bar(&c, QStringLiteral("HScroll4"));
    bar.setGeometry(0, 0, 297, 21);
    bar.setRange(0, 30000);
    c.show();
    QVERIFY(QTest::qWaitForWindowExposed(&c));
    QCoreApplication::processEvents();
    const auto thumb = [&bar] { return rbtest::subControlRect(bar, QStyle::SC_ScrollBarSlider); };
    PaintRecorder painted(&bar);
    const QRect before = thumb();
    bar.setValue(10);
    QCoreApplication::processEvents();
    QCOMPARE(painted.regions.size(), 0); // the thumb stays on its pixels: nothing to repaint
    bar.setValue(15000);
    QCoreApplication::processEvents();
    QCOMPARE(painted.all(), QRegion(before) + thumb());

    // While the mouse holds a part down, a change repaints the whole bar.
    painted.regions.clear();
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(thumb().right() + 20, 10));
    QCoreApplication::processEvents();
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(thumb().right() + 20, 10));
    QCoreApplication::processEvents();
    QCOMPARE(painted.all(), QRegion(bar.rect()));
}

void TestControls::timerIsPreciseAndFollowsItsInterval() {
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

void TestControls::labelPaintsItsCaption() {
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

void TestControls::formMenuEntriesAreTopLevel() {
    rb::Form form(QStringLiteral("Form1"));
    form.addMenuEntry(QStringLiteral("cmdEnde"), QStringLiteral("Beenden"));
    form.addMenuEntry(QStringLiteral("cmdZyk"), QStringLiteral("großer anziehender Zyklus"));
    const QList<QAction*> actions = form.menuBar()->actions();
    QCOMPARE(actions.size(), 2);
    QCOMPARE(actions.at(0)->objectName(), QStringLiteral("cmdEnde"));
    QCOMPARE(actions.at(1)->text(), QStringLiteral("großer anziehender Zyklus"));
    QVERIFY(actions.at(1)->menu() == nullptr);
    form.setClientSizeTwips(18840, 10170);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.client()->size(), QSize(1256, 678));
}

void TestControls::endProgramSilencesEverythingOnce() {
    rb::Form form(QStringLiteral("Form1"));
    auto* timer = new rb::Timer(&form, QStringLiteral("Timer1"));
    auto* bar = new ScrollBar(form.client(), QStringLiteral("HScroll1"));
    bar->setRange(0, 32);
    int ends = 0;
    int handlers = 0;
    form.setEndHook([&] { ++ends; });
    connect(bar, &ScrollBar::change, this, [&] { ++handlers; });
    connect(timer, &rb::Timer::timer, this, [&] { ++handlers; });
    timer->setInterval(1);
    form.show();
    form.endProgram();
    form.endProgram();
    QCOMPARE(ends, 1);
    QVERIFY(form.hasEnded());
    QVERIFY(!form.isVisible());
    bar->setValue(3);
    QTest::qWait(20);
    QCOMPARE(handlers, 0);
}

void TestControls::closingTheWindowEndsTheProgram() {
    rb::Form form(QStringLiteral("Form1"));
    int ends = 0;
    form.setEndHook([&] { ++ends; });
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.close();
    QCOMPARE(ends, 1);
    QVERIFY(form.hasEnded());
}

void TestControls::doEventsRunsPendingHandlersNested() {
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

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
