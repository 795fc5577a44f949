// SPDX-License-Identifier: GPL-3.0-or-later
// The window on real (virtual) X screens of a classroom: started on a 1024 x 768 projector it
// fits the screen with every control; F11 on a 1920 x 1080 screen shows it full screen at 150 %
// or more, and Escape brings back the window at its zoom. Each case runs on its own screen
// (see CMakeLists.txt), named as the test function's argument.

#include "support/formfixture.h"
#include "support/xdo.h"

#include <QScreen>
#include <QTest>

#include <memory>

namespace {

// Whether what shows of every widget control of the form (its panel cuts some by design) lies
// wholly on the screen.
bool everyControlOnScreen(const rb::Form1& f) {
    const QRect screen = f.screen()->geometry();
    for (const QWidget* w : f.client()->findChildren<QWidget*>()) {
        const QRect shown = w->visibleRegion().boundingRect();
        if (w->property("TabIndex").isValid() && w->isVisible() && !shown.isEmpty() &&
            !screen.contains(shown.translated(w->mapToGlobal(QPoint(0, 0))))) {
            qWarning() << w->objectName() << "is cut";
            return false;
        }
    }
    return true;
}

} // namespace

class TestScreens : public QObject {
    Q_OBJECT

private slots:
    void startOnAProjectorOf1024x768();
    void fullScreenOn1920x1080();
};

void TestScreens::startOnAProjectorOf1024x768() {
    if (QGuiApplication::primaryScreen()->size() != QSize(1024, 768)) {
        QSKIP("needs a screen of 1024 x 768");
    }
    auto loaded = rbtest::loadForm();
    rb::Form1& f = **loaded;
    f.fitToScreen(); // as the program starts
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QVERIFY2(f.zoom() > 0.78 && f.zoom() < 0.82, qPrintable(QString::number(f.zoom())));
    QTRY_VERIFY(everyControlOnScreen(f));
}

void TestScreens::fullScreenOn1920x1080() {
    if (QGuiApplication::primaryScreen()->size() != QSize(1920, 1080)) {
        QSKIP("needs a screen of 1920 x 1080");
    }
    auto loaded = rbtest::loadForm();
    rb::Form1& f = **loaded;
    f.fitToScreen();
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QCOMPARE(f.zoom(), 1.0);
    const QSize window = f.size();
    f.activateWindow();
    QTRY_VERIFY(f.isActiveWindow());

    QVERIFY(rbtest::key(QStringLiteral("F11")));
    QTRY_COMPARE(f.geometry(), f.screen()->geometry());
    QVERIFY2(f.zoom() >= 1.5, qPrintable(QString::number(f.zoom())));
    QVERIFY(everyControlOnScreen(f));

    QVERIFY(rbtest::key(QStringLiteral("Escape")));
    QTRY_COMPARE(f.size(), window);
    QCOMPARE(f.zoom(), 1.0);
}

QTEST_MAIN(TestScreens)
#include "tst_screens_x11.moc"
