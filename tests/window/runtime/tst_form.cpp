// SPDX-License-Identifier: GPL-3.0-or-later
// The form: menu entries on the bar itself, ending the program once and silently, closing the
// window as an end.

#include "support/pixels.h"
#include "window/runtime/form.h"
#include "window/runtime/scrollbar.h"
#include "window/runtime/timer.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

using rb::ScrollBar;

class TestForm : public QObject {
    Q_OBJECT

private slots:
    void formMenuEntriesAreTopLevel();
    void endProgramSilencesEverythingOnce();
    void closingTheWindowEndsTheProgram();
};

void TestForm::formMenuEntriesAreTopLevel() {
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
    // The entry chosen from the keyboard shows highlighted, though it opens no menu.
    QMenuBar* bar = form.menuBar();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::keyPress(&form, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(&form, Qt::Key_Alt);
    QTest::keyClick(bar, Qt::Key_Right);
    QCOMPARE(bar->activeAction(), actions.at(1));
    const QImage shot = bar->grab().toImage();
    const auto inside = [bar](QAction* a) {
        const QRect r = bar->actionGeometry(a);
        return QPoint(r.left() + 3, r.center().y());
    };
    const QColor highlight = bar->palette().color(QPalette::Highlight);
    QCOMPARE(rbtest::logicalPixel(shot, inside(actions.at(1))), highlight);
    QVERIFY(rbtest::logicalPixel(shot, inside(actions.at(0))) != highlight);
}

void TestForm::endProgramSilencesEverythingOnce() {
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

void TestForm::closingTheWindowEndsTheProgram() {
    rb::Form form(QStringLiteral("Form1"));
    int ends = 0;
    form.setEndHook([&] { ++ends; });
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.close();
    QCOMPARE(ends, 1);
    QVERIFY(form.hasEnded());
}

QTEST_MAIN(TestForm)
#include "tst_form.moc"
