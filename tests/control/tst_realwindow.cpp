// SPDX-License-Identifier: GPL-3.0-or-later
// The window on a real (virtual) X display, used with the real pointer and keyboard: a preset
// picked from the menu bar, a spinner arrow clicked, scroll bars moved and buttons pressed by
// keys; what the screen shows of the "auto" tick, the focus marks, the cut right end of the
// time-series slider and the frame above it; and the built program itself, ended through
// "Beenden", and started without a display.

#include "support/formfixture.h"
#include "support/xdo.h"

#include <QAction>
#include <QMenuBar>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScreen>
#include <QSignalSpy>
#include <QStyleOptionSlider>
#include <QTest>

#include "support/scrollbarparts.h"

#include <memory>

#ifndef RB_PROGRAM
#error "RB_PROGRAM must name the built program"
#endif

using rb::ScrollBar;

using rbtest::subControlCentre;
using rbtest::subControlRect;

namespace {

const QString kCaption = QStringLiteral("Räuber-Beute Modell");

// The X window ids of visible windows with the program's caption.
QStringList programWindows() {
    QProcess search;
    search.start(QStringLiteral("xdotool"),
                 {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                  QStringLiteral("--name"), kCaption});
    if (!search.waitForFinished(10000)) {
        return {};
    }
    return QString::fromLocal8Bit(search.readAllStandardOutput())
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// What the X server shows of a widget, in the widget's own pixels.
QImage onScreen(const QWidget* w) {
    const QPoint corner = w->mapToGlobal(QPoint(0, 0));
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, corner.x(), corner.y(), w->width(), w->height())
        .toImage();
}

QColor shownAt(const QWidget* w, QPoint at) {
    return onScreen(w).pixelColor(at);
}

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);

} // namespace

class TestRealWindow : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void presetFromTheMenuBar_data();
    void presetFromTheMenuBar();
    void spinnerArrowClick_data();
    void spinnerArrowClick();
    void keysMoveAFocusedScrollBar_data();
    void keysMoveAFocusedScrollBar();
    void keysClickAFocusedButton_data();
    void keysClickAFocusedButton();
    void autoTickIsBlackOnWhite();
    void focusMarkShows_data();
    void focusMarkShows();
    void timeSeriesSliderEndsInAClassicArrow();
    void programEndsThroughBeenden();
    void programWithoutDisplaySaysHowToStartIt();

private:
    void showForm();
    // Gives the control the keyboard focus of the active window.
    void focus(QWidget* w);
    std::unique_ptr<rbtest::LoadedForm> m_form;
};

void TestRealWindow::showForm() {
    m_form = rbtest::loadForm(3);
    (*m_form)->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form->form.get()));
}

void TestRealWindow::focus(QWidget* w) {
    QWidget* window = w->window();
    window->activateWindow(); // X sends the keys to it
    QTRY_VERIFY(window->isActiveWindow());
    w->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(w->hasFocus());
}

void TestRealWindow::cleanup() {
    m_form.reset();
    QTRY_VERIFY(programWindows().isEmpty());
}

void TestRealWindow::presetFromTheMenuBar_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QStringList>("boxes");
    QTest::addRow("anziehender Fixpunkt") << "cmdfix" << QStringList{"30", "34", "36", "15"};
    QTest::addRow("labiles Gleichgewicht") << "cmdlabil" << QStringList{"12", "24", "36", "15"};
}

void TestRealWindow::presetFromTheMenuBar() {
    QFETCH(QString, entry);
    QFETCH(QStringList, boxes);
    showForm();
    rb::Form1& f = **m_form;
    auto* action = f.findChild<QAction*>(entry);
    QVERIFY(action);
    const QRect place = f.menuBar()->actionGeometry(action);
    QVERIFY(!place.isEmpty());
    QVERIFY(rbtest::clickAt(f.menuBar(), place.center()));
    QTRY_COMPARE(f.txtF1p->text(), boxes[0]);
    QTRY_COMPARE(f.txtF2W->text(), boxes[1]);
    QTRY_COMPARE(f.txtF2fress->text(), boxes[2]);
    QTRY_COMPARE(f.txtF2sterb->text(), boxes[3]);
    QCOMPARE(f.VScroll2->value(), boxes[1].toInt());
    QCOMPARE(m_form->ends, 0);
}

void TestRealWindow::spinnerArrowClick_data() {
    QTest::addColumn<QString>("spinner");
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("after");
    QTest::addRow("VScroll2 up") << "VScroll2"
                                 << "txtF2W" << true << "33";
    QTest::addRow("VScroll1 down") << "VScroll1"
                                   << "txtF1p" << false << "9";
}

