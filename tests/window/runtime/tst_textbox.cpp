// SPDX-License-Identifier: GPL-3.0-or-later
// The text box: the longest text it keeps (1024 characters; the boxes hold numbers, and a
// longer line could make every key cost a noticeable pause), by code, typing and pasting; its
// German context menu, colours, a paint of every pixel, what a move below it repaints, and its
// text drawn further left where the box reaches past its container's edge.

#include "support/pixels.h"
#include "window/runtime/container.h"
#include "window/runtime/dirtyareas.h"
#include "window/runtime/image.h"
#include "window/runtime/textbox.h"
#include "window/runtime/translation.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

using rb::Container;
using rb::Image;
using rb::TextBox;
using rbtest::logicalPixel;
using rbtest::PaintRecorder;
using rbtest::solid;

namespace {

constexpr int kLongest = 1024;

// Pixels covered by rectangles, counting overlaps twice.
template <typename Rects> long long pixelsOf(const Rects& rects) {
    long long n = 0;
    for (const QRect& r : rects) {
        n += static_cast<long long>(r.width()) * r.height();
    }
    return n;
}

} // namespace

class TestTextBox : public QObject {
    Q_OBJECT

private slots:
    void textsLongerThanTheLimitAreCut_data();
    void textsLongerThanTheLimitAreCut();
    void typingAtTheLimitIsIgnored();
    void pastingBeyondTheLimitKeepsTheFirstPart();
    void textBoxMenuSpeaksGerman();
    void textBoxColours();
    void textBoxPaintsEveryPixel_data();
    void textBoxPaintsEveryPixel();
    void textBoxSameTextChangesNothing();
    void dirtyAreasSubtract_data();
    void dirtyAreasSubtract();
    void movesUnderATextBoxRepaintNothingThere();
    void textCutByTheContainerShowsWhole_data();
    void textCutByTheContainerShowsWhole();
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

void TestTextBox::textBoxMenuSpeaksGerman() {
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

void TestTextBox::textBoxColours() {
    rb::TextBox t(nullptr, QStringLiteral("txtTime"));
    t.setColors(QColor(0, 0, 255), Qt::white);
    t.setText(QStringLiteral("10"));
    t.resize(73, 23);
    const QImage image = t.grab().toImage();
    QCOMPARE(logicalPixel(image, {3, 3}), QColor(0, 0, 255));
    QCOMPARE(logicalPixel(image, {0, 10}), QColor(Qt::black)); // one-pixel frame line
    QCOMPARE(t.text(), QStringLiteral("10"));
}

void TestTextBox::textBoxPaintsEveryPixel_data() {
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
void TestTextBox::textBoxPaintsEveryPixel() {
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

void TestTextBox::textBoxSameTextChangesNothing() {
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

void TestTextBox::dirtyAreasSubtract_data() {
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

void TestTextBox::dirtyAreasSubtract() {
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
void TestTextBox::movesUnderATextBoxRepaintNothingThere() {
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

QTEST_MAIN(TestTextBox)
#include "tst_textbox.moc"

// A box that reaches past its container's frame line: a left-aligned text that would run under
// the container's focus mark is drawn further left, by as much as it needs and no further than
// the box's own left edge; a text that shows whole keeps its inset of 4 pixels.
void TestTextBox::textCutByTheContainerShowsWhole_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("firstInk"); // -1: somewhere left of its inset, not before the box
    QTest::addRow("short: its inset") << QStringLiteral("8") << 4;
    QTest::addRow("a little too long: moved") << QStringLiteral("88 / 8888") << -1;
    QTest::addRow("far too long: from the box's edge") << QStringLiteral("888888888888") << 0;
}

void TestTextBox::textCutByTheContainerShowsWhole() {
    QFETCH(QString, text);
    QFETCH(int, firstInk);
    Container box;
    box.setFrameLine(true);
    box.resize(100, 40);
    rb::TextBox t(&box, QStringLiteral("Text1"));
    t.setColors(Qt::black, Qt::white);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    t.setFont(font);
    t.setGeometry(50, 10, 80, 19);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    t.clearFocus();  // no text cursor among the glyphs
    t.setText(text); // a new text in a box that is shown is placed anew
    const int shown = box.innerRect().right() + 1 - 2 - t.x(); // up to the focus mark
    const QImage label = t.grab().toImage();
    int inkLeft = label.width();
    int inkRight = -1;
    for (int y = 1; y < t.height() - 1; ++y) {
        for (int x = 1; x < t.width() - 1; ++x) {
            if (qGray(logicalPixel(label, {x, y}).rgb()) > 48) {
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
            }
        }
    }
    if (firstInk == 0) {
        // As far left as it goes: Qt's own inset of 2 pixels taken back, and no further.
        QCOMPARE(t.textMargins().left(), -2);
        QVERIFY2(inkLeft <= 1, qPrintable(QString::number(inkLeft)));
        return;
    }
    QVERIFY2(inkRight < shown, qPrintable(QStringLiteral("%1 of %2").arg(inkRight).arg(shown)));
    if (firstInk > 0) {
        QCOMPARE(inkLeft, firstInk);
    } else {
        QVERIFY(inkLeft > 0 && inkLeft < 4);
    }
}
