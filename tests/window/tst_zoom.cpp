// SPDX-License-Identifier: GPL-3.0-or-later
// The zoom of the whole form, offscreen: control places at a few zooms against the design
// twips, the start zoom that fits a small screen, the diagrams' drawing kept across a zoom
// change, the zoom keys and the wheel, F11 held, and the finger: a touch drag of the target
// marker and a two-finger pinch that presses nothing.

#include "support/drag.h"
#include "support/formfixture.h"
#include "support/scrollbarparts.h"
#include "support/zoom.h"
#include "window/runtime/picturezoom.h"

#include <QAction>
#include <QFontInfo>
#include <QPointingDevice>
#include <QTest>
#include <QWheelEvent>

#include <memory>

using rbtest::inClient;
using rbtest::twipsAtZoom;

class TestZoom : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { m_loaded.reset(); }

    void controlsLieWhereTheDesignPutsThem_data();
    void controlsLieWhereTheDesignPutsThem();
    void cornerLabelShowsWhole_data();
    void cornerLabelShowsWhole();
    void startZoomFitsTheScreen_data();
    void startZoomFitsTheScreen();
    void backdropAtOnceThenSharp();
    void diagramsKeepTheirDrawing();
    void tapsWorkLikeClicks();
    void touchDragOfTheMarkerSetsBothStocks();
    void zoomKeysAndWheel_data();
    void zoomKeysAndWheel();
    void heldF11TogglesOnce();
    void zoomWhileMaximisedFitsOnReturn();
    void pinchZoomsAndPressesNothing_data();
    void pinchZoomsAndPressesNothing();

private:
    rb::Form1& load() {
        m_loaded = rbtest::loadForm();
        return **m_loaded;
    }
    // Shown and active, so that its keys reach it.
    rb::Form1& loadActive() {
        rb::Form1& f = load();
        f.show();
        QApplication::setActiveWindow(&f);
        if (!QTest::qWaitForWindowActive(&f)) {
            qWarning("the window did not become active");
        }
        return f;
    }
    std::unique_ptr<rbtest::LoadedForm> m_loaded;
    // One touch screen for every case; the test owns it, Qt does not delete it.
    std::unique_ptr<QPointingDevice> m_touchScreen{QTest::createTouchDevice()};
};

void TestZoom::controlsLieWhereTheDesignPutsThem_data() {
    QTest::addColumn<double>("zoom");
    QTest::addRow("80 percent") << 0.8;
    QTest::addRow("150 percent") << 1.5;
    QTest::addRow("full screen on 1920 x 1080") << 1920.0 / 1256.0;
    QTest::addRow("200 percent") << 2.0;
    QTest::addRow("300 percent") << 3.0;
}

void TestZoom::controlsLieWhereTheDesignPutsThem() {
    QFETCH(double, zoom);
    rb::Form1& f = load();
    f.setZoom(zoom);
    QCOMPARE(f.zoom(), zoom);
    // Absolute design places in twips: widgets and light controls of the window and of a panel
    // without frame line (txtyo).
    const struct {
        QObject* control;
        QRectF twips;
    } places[] = {
        {f.Text2, {10440, 9480, 5235, 318}},    {f.Command1, {14400, 8760, 975, 435}},
        {f.HScroll3, {14340, 6060, 1095, 195}}, {f.Check1, {9420, 5460, 735, 315}},
        {f.txtyo, {15240, 5160, 375, 285}},     {f.Picture3, {12480, 7320, 1095, 2115}},
        {f.Image2, {14400, 6360, 945, 915}},    {f.Label1, {10920, 7740, 1155, 255}},
        {f.HScroll1, {10920, 6060, 1095, 195}},
    };
    for (const auto& [control, t] : places) {
        const QRectF expected = twipsAtZoom(t.x(), t.y(), t.width(), t.height(), zoom);
        const QRect shown = inClient(f.client(), control);
        QVERIFY2(rbtest::withinOnePixel(shown, expected),
                 qPrintable(control->objectName() + QStringLiteral(" at %1,%2 %3x%4")
                                                        .arg(shown.x())
                                                        .arg(shown.y())
                                                        .arg(shown.width())
                                                        .arg(shown.height())));
    }
    // The window follows the client area; fonts and the marker's picture grow with the form.
    QVERIFY(std::abs(f.width() - 18840 * zoom / 15) <= 1);
    // 12 pt are 16 pixels at 100 %; at a zoom whole pixels, never more than 16 times the zoom.
    QCOMPARE(QFontInfo(f.txtFisch1->font()).pixelSize(), int(std::floor(16 * zoom)));
    QVERIFY(std::abs(f.imgtarget->pixelRect().width() - 27 * zoom) <= 1);
}