void TestRealWindow::spinnerArrowClick() {
    QFETCH(QString, spinner);
    QFETCH(QString, box);
    QFETCH(bool, up);
    QFETCH(QString, after);
    showForm();
    rb::Form1& f = **m_form;
    auto* bar = f.findChild<ScrollBar*>(spinner);
    auto* text = f.findChild<rb::TextBox*>(box);
    QVERIFY(bar && text);
    const QPoint arrow =
        subControlCentre(*bar, up ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine);
    QVERIFY(rbtest::clickAt(bar, arrow));
    QTRY_COMPARE(text->text(), after);
    QCOMPARE(bar->value(), after.toInt());
}

void TestRealWindow::keysMoveAFocusedScrollBar_data() {
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("box"); // the text box its Change handler writes
    QTest::addRow("prey stock Right") << "HScroll1" << QStringList{"Right"} << 2 << "txtFisch1";
    QTest::addRow("pace Left, Right") << "HScroll3" << QStringList{"Left"} << 49 << "txtTime";
    QTest::addRow("pace Right back to 50")
        << "HScroll3" << QStringList{"Left", "Right"} << 50 << "txtTime";
    QTest::addRow("time series End") << "HScroll4" << QStringList{"End"} << 30000 << "";
    QTest::addRow("growth rate Up") << "VScroll1" << QStringList{"Up"} << 11 << "txtF1p";
    QTest::addRow("proportionality Home") << "VScroll2" << QStringList{"Home"} << 100 << "txtF2W";
    QTest::addRow("voracity Page Down") << "VScroll3" << QStringList{"Next"} << 9 << "txtF2fress";
    QTest::addRow("death rate End") << "VScroll4" << QStringList{"End"} << 0 << "txtF2sterb";
}

void TestRealWindow::keysMoveAFocusedScrollBar() {
    QFETCH(QString, bar);
    QFETCH(QStringList, keys);
    QFETCH(int, value);
    QFETCH(QString, box);
    showForm();
    rb::Form1& f = **m_form;
    auto* scroll = f.findChild<ScrollBar*>(bar);
    QVERIFY(scroll);
    focus(scroll);
    for (const QString& k : keys) {
        QVERIFY(rbtest::key(k));
    }
    if (box.isEmpty()) {
        QTRY_COMPARE(f.picDiagramm->left(), float(-value));
    } else {
        QTRY_COMPARE(f.findChild<rb::TextBox*>(box)->text(), QString::number(value));
    }
    QCOMPARE(scroll->value(), value);
}

void TestRealWindow::keysClickAFocusedButton_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("key");
    QTest::addRow("stop, Return") << "Command2"
                                  << "Return";
    QTest::addRow("clear time series, keypad Enter") << "Command3"
                                                     << "KP_Enter";
    QTest::addRow("clear phase diagram, Space") << "Command4"
                                                << "space";
    QTest::addRow("fish face, Return") << "Command5"
                                       << "Return";
}

void TestRealWindow::keysClickAFocusedButton() {
    QFETCH(QString, button);
    QFETCH(QString, key);
    showForm();
    auto* b = (*m_form)->findChild<rb::Button*>(button);
    QVERIFY(b);
    QSignalSpy clicked(b, &QAbstractButton::clicked);
    focus(b);
    QVERIFY(rbtest::key(key));
    QTRY_COMPARE(clicked.count(), 1);
}

void TestRealWindow::autoTickIsBlackOnWhite() {
    showForm();
    rb::CheckBox* box = (*m_form)->Check1;
    QStyleOptionButton opt;
    opt.initFrom(box);
    const QRect r = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opt, box);
    // The tick's lowest column, its third of seven, centred inside the sunken edge.
    const QPoint tick =
        r.topLeft() + QPoint(2 + (r.width() - 4 - 7) / 2 + 2, 2 + (r.height() - 4 - 7) / 2 + 5);
    const QPoint inside = r.topLeft() + QPoint(2, 2);
    QTRY_COMPARE(shownAt(box, tick), kWhite);
    QVERIFY(rbtest::clickAt(box, r.center()));
    QTRY_COMPARE(box->value(), 1);
    QTRY_COMPARE(shownAt(box, tick), kBlack);
    QCOMPARE(shownAt(box, inside), kWhite);
}

