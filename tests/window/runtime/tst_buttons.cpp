// SPDX-License-Identifier: GPL-3.0-or-later
// The check box and the command button: values, the focus mark, clicks by mouse and keys, the
// picture on a button.

#include "support/pixels.h"
#include "window/runtime/button.h"
#include "window/runtime/checkbox.h"
#include "window/runtime/container.h"

#include <QSignalSpy>
#include <QTest>

using rbtest::logicalPixel;
using rbtest::solid;

class TestButtons : public QObject {
    Q_OBJECT

private slots:
    void checkBoxValues();
    void checkBoxFocusMarkShowsOnBlack();
    void buttonClickAndPicture();
    void buttonUpAndDownLooks_data();
    void buttonUpAndDownLooks();
    void buttonKeysClickWhenFocused_data();
    void buttonKeysClickWhenFocused();
};

void TestButtons::checkBoxValues() {
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
void TestButtons::checkBoxFocusMarkShowsOnBlack() {
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

void TestButtons::buttonClickAndPicture() {
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

// A button at rest is raised (white inside its black frame at the top left), pressed it is
// sunken (the dark shade there) with its picture one pixel further right and down; a press
// whose pointer leaves the button shows it up again.
void TestButtons::buttonUpAndDownLooks_data() {
    QTest::addColumn<bool>("press");
    QTest::addColumn<bool>("leave");
    QTest::addColumn<QColor>("edge");    // at (1, 1)
    QTest::addColumn<QColor>("picture"); // at (16, 14): the picture's left column when up
    QTest::addRow("up") << false << false << QColor(Qt::white) << QColor(Qt::black);
    QTest::addRow("pressed") << true << false << QColor(64, 64, 64) << QColor(Qt::yellow);
    QTest::addRow("pressed, pointer gone")
        << true << true << QColor(Qt::white) << QColor(Qt::black);
}

void TestButtons::buttonUpAndDownLooks() {
    QFETCH(bool, press);
    QFETCH(bool, leave);
    QFETCH(QColor, edge);
    QFETCH(QColor, picture);
    rb::Button b(nullptr, QStringLiteral("Command1"));
    b.resize(65, 29);
    b.setBackColor(Qt::yellow);
    b.setPicture(solid({32, 32}, Qt::black));
    b.show();
    QVERIFY(QTest::qWaitForWindowExposed(&b));
    if (press) {
        QTest::mousePress(&b, Qt::LeftButton);
    }
    if (leave) {
        QTest::mouseMove(&b, QPoint(200, 14));
    }
    const QImage image = b.grab().toImage();
    QCOMPARE(logicalPixel(image, {0, 0}), QColor(Qt::black)); // the frame, up or down
    QCOMPARE(logicalPixel(image, {1, 1}), edge);
    QCOMPARE(logicalPixel(image, {16, 14}), picture);
    if (press) {
        QTest::mouseRelease(&b, Qt::LeftButton, {}, leave ? QPoint(200, 14) : QPoint());
    }
}

void TestButtons::buttonKeysClickWhenFocused_data() {
    QTest::addColumn<int>("key");
    QTest::addRow("Return") << int(Qt::Key_Return);
    QTest::addRow("Enter") << int(Qt::Key_Enter);
    QTest::addRow("Space") << int(Qt::Key_Space);
}

void TestButtons::buttonKeysClickWhenFocused() {
    QFETCH(int, key);
    rb::Button b(nullptr, QStringLiteral("Command2"));
    QSignalSpy clicked(&b, &QAbstractButton::clicked);
    QTest::keyClick(&b, static_cast<Qt::Key>(key));
    QCOMPARE(clicked.count(), 1);
    QTest::keyClick(&b, Qt::Key_A);
    QCOMPARE(clicked.count(), 1);
}

QTEST_MAIN(TestButtons)
#include "tst_buttons.moc"