// The label "8 / 0" reaches past the aquarium's edge and is cut there; its text must show
// whole at every zoom step, as at 100 %: no white of it lies under the aquarium's focus mark or
// beyond, also where the glyphs come out a pixel wider (Windows).
void TestZoom::cornerLabelShowsWhole_data() {
    QTest::addColumn<double>("zoom");
    for (const double zoom :
         {0.5, 0.67, 0.75, 0.8, 0.9, 1.0, 1.1, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0, 1920.0 / 1256}) {
        QTest::addRow("%g percent", zoom * 100) << zoom;
    }
}

void TestZoom::cornerLabelShowsWhole() {
    QFETCH(double, zoom);
    rb::Form1& f = load();
    f.setZoom(zoom);
    const QImage label = f.Text1->grab().toImage(); // all of it, also what the aquarium cuts
    // What shows of it: up to the aquarium's focus mark (the aquarium has the focus at start),
    // one frame line's width inside the frame line.
    const int line = f.picAqua->innerRect().left();
    const int shown = f.picAqua->innerRect().right() + 1 - 2 * line - f.Text1->x();
    // Its white: the clear part of its glyphs where it must show (at the small sizes, where
    // a rasteriser draws them in greys only, more than half as bright as the brightest), and
    // any grey of them for its extent.
    int brightest = 0;
    for (int y = 0; y < label.height(); ++y) {
        for (int x = 0; x < label.width(); ++x) {
            brightest = std::max(brightest, qGray(label.pixel(x, y)));
        }
    }
    int white = -1;
    int inkLeft = label.width();
    int inkRight = -1;
    for (int y = 0; y < label.height(); ++y) {
        for (int x = 0; x < label.width(); ++x) {
            const int grey = qGray(label.pixel(x, y));
            if (grey > 48) {
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
            }
            if (grey > std::min(128, brightest / 2)) {
                white = std::max(white, x);
            }
        }
    }
    QCOMPARE(f.Text1->text(), QStringLiteral("8 / 0"));
    QVERIFY2(white >= 0 && white < shown,
             qPrintable(QStringLiteral("text to %1, %2 shown").arg(white).arg(shown)));
    QVERIFY(inkRight - inkLeft > 10 * zoom); // the whole text, not a part of it
    if (zoom == 1.0) {
        QCOMPARE(inkLeft, 4); // at 100 % where the design puts it, with none to spare
    }
}

// The start zoom for a screen's work area and the frame the window manager puts around the
// window (openbox: 2 pixels at the sides and bottom, a title bar of 25 with its line).
void TestZoom::startZoomFitsTheScreen_data() {
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QMargins>("frame");
    QTest::addColumn<double>("least");
    QTest::addColumn<double>("most");
    const QMargins openbox(2, 25, 2, 2);
    QTest::addRow("1280 x 720 without a window manager")
        << QSize(1280, 720) << QMargins() << 1.0 << 1.0;
    QTest::addRow("1280 x 720 under openbox") << QSize(1280, 720) << openbox << 0.99 << 0.999;
    QTest::addRow("1024 x 768 projector") << QSize(1024, 768) << openbox << 0.78 << 0.82;
    QTest::addRow("1600 x 1000: 100 percent") << QSize(1600, 1000) << openbox << 1.0 << 1.0;
    QTest::addRow("tiny: never below 50 percent") << QSize(320, 240) << openbox << 0.5 << 0.5;
}