void TestRealWindow::focusMarkShows_data() {
    QTest::addColumn<QString>("control");
    for (const char* name : {"picAqua", "Picture1", "picphase", "Picture2", "picDiagramm",
                             "Picture3", "VScroll1", "VScroll2", "VScroll3", "VScroll4"}) {
        QTest::newRow(name) << QString::fromLatin1(name);
    }
}

void TestRealWindow::focusMarkShows() {
    QFETCH(QString, control);
    showForm();
    auto* w = (*m_form)->findChild<QWidget*>(control);
    QVERIFY(w);
    // A picture box: dots alternately black and white one pixel inside its inner area, here
    // near the left end of the bottom edge. A spinner: its thumb's place between the arrows
    // black.
    QPoint at;
    QSet<QRgb> mark{kBlack.rgb()};
    if (auto* bar = qobject_cast<ScrollBar*>(w)) {
        at = QPoint(bar->width() / 2,
                    subControlRect(*bar, QStyle::SC_ScrollBarSubLine).bottom() + 1);
    } else {
        const QRect inner = static_cast<rb::Container*>(w)->innerRect();
        at = QPoint(inner.left() + 30, inner.bottom() - 1);
        mark.insert(kWhite.rgb());
    }
    const auto shown = [&] {
        const QImage image = onScreen(w);
        QSet<QRgb> pixels{image.pixel(at)};
        if (mark.size() > 1) {
            pixels.insert(image.pixel(at + QPoint(1, 0)));
        }
        return pixels;
    };
    QVERIFY(shown() != mark);
    focus(w);
    QTRY_COMPARE(shown(), mark);
}

void TestRealWindow::timeSeriesSliderEndsInAClassicArrow() {
    showForm();
    rb::Form1& f = **m_form;
    ScrollBar* bar = f.HScroll4;
    // The right arrow button is as long as the bar is thick. The panel cuts the bar's last
    // 120 twips (8 pixels), one more as the bar starts inside the frame line, and the one
    // under the frame line, which lies above the bar: 11 of the arrow's 21 pixels show.
    const QRect arrow = subControlRect(*bar, QStyle::SC_ScrollBarAddLine);
    QCOMPARE(arrow.width(), bar->height());
    QCOMPARE(f.Picture2->innerRect().right() - (bar->x() + arrow.left()) + 1, 11);
    const int middle = arrow.center().y();
    const QImage panel = onScreen(f.Picture2);
    QCOMPARE(panel.pixelColor(bar->x() + arrow.left(), bar->y() + middle), kWhite); // its edge
    const int frame = f.Picture2->width() - 1;
    bool glyph = false; // part of the arrow's black triangle shows
    for (int x = bar->x() + arrow.left() + 2; x < frame; ++x) {
        glyph = glyph || panel.pixelColor(x, bar->y() + middle) == kBlack;
    }
    QVERIFY(glyph);
    // The frame line runs unbroken along the bottom and the right edge, over the bar.
    for (int x = 0; x <= frame; x += 7) {
        QCOMPARE(panel.pixelColor(x, f.Picture2->height() - 1), kBlack);
    }
    for (int y = 0; y < f.Picture2->height(); y += 7) {
        QCOMPARE(panel.pixelColor(frame, y), kBlack);
    }
}

void TestRealWindow::programEndsThroughBeenden() {
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QStringLiteral(RB_PROGRAM), QStringList());
    QVERIFY2(program.waitForStarted(10000), qPrintable(program.errorString()));
    QTRY_VERIFY_WITH_TIMEOUT(!programWindows().isEmpty(), 30000);
    QCOMPARE(program.state(), QProcess::Running);

    // Without a window manager the window sits at the screen's corner; "Beenden" is the first
    // entry at the left end of the menu bar along its top.
    QVERIFY(rbtest::moveTo(QPoint(25, 10)));
    QVERIFY(rbtest::xdo({QStringLiteral("click"), QStringLiteral("1")}));
    QVERIFY2(program.waitForFinished(10000), "the program did not end");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
}

void TestRealWindow::programWithoutDisplaySaysHowToStartIt() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(RB_PROGRAM), QStringList());
    QVERIFY2(program.waitForFinished(30000), "the program did not end");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit); // no crash, no signal
    QVERIFY(program.exitCode() != 0);
    const QString message = QString::fromLocal8Bit(program.readAllStandardError());
    QVERIFY2(message.contains(QLatin1String("xvfb-run")), qPrintable(message));
}

QTEST_MAIN(TestRealWindow)
#include "tst_realwindow.moc"
