// SPDX-License-Identifier: GPL-3.0-or-later
// Dragging the target marker across the phase diagram with a real pointer: the window is shown
// on a virtual X display and xdotool presses, moves and releases the mouse button.

#include "support/drag.h"
#include "support/formfixture.h"
#include "support/xdo.h"
#include "window/runtime/dragdrop.h"
#include "window/runtime/rounding.h"

#include <QTest>

#include <cmath>
#include <memory>

using Waypoints = QList<QPointF>;

class TestDragX11 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void dragTheMarkerAcrossTheDiagram_data();
    void dragTheMarkerAcrossTheDiagram();

private:
    rb::Form1& form() { return **m_loaded; }
    // Global position of the pixel a point in the diagram's units lies in.
    QPoint globalAt(QPointF user) const;
    // The point in the diagram's units that a global pointer position gives.
    QPointF userAt(QPoint global) const;

    std::unique_ptr<rbtest::LoadedForm> m_loaded;
};

void TestDragX11::initTestCase() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        QSKIP("needs a real X display (run under xvfb-run with QT_QPA_PLATFORM=xcb)");
    }
    QVERIFY2(rbtest::xdo({QStringLiteral("version")}), "xdotool is missing");
}

void TestDragX11::init() {
    m_loaded = rbtest::loadForm(3);
    form().move(0, 0);
    form().show();
    QVERIFY(QTest::qWaitForWindowExposed(&form()));
    // Park the pointer away from the window's controls.
    QVERIFY(rbtest::moveTo(form().mapToGlobal(QPoint(form().width() + 40, 20))));
}

void TestDragX11::cleanup() {
    rbtest::release();
    rbtest::cancelDrags();
    m_loaded.reset();
}

QPoint TestDragX11::globalAt(QPointF user) const {
    const rb::PictureBox* d = (**m_loaded).picphase;
    const QPointF pixel = QPointF(d->innerRect().topLeft()) + d->scale().toPixels(user);
    return d->mapToGlobal(
        QPoint(static_cast<int>(std::floor(pixel.x())), static_cast<int>(std::floor(pixel.y()))));
}

QPointF TestDragX11::userAt(QPoint global) const {
    const rb::PictureBox* d = (**m_loaded).picphase;
    return d->toUserUnits(d->mapFromGlobal(QPointF(global)));
}

void TestDragX11::dragTheMarkerAcrossTheDiagram_data() {
    // Points in the diagram's units (predators across, prey up); the last is the drop point.
    // Neighbouring points differ in both rounded stocks, so every step changes both sliders.
    QTest::addColumn<Waypoints>("path");
    QTest::addRow("to the lower right")
        << Waypoints{{13.8, 22.3}, {16.4, 18.2}, {19.1, 14.6}, {21.3, 11.7}};
    QTest::addRow("to the upper left")
        << Waypoints{{8.2, 25.7}, {5.6, 27.9}, {3.3, 29.8}, {1.7, 30.6}};
    QTest::addRow("along the bottom, below a whole number")
        << Waypoints{{7.2, 14.2}, {4.3, 11.8}, {2.2, 9.9}};
}

void TestDragX11::dragTheMarkerAcrossTheDiagram() {
    QFETCH(Waypoints, path);
    rb::Form1& f = form();
    rb::PictureBox* d = f.picphase;
    const double w = f.imgtarget->width();
    const double h = f.imgtarget->height();

    // Press on the marker's centre.
    const QPoint onMarker = d->mapToGlobal(f.imgtarget->pixelRect().center().toPoint());
    QVERIFY(rbtest::moveTo(onMarker));
    QVERIFY(rbtest::press());
    QTRY_VERIFY(rbtest::isDragging());
    QCOMPARE(rbtest::dragSource(), f.imgtarget);
    QVERIFY(rbtest::dragOutline());

    // Move across the diagram: the stocks follow the pointer.
    QPoint at;
    for (const QPointF& point : path) {
        at = globalAt(point);
        QVERIFY(rbtest::moveTo(at));
        const QPointF u = userAt(at);
        const int prey = rb::roundHalfEven(u.y());
        const int predators = rb::roundHalfEven(u.x());
        QTRY_COMPARE(f.HScroll1->value(), prey);
        QTRY_COMPARE(f.HScroll2->value(), predators);
        QCOMPARE(f.txtFisch1->text(), QString::number(prey));
        QCOMPARE(f.txtFisch2->text(), QString::number(predators));
        QCOMPARE(f.stock1, static_cast<double>(prey));
        QCOMPARE(f.stock2, static_cast<double>(predators));
        QCOMPARE(f.imgFisch1[static_cast<std::size_t>(prey)]->isVisible(), prey > 0);
        QVERIFY(prey == 32 || !f.imgFisch1[static_cast<std::size_t>(prey) + 1]->isVisible());
        // The outline follows the pointer; the marker stays until the drop.
        QTRY_VERIFY(rbtest::dragOutline() &&
                    rbtest::dragOutline()->geometry().contains(
                        rbtest::dragOutline()->parentWidget()->mapFromGlobal(at)));
    }
    const float leftBefore = f.imgtarget->left();
    QVERIFY(std::fabs(leftBefore - 10.5) < 0.1); // still at its design position

    // Release: the marker lands centred on the drop point.
    QVERIFY(rbtest::release());
    QTRY_VERIFY(!rbtest::isDragging());
    const QPointF drop = userAt(at);
    QTRY_COMPARE(f.imgtarget->left(), static_cast<float>(drop.x() - w / 2));
    QCOMPARE(f.imgtarget->top(), static_cast<float>(std::floor(drop.y() + h / 2)));
    QVERIFY(f.imgtarget->isVisible());
    QCOMPARE(f.HScroll1->value(), rb::roundHalfEven(drop.y()));
    QCOMPARE(f.HScroll2->value(), rb::roundHalfEven(drop.x()));
    QVERIFY(rbtest::dragOutline() == nullptr);
}

QTEST_MAIN(TestDragX11)
#include "tst_drag_x11.moc"