void TestZoom::startZoomFitsTheScreen() {
    QFETCH(QSize, screen);
    QFETCH(QMargins, frame);
    QFETCH(double, least);
    QFETCH(double, most);
    rb::Form1& f = load();
    f.fitInto(QRect(QPoint(0, 0), screen), frame);
    QVERIFY2(f.zoom() >= least && f.zoom() <= most, qPrintable(QString::number(f.zoom())));
    if (least > 0.5) {
        QVERIFY(f.width() + frame.left() + frame.right() <= screen.width());
        QVERIFY(f.height() + frame.top() + frame.bottom() <= screen.height());
    }
}

// A zoom step shows the window's backdrop at once, scaled from the picture at hand, and sharp
// from its large copy a moment later. Looked at on the backdrop right of the phase diagram.
void TestZoom::backdropAtOnceThenSharp() {
    rb::Form1& f = load();
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const QImage own = f.client()->picture().toImage();
    const QPoint design(1080, 267); // 16200 x 4000 twips at 100 %
    f.setZoom(2.0);
    const auto shown = [&f, design] {
        return f.client()->grab(QRect(design * 2, QSize(1, 1))).toImage().pixelColor(0, 0);
    };
    const QColor atOnce = shown();
    const QColor before = own.pixelColor(design * own.devicePixelRatio());
    QVERIFY2(std::abs(atOnce.red() - before.red()) + std::abs(atOnce.green() - before.green()) +
                     std::abs(atOnce.blue() - before.blue()) <=
                 48,
             qPrintable(atOnce.name() + QStringLiteral(" for ") + before.name()));
    const QImage sharp = rb::zoomedPicture(f.client()->picture()).toImage();
    QTRY_COMPARE(shown(), sharp.pixelColor(design * 2 * sharp.devicePixelRatio()));
}

void TestZoom::diagramsKeepTheirDrawing() {
    rb::Form1& f = load();
    f.cmdZyk->trigger();
    rbtest::setSlider(f.HScroll1, 20);
    rbtest::setSlider(f.HScroll2, 10);
    std::vector<QPointF> states; // predator, prey
    const auto run = [&](int ticks) {
        for (int k = 0; k < ticks; ++k) {
            rbtest::tick(f);
            states.emplace_back(f.stock2, f.stock1);
        }
    };
    const QColor dot(255, 255, 0);
    const auto everyDotDrawn = [&] {
        for (const QPointF& s : states) {
            if (s.y() >= 8 && rbtest::drawnAt(f.picphase, s.x(), s.y()) != dot) {
                return false;
            }
        }
        return true;
    };
    run(20);
    QVERIFY(everyDotDrawn());
    const QColor curve = rbtest::drawnAt(f.picDiagramm, 20, f.stock1 / 32 * 100);
    QVERIFY(curve != QColor(Qt::black));

    f.setZoom(2.0);
    QVERIFY(everyDotDrawn());
    QCOMPARE(rbtest::drawnAt(f.picDiagramm, 20, states.back().y() / 32 * 100), curve);
    run(5); // new drawing lands where the model puts it
    QVERIFY(everyDotDrawn());
    f.setZoom(0.8);
    QVERIFY(everyDotDrawn());
    QCOMPARE(f.generation, 25);
}

void TestZoom::tapsWorkLikeClicks() {
    rb::Form1& f = load();
    f.setZoom(0.8);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QPointingDevice* finger = m_touchScreen.get();
    const auto tap = [finger](QWidget* w, QPoint at) {
        QTest::touchEvent(w, finger).press(0, at, w);
        QTest::touchEvent(w, finger).release(0, at, w);
    };
    tap(f.Check1, QPoint(8, f.Check1->height() / 2));
    QCOMPARE(f.Check1->value(), 1);
    tap(f.HScroll1, rbtest::subControlCentre(*f.HScroll1, QStyle::SC_ScrollBarAddLine));
    QCOMPARE(f.HScroll1->value(), 2);
    tap(f.HScroll1, rbtest::subControlCentre(*f.HScroll1, QStyle::SC_ScrollBarAddPage));
    QCOMPARE(f.HScroll1->value(), 3);
}

