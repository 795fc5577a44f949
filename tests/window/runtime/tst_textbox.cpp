// SPDX-License-Identifier: GPL-3.0-or-later
// The text box: the longest text it keeps (1024 characters; the boxes hold numbers, and a
// longer line could make every key cost a noticeable pause), by code, typing and pasting.

#include "window/runtime/container.h"
#include "window/runtime/textbox.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

using rb::TextBox;

namespace {

constexpr int kLongest = 1024;

} // namespace

class TestTextBox : public QObject {
    Q_OBJECT

private slots:
    void textsLongerThanTheLimitAreCut_data();
    void textsLongerThanTheLimitAreCut();
    void typingAtTheLimitIsIgnored();
    void pastingBeyondTheLimitKeepsTheFirstPart();
};

void TestTextBox::textsLongerThanTheLimitAreCut_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("kept");
    QTest::addRow("one short of the limit") << kLongest - 1 << kLongest - 1;
    QTest::addRow("at the limit") << kLongest << kLongest;
    QTest::addRow("one past it") << kLongest + 1 << kLongest;
    QTest::addRow("30000 characters") << 30000 << kLongest;
}

void TestTextBox::textsLongerThanTheLimitAreCut() {
    QFETCH(int, length);
    QFETCH(int, kept);
    rb::Container c;
    TextBox box(&c, QStringLiteral("txtF1p"));
    const QString text = QStringLiteral("12ä€").repeated(length / 4 + 1).left(length);
    box.setText(text);
    QCOMPARE(box.text(), text.left(kept));
}

void TestTextBox::typingAtTheLimitIsIgnored() {
    rb::Container c;
    c.resize(200, 40);
    TextBox box(&c, QStringLiteral("txtF1p"));
    box.resize(100, 28);
    box.setText(QString(kLongest - 1, QLatin1Char('7')));
    c.show();
    QVERIFY(QTest::qWaitForWindowExposed(&c));
    box.setFocus();
    box.end(false);
    QTest::keyClicks(&box, QStringLiteral("89"));
    QCOMPARE(box.text().size(), kLongest);
    QCOMPARE(box.text().right(2), QStringLiteral("78"));
    QTest::keyClick(&box, Qt::Key_Backspace); // room again: the next key counts
    QTest::keyClick(&box, Qt::Key_5);
    QCOMPARE(box.text().right(2), QStringLiteral("75"));
}

void TestTextBox::pastingBeyondTheLimitKeepsTheFirstPart() {
    rb::Container c;
    c.resize(200, 40);
    TextBox box(&c, QStringLiteral("txtF2W"));
    box.resize(100, 28);
    c.show();
    QVERIFY(QTest::qWaitForWindowExposed(&c));
    box.setFocus();
    const QString pasted = QStringLiteral("3") + QString(5000, QLatin1Char('9'));
    QApplication::clipboard()->setText(pasted);
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box.text(), pasted.left(kLongest));
}

QTEST_MAIN(TestTextBox)
#include "tst_textbox.moc"
