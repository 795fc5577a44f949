// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard focus order walked with real Tab key presses on a virtual X display.

#include "support/formfixture.h"
#include "support/taborder.h"
#include "support/xdo.h"

#include <QApplication>
#include <QTest>

#include <algorithm>

class TestTabOrder : public QObject {
    Q_OBJECT

private slots:
    void tabWalksEveryStopInTabIndexOrder();
};

void TestTabOrder::tabWalksEveryStopInTabIndexOrder() {
    auto loaded = rbtest::loadForm(5);
    rb::Form1& f = **loaded;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QVERIFY(rbtest::clickAt(f.Text2, QPoint(200, 10))); // a real click gives the window focus
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.Text2));
    f.picAqua->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.picAqua));

    // picAqua (0) first, Text1 (38) last; then round again.
    const QStringList expected = rbtest::kTabOrder + QStringList{QStringLiteral("picAqua")};
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (qsizetype k = 1; k < expected.size(); ++k) {
        QWidget* before = QApplication::focusWidget();
        QVERIFY(rbtest::xdo({QStringLiteral("key"), QStringLiteral("Tab")}));
        QTRY_VERIFY(QApplication::focusWidget() != before);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
}

QTEST_MAIN(TestTabOrder)
#include "tst_taborder_x11.moc"