void TestZoom::touchDragOfTheMarkerSetsBothStocks() {
    rb::Form1& f = load();
    f.setZoom(0.8); // all of the phase diagram on the offscreen screen of 800 x 600
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QPointingDevice* finger = m_touchScreen.get();
    rb::PictureBox* d = f.picphase;
    const QPoint from = f.imgtarget->pixelRect().center().toPoint();
    const QPoint to =
        (d->scale().toPixels(QPointF(13.2, 21.7)) + d->innerRect().topLeft()).toPoint();
    QTest::touchEvent(d, finger).press(0, from, d);
    QTRY_VERIFY(rbtest::isDragging());
    QTest::touchEvent(d, finger).move(0, to, d);
    QTest::touchEvent(d, finger).release(0, to, d);
    QTRY_VERIFY(!rbtest::isDragging());
    QCOMPARE(f.HScroll2->value(), 13);
    QCOMPARE(f.HScroll1->value(), 22);
}

// What each zoom key and the Ctrl+wheel give, from a step and from between two steps (a pinch
// leaves the zoom there). "wheel" turns take eighths of a degree, 120 a notch, over the prey
// slider, which the turn must not move.
void TestZoom::zoomKeysAndWheel_data() {
    QTest::addColumn<double>("from");
    QTest::addColumn<QString>("input");
    QTest::addColumn<double>("zoom");
    QTest::addRow("Ctrl+Plus at 100") << 1.0 << "Ctrl++" << 1.1;
    QTest::addRow("Ctrl+Plus between 100 and 110") << 1.03 << "Ctrl++" << 1.1;
    QTest::addRow("Ctrl+Plus at 80") << 0.8 << "Ctrl++" << 0.9;
    QTest::addRow("Ctrl+Plus at 300 stays") << 3.0 << "Ctrl++" << 3.0;
    QTest::addRow("Ctrl+= at 200") << 2.0 << "Ctrl+=" << 2.5;
    QTest::addRow("Ctrl+Minus at 100") << 1.0 << "Ctrl+-" << 0.9;
    QTest::addRow("Ctrl+Minus between 100 and 110") << 1.03 << "Ctrl+-" << 1.0;
    QTest::addRow("Ctrl+Minus at 67") << 0.67 << "Ctrl+-" << 0.5;
    QTest::addRow("Ctrl+Minus at 50 stays") << 0.5 << "Ctrl+-" << 0.5;
    QTest::addRow("Ctrl+0 at 250") << 2.5 << "Ctrl+0" << 1.0;
    QTest::addRow("Ctrl+0 between 100 and 110") << 1.03 << "Ctrl+0" << 1.0;
    QTest::addRow("Ctrl+O is no zoom key") << 2.5 << "Ctrl+O" << 2.5;
    QTest::addRow("one notch up at 100") << 1.0 << "wheel 120" << 1.1;
    QTest::addRow("one notch down between steps") << 1.03 << "wheel -120" << 1.0;
    QTest::addRow("two notches up at 150") << 1.5 << "wheel 240" << 2.0;
    QTest::addRow("half a notch: nothing yet") << 1.0 << "wheel 60" << 1.0;
    QTest::addRow("two halves: one step") << 1.0 << "wheel 60 60" << 1.1;
}

