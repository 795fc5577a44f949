// SPDX-License-Identifier: GPL-3.0-or-later
// The scroll bar: values and ranges (also with the minimum above the maximum), the change
// event only on real changes, the arrows, the track, a dragged thumb, the keys, the part held
// down, and a repaint of the thumb alone.

#include "support/pixels.h"
#include "support/scrollbarparts.h"
#include "window/runtime/container.h"
#include "window/runtime/scrollbar.h"

#include <QSignalSpy>
#include <QStyleOptionSlider>
#include <QTest>

using rb::Container;
using rb::ScrollBar;
using rbtest::PaintRecorder;
using rbtest::shown;
using rbtest::subControlCentre;

class TestScrollBar : public QObject {
    Q_OBJECT

private slots:
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
    void scrollBarValueRepaintsOnlyTheThumb();
};

void TestScrollBar::scrollBarValues_data() {
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

void TestScrollBar::scrollBarValues() {
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

void TestScrollBar::scrollBarChangeOnlyOnRealChanges() {
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

void TestScrollBar::scrollBarArrowsWithMinAboveMax_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("upArrow");
    QTest::addColumn<int>("after");

    QTest::addRow("up raises") << 10 << true << 11;
    QTest::addRow("down lowers") << 10 << false << 9;
    QTest::addRow("up stops at 100") << 100 << true << 100;
    QTest::addRow("down stops at 0") << 0 << false << 0;
}

void TestScrollBar::scrollBarArrowsWithMinAboveMax() {
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

void TestScrollBar::scrollBarThumbDragScrollsThenChangesOnce() {
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

void TestScrollBar::scrollBarKeysActAsItsParts_data() {
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

void TestScrollBar::scrollBarKeysActAsItsParts() {
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

void TestScrollBar::scrollBarShowsThePartHeldDown_data() {
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
void TestScrollBar::scrollBarShowsThePartHeldDown() {
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

void TestScrollBar::scrollBarValueRepaintsOnlyTheThumb() {
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

QTEST_MAIN(TestScrollBar)
#include "tst_scrollbar.moc"