void TestZoom::zoomKeysAndWheel() {
    QFETCH(double, from);
    QFETCH(QString, input);
    QFETCH(double, zoom);
    rb::Form1& f = loadActive();
    f.setZoom(from);
    QCOMPARE(f.zoom(), from);
    const QStringList words = input.split(QLatin1Char(' '));
    if (words.front() == QLatin1String("wheel")) {
        rb::ScrollBar* over = f.HScroll1;
        const QPointF at(over->width() / 2.0, over->height() / 2.0);
        for (const QString& turn : words.mid(1)) {
            QWheelEvent wheel(at, over->mapToGlobal(at), QPoint(), QPoint(0, turn.toInt()),
                              Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(over, &wheel);
        }
        QCOMPARE(over->value(), 1);
    } else {
        const QKeySequence keys(input);
        QVERIFY(!keys.isEmpty());
        const QKeyCombination k = keys[0];
        QTest::keyClick(f.windowHandle(), k.key(), k.keyboardModifiers());
    }
    QCOMPARE(f.zoom(), zoom);
    // The window at once measures the form at the new zoom.
    QVERIFY(std::abs(f.width() - 18840 * zoom / 15) <= 1);
}

// A held F11 sends repeated presses: full screen comes once and stays.
void TestZoom::heldF11TogglesOnce() {
    rb::Form1& f = loadActive();
    QWindow* w = f.windowHandle();
    QTest::simulateEvent(w, true, Qt::Key_F11, Qt::NoModifier, QString(), false);
    for (int k = 0; k < 5; ++k) {
        QTest::simulateEvent(w, true, Qt::Key_F11, Qt::NoModifier, QString(), true);
    }
    QTest::simulateEvent(w, false, Qt::Key_F11, Qt::NoModifier, QString(), false);
    QVERIFY(f.isFullScreenZoomed());
    QTest::keyClick(w, Qt::Key_F11); // and a new press ends it
    QVERIFY(!f.isFullScreenZoomed());
}

// Zoomed while maximised, the window back from maximised measures the form at its new zoom, not
// the size it had before.
void TestZoom::zoomWhileMaximisedFitsOnReturn() {
    rb::Form1& f = loadActive();
    f.setZoom(0.8);
    const QSize before = f.size();
    f.showMaximized();
    QTRY_VERIFY(f.isMaximized());
    f.setZoom(0.5);
    f.showNormal();
    QTRY_VERIFY(!f.isMaximized());
    QTRY_COMPARE(f.width(), 628); // 18840 twips at 50 %
    QVERIFY(f.size() != before);
}

// Two fingers pinch, wherever they land and however they move in between: from 100 fingers
// apart to 200 is 200 %, and the control under a finger is never pressed.
void TestZoom::pinchZoomsAndPressesNothing_data() {
    QTest::addColumn<QString>("under"); // the control the first finger lands on
    QTest::addColumn<bool>("together"); // both fingers land in one touch event
    QTest::addColumn<int>("updates");   // the moves from 100 to 200 apart
    QTest::addRow("on the window, together") << "client" << true << 1;
    QTest::addRow("on a slider's arrow, one after the other") << "HScroll1" << false << 4;
    QTest::addRow("on the check box, one after the other") << "Check1" << false << 3;
    QTest::addRow("on the clear button, together") << "Command3" << true << 2;
}

void TestZoom::pinchZoomsAndPressesNothing() {
    QFETCH(QString, under);
    QFETCH(bool, together);
    QFETCH(int, updates);
    rb::Form1& f = load();
    f.setZoom(0.8); // all of the window on the offscreen screen of 800 x 600
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    rbtest::tick(f); // a generation, so that the clear button would show
    f.stopped = true;
    const QString before = rbtest::shownStocks(f);
    const long long generation = f.generation;
    // Window coordinates, which the zoom does not move (the client area shifts with the menu).
    QWidget* c = f.client();
    const auto* control = c->findChild<QWidget*>(under);
    const QPoint first =
        under == QLatin1String("HScroll1")
            ? f.HScroll1->mapTo(&f,
                                rbtest::subControlCentre(*f.HScroll1, QStyle::SC_ScrollBarAddLine))
        : control ? control->mapTo(&f, control->rect().center())
                  : c->mapTo(&f, QPoint(300, 200));
    const QPoint apart(100, 0);
    QWindow* w = f.windowHandle();
    QTest::QTouchEventSequence fingers = QTest::touchEvent(w, m_touchScreen.get(), false);
    if (together) {
        fingers.press(0, first, w).press(1, first + apart, w).commit();
    } else {
        fingers.press(0, first, w).commit();
        fingers.stationary(0).press(1, first + apart, w).commit();
    }
    for (int k = 1; k <= updates; ++k) {
        fingers.stationary(0).move(1, first + apart * (1.0 + double(k) / updates), w).commit();
    }
    fingers.release(0, first, w).stationary(1).commit();
    fingers.release(1, first + 2 * apart, w).commit();
    QCOMPARE(f.zoom(), 1.6);
    QCOMPARE(rbtest::shownStocks(f), before);
    QCOMPARE(f.Check1->value(), 0);
    QCOMPARE(f.generation, generation); // the clear button did not run
}

QTEST_MAIN(TestZoom)
#include "tst_zoom.moc"
