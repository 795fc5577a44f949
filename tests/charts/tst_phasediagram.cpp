// SPDX-License-Identifier: GPL-3.0-or-later
// The phase diagram: its grid, the clear button "X", and the target marker that is dragged
// across the diagram to set both stocks.

#include "support/canvasprobe.h"
#include "support/drag.h"

#include "model/generationtick.h"
#include "support/formfixture.h"
#include "support/spoken.h"
#include "window/runtime/accessibility.h"
#include "window/runtime/dragdrop.h"
#include "window/runtime/palette.h"
#include "window/runtime/rounding.h"

#include <QCursor>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

using namespace chartstest;
using rb::DragState;

namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kGrid = qRgb(0, 0, 128); // palette colour 1

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

template <std::size_t N> int visibleFish(const std::array<rb::Image*, N>& fish) {
    int n = 0;
    for (std::size_t k = 1; k < N; ++k) {
        n += fish[k]->isVisible() ? 1 : 0;
    }
    return n;
}

// Fish 1..n visible and all others hidden.
template <std::size_t N> bool showsFirst(const std::array<rb::Image*, N>& fish, int n) {
    for (std::size_t k = 1; k < N; ++k) {
        if (fish[k]->isVisible() != (static_cast<int>(k) <= n)) {
            return false;
        }
    }
    return !fish[0]->isVisible();
}

struct Placement {
    float left;
    float top;
    bool visible;
    qint64 picture;
};

Placement placementOf(const rb::Image* image) {
    return {image->left(), image->top(), image->isVisible(), image->picture().cacheKey()};
}

bool operator==(const Placement& a, const Placement& b) {
    return a.left == b.left && a.top == b.top && a.visible == b.visible && a.picture == b.picture;
}

} // namespace

class TestPhaseDiagram : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { rb::installAccessibility(); } // the spoken steps' status line
    void init();
    void cleanup();

    void markerIsAControlNotDrawing();

    void dragOverSetsStocks_data();
    void dragOverSetsStocks();
    void dragOverSetsPreyBeforePredators();
    void dropPlacesMarker_data();
    void dropPlacesMarker();
    void dropKeepsStocksOfTheLastDragOver();

    void pressOnTheMarkerBeginsADrag_data();
    void pressOnTheMarkerBeginsADrag();
    void releaseOnTheMarkerMovesNothing();
    void dropOutsideTheDiagramLeavesTheMarker_data();
    void dropOutsideTheDiagramLeavesTheMarker();

    void clearingLeavesMarkerStocksAndColour();

    void arrowKeysDropTheNextPoint_data();
    void arrowKeysDropTheNextPoint();
    void arrowKeyLeavesTheOtherStockAsADropWould();

private:
    rb::Form1& form() { return **m_loaded; }
    // Global position of a point given in the diagram's units.
    QPoint globalAt(double x, double y) const;
    // The slider values a DragOver at a global position gives (clamped, half to even).
    QPair<int, int> preyAndPredatorsAt(QPoint global) const;
    QPoint markerCentre() const;
    void pressOnMarker(Qt::MouseButton button = Qt::LeftButton);

    std::unique_ptr<rbtest::LoadedForm> m_loaded;
    QImage m_gridOnly; // the diagram right after start-up
};

void TestPhaseDiagram::init() {
    m_loaded = rbtest::loadForm(11);
    m_gridOnly = form().picphase->canvas().copy();
    form().move(0, 0);
    form().show();
    QVERIFY(QTest::qWaitForWindowExposed(&form()));
}

void TestPhaseDiagram::cleanup() {
    rbtest::cancelDrags();
    m_loaded.reset();
}

QPoint TestPhaseDiagram::globalAt(double x, double y) const {
    const rb::PictureBox* d = (**m_loaded).picphase;
    const QPointF pixel = QPointF(d->innerRect().topLeft()) + d->scale().toPixels(QPointF(x, y));
    return d->mapToGlobal(pixel.toPoint());
}

QPair<int, int> TestPhaseDiagram::preyAndPredatorsAt(QPoint global) const {
    const rb::PictureBox* d = (**m_loaded).picphase;
    const QPointF u = d->toUserUnits(d->mapFromGlobal(QPointF(global)));
    return {rb::roundHalfEven(std::clamp(u.y(), 0.0, 32.0)),
            rb::roundHalfEven(std::clamp(u.x(), 0.0, 24.0))};
}

QPoint TestPhaseDiagram::markerCentre() const {
    return (**m_loaded).imgtarget->pixelRect().center().toPoint();
}

void TestPhaseDiagram::pressOnMarker(Qt::MouseButton button) {
    rb::PictureBox* d = form().picphase;
    QCursor::setPos(d->mapToGlobal(markerCentre()));
    QTest::mousePress(d, button, {}, markerCentre());
}

void TestPhaseDiagram::markerIsAControlNotDrawing() {
    // It stays out of the canvas, which shows only the grid (tst_grids).
    QVERIFY(form().imgtarget->isVisible());
}

void TestPhaseDiagram::dragOverSetsStocks_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("prey");
    QTest::addColumn<int>("predators");
    const int over = static_cast<int>(DragState::Over);
    const int leave = static_cast<int>(DragState::Leave);
    const int enter = static_cast<int>(DragState::Enter);
    QTest::addRow("12.5 / 20.5: halves to even, 12 and 20") << 12.5 << 20.5 << over << 20 << 12;
    QTest::addRow("13.5 / 21.5: halves to even, 14 and 22") << 13.5 << 21.5 << over << 22 << 14;
    QTest::addRow("0.5 / 8.5: 0 and 8") << 0.5 << 8.5 << over << 8 << 0;
    QTest::addRow("23.5 / 31.5: 24 and 32") << 23.5 << 31.5 << over << 32 << 24;
    QTest::addRow("11.49 / 19.51: nearest") << 11.49 << 19.51 << over << 20 << 11;
    QTest::addRow("entering at 6.2 / 14.7") << 6.2 << 14.7 << enter << 15 << 6;
    QTest::addRow("x = 27 leaving right: clamped to 24") << 27.0 << 20.0 << leave << 20 << 24;
    QTest::addRow("y = 33 leaving up: clamped to 32") << 6.0 << 33.0 << leave << 32 << 6;
    QTest::addRow("x = -3 leaving left: clamped to 0") << -3.0 << 20.0 << leave << 20 << 0;
    QTest::addRow("y = -1 far below: clamped to 0") << 6.0 << -1.0 << leave << 0 << 6;
    QTest::addRow("y = 7.4 just below: 7") << 6.0 << 7.4 << leave << 7 << 6;
    QTest::addRow("x = 24.6 / y = 32.6: 24 and 32") << 24.6 << 32.6 << leave << 32 << 24;
    QTest::addRow("far outside: 1e9 / -1e9") << 1e9 << -1e9 << leave << 0 << 24;
    QTest::addRow("x not a number: 0") << kNaN << 16.0 << leave << 16 << 0;
    QTest::addRow("y not a number: 0") << 6.0 << kNaN << leave << 0 << 6;
}

void TestPhaseDiagram::dragOverSetsStocks() {
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(int, state);
    QFETCH(int, prey);
    QFETCH(int, predators);
    rb::Form1& f = form();
    const float markerLeft = f.imgtarget->left();
    const float markerTop = f.imgtarget->top();

    emit f.picphase->dragOver(f.imgtarget, x, y, static_cast<DragState>(state));

    QCOMPARE(f.HScroll1->value(), prey);
    QCOMPARE(f.HScroll2->value(), predators);
    QCOMPARE(f.txtFisch1->text(), QString::number(prey));
    QCOMPARE(f.txtFisch2->text(), QString::number(predators));
    QCOMPARE(f.stock1, static_cast<double>(prey));
    QCOMPARE(f.stock2, static_cast<double>(predators));
    QCOMPARE(visibleFish(f.imgFisch1), prey);
    QCOMPARE(visibleFish(f.imgFisch2), predators);
    QVERIFY(showsFirst(f.imgFisch1, prey));
    QVERIFY(showsFirst(f.imgFisch2, predators));
    // The marker itself does not move while it is dragged.
    QCOMPARE(f.imgtarget->left(), markerLeft);
    QCOMPARE(f.imgtarget->top(), markerTop);
}

void TestPhaseDiagram::dragOverSetsPreyBeforePredators() {
    rb::Form1& f = form();
    QStringList order;
    QObject listening;
    connect(f.HScroll1, &rb::ScrollBar::change, &listening,
            [&] { order << QStringLiteral("prey %1").arg(f.stock1); });
    connect(f.HScroll2, &rb::ScrollBar::change, &listening,
            [&] { order << QStringLiteral("predators %1").arg(f.stock2); });
    emit f.picphase->dragOver(f.imgtarget, 9.0, 17.0, DragState::Over);
    // A pointer move that leaves a slider's rounded value as it is runs no handler for it.
    emit f.picphase->dragOver(f.imgtarget, 9.2, 18.0, DragState::Over);
    emit f.picphase->dragOver(f.imgtarget, 10.0, 18.3, DragState::Over);
    QCOMPARE(order, QStringList({QStringLiteral("prey 17"), QStringLiteral("predators 9"),
                                 QStringLiteral("prey 18"), QStringLiteral("predators 10")}));
}

void TestPhaseDiagram::dropPlacesMarker_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<float>("top");
    QTest::addRow("(10.3, 20.3): top 21") << 10.3 << 20.3 << 21.f;
    QTest::addRow("(12, 31.5): top 32") << 12.0 << 31.5 << 32.f;
    QTest::addRow("(0.2, 8.1): top 8") << 0.2 << 8.1 << 8.f;
    QTest::addRow("(23.9, 14.5): top 15") << 23.9 << 14.5 << 15.f;
}

void TestPhaseDiagram::dropPlacesMarker() {
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(float, top);
    rb::Form1& f = form();
    const double w = f.imgtarget->width();
    const double h = f.imgtarget->height();
    // The 27 x 26 pixel marker measures about 1.9 by 1.7 units, its height taken positive.
    QVERIFY(w > 1.8 && w < 1.95);
    QVERIFY(h > 1.6 && h < 1.8);

    emit f.picphase->dragDrop(f.imgtarget, x, y);

    QCOMPARE(f.imgtarget->left(), static_cast<float>(x - w / 2));
    QCOMPARE(f.imgtarget->top(), top);
    QVERIFY(f.imgtarget->isVisible());
    if (x == 10.3) {
        QVERIFY(std::fabs(f.imgtarget->left() - 9.35) < 0.02);
    }
}

void TestPhaseDiagram::dropKeepsStocksOfTheLastDragOver() {
    rb::Form1& f = form();
    emit f.picphase->dragOver(f.imgtarget, 12.5, 20.5, DragState::Over);
    QSignalSpy prey(f.HScroll1, &rb::ScrollBar::change);
    QSignalSpy predators(f.HScroll2, &rb::ScrollBar::change);

    emit f.picphase->dragDrop(f.imgtarget, 3.2, 30.3);

    QCOMPARE(prey.count(), 0);
    QCOMPARE(predators.count(), 0);
    QCOMPARE(rbtest::shownStocks(f), QStringLiteral("sliders 20 12, boxes 20 12, stocks 20 12"));
    QCOMPARE(f.imgtarget->top(), 31.f); // floor(30.3 + h / 2)
}

void TestPhaseDiagram::pressOnTheMarkerBeginsADrag_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addRow("left button") << Qt::LeftButton;
    QTest::addRow("right button") << Qt::RightButton;
    QTest::addRow("middle button") << Qt::MiddleButton;
}

void TestPhaseDiagram::pressOnTheMarkerBeginsADrag() {
    QFETCH(Qt::MouseButton, button);
    pressOnMarker(button);
    QVERIFY(rbtest::isDragging());
    QCOMPARE(rbtest::dragSource(), form().imgtarget);
    QVERIFY(form().imgtarget->isVisible());
    QVERIFY(rbtest::dragOutline());
    QCOMPARE(rbtest::dragOutline()->size(), form().imgtarget->pixelRect().size().toSize());
}

void TestPhaseDiagram::releaseOnTheMarkerMovesNothing() {
    rb::Form1& f = form();
    const float left = f.imgtarget->left();
    const float top = f.imgtarget->top();
    QSignalSpy prey(f.HScroll1, &rb::ScrollBar::change);
    QSignalSpy predators(f.HScroll2, &rb::ScrollBar::change);
    const QPoint centre = f.picphase->mapToGlobal(markerCentre());

    pressOnMarker();
    QVERIFY(rbtest::isDragging());
    rbtest::dragMoveTo(centre + QPoint(6, 5));
    rbtest::dragMoveTo(centre - QPoint(7, 6));
    rbtest::dragDropAt(centre + QPoint(2, -3));

    QVERIFY(!rbtest::isDragging());
    QCOMPARE(f.imgtarget->left(), left);
    QCOMPARE(f.imgtarget->top(), top);
    QCOMPARE(prey.count(), 0);
    QCOMPARE(predators.count(), 0);
    QCOMPARE(f.HScroll1->value(), 1);
    QCOMPARE(f.HScroll2->value(), 0);
}

void TestPhaseDiagram::dropOutsideTheDiagramLeavesTheMarker_data() {
    QTest::addColumn<QString>("where");
    QTest::addRow("on the clear button") << "button";
    QTest::addRow("on the aquarium") << "aquarium";
    QTest::addRow("below the diagram") << "below";
    QTest::addRow("outside the window") << "outside";
}

void TestPhaseDiagram::dropOutsideTheDiagramLeavesTheMarker() {
    QFETCH(QString, where);
    rb::Form1& f = form();
    const float left = f.imgtarget->left();
    const float top = f.imgtarget->top();
    QPoint outside;
    if (where == "button") {
        outside = f.Command4->mapToGlobal(f.Command4->rect().center());
    } else if (where == "aquarium") {
        outside = f.picAqua->mapToGlobal(QPoint(f.picAqua->width() - 40, 200));
    } else if (where == "below") {
        outside = f.picphase->mapToGlobal(QPoint(40, f.picphase->height() + 60));
    } else {
        outside = f.mapToGlobal(QPoint(-300, -300));
    }

    pressOnMarker();
    QVERIFY(rbtest::isDragging());
    const QPoint inside = globalAt(6.3, 14.2);
    rbtest::dragMoveTo(inside);
    QCOMPARE(f.HScroll1->value(), 14);
    QCOMPARE(f.HScroll2->value(), 6);
    // Leaving the diagram: the leave notification carries the point outside, clamped.
    rbtest::dragMoveTo(outside);
    const QPair<int, int> expected = preyAndPredatorsAt(outside);
    QCOMPARE(f.HScroll1->value(), expected.first);
    QCOMPARE(f.HScroll2->value(), expected.second);
    QSignalSpy prey(f.HScroll1, &rb::ScrollBar::change);
    QSignalSpy predators(f.HScroll2, &rb::ScrollBar::change);

    rbtest::dragDropAt(outside);

    QVERIFY(!rbtest::isDragging());
    QCOMPARE(f.imgtarget->left(), left);
    QCOMPARE(f.imgtarget->top(), top);
    QCOMPARE(prey.count(), 0);
    QCOMPARE(predators.count(), 0);
    QCOMPARE(f.HScroll1->value(), expected.first);
    QCOMPARE(f.HScroll2->value(), expected.second);
}

void TestPhaseDiagram::clearingLeavesMarkerStocksAndColour() {
    rb::Form1& f = form();
    emit f.picphase->dragOver(f.imgtarget, 9.0, 22.0, DragState::Over); // a start in view
    f.stopped = false;
    for (int k = 0; k < 4; ++k) {
        rb::GenerationTick(f); // trajectory in cyan and yellow, marker on the newest state
    }
    f.stopped = true;
    emit f.picphase->dragOver(f.imgtarget, 0.0, 8.0, DragState::Over);
    emit f.picphase->dragOver(f.imgtarget, 12.5, 20.5, DragState::Over);
    emit f.picphase->dragDrop(f.imgtarget, 10.3, 20.3);
    QVERIFY(f.picphase->canvas() != m_gridOnly);
    const QColor fore = f.picphase->foreColor();
    QCOMPARE(fore, rb::paletteColor(14)); // as the tick left it
    const Placement marker = placementOf(f.imgtarget);
    const Placement preyAxis = placementOf(f.bildfisch[3]);
    const Placement predatorAxis = placementOf(f.Image1[0]);
    QSignalSpy prey(f.HScroll1, &rb::ScrollBar::change);
    QSignalSpy predators(f.HScroll2, &rb::ScrollBar::change);

    QTest::mouseClick(f.Command4, Qt::LeftButton);

    QCOMPARE(f.picphase->canvas(), m_gridOnly);
    QCOMPARE(f.picphase->drawWidth(), 1);
    QCOMPARE(f.picphase->foreColor(), fore);
    QVERIFY(placementOf(f.imgtarget) == marker);
    QVERIFY(placementOf(f.bildfisch[3]) == preyAxis);
    QVERIFY(placementOf(f.Image1[0]) == predatorAxis);
    QVERIFY(f.Command4->isVisible());
    QCOMPARE(prey.count(), 0);
    QCOMPARE(predators.count(), 0);
    QCOMPARE(rbtest::shownStocks(f), QStringLiteral("sliders 20 12, boxes 20 12, stocks 20 12"));
    QCOMPARE(f.generation, 4LL);
    QVERIFY(f.stopped);
}

void TestPhaseDiagram::arrowKeysDropTheNextPoint_data() {
    QTest::addColumn<int>("fromPrey");
    QTest::addColumn<int>("fromPredators");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("prey");
    QTest::addColumn<int>("predators");
    QTest::addColumn<QString>("spoken");
    const int none = Qt::NoModifier;
    QTest::addRow("Up: a prey more")
        << 16 << 11 << int(Qt::Key_Up) << none << 17 << 11 << "17 Beutefische, 11 Räuber";
    QTest::addRow("Right: a predator more")
        << 16 << 11 << int(Qt::Key_Right) << none << 16 << 12 << "16 Beutefische, 12 Räuber";
    QTest::addRow("Up at the top edge")
        << 32 << 11 << int(Qt::Key_Up) << none << 32 << 11 << "32 Beutefische, 11 Räuber";
    QTest::addRow("Down at the bottom edge")
        << 8 << 11 << int(Qt::Key_Down) << none << 8 << 11 << "8 Beutefische, 11 Räuber";
    QTest::addRow("Right at the right edge")
        << 16 << 24 << int(Qt::Key_Right) << none << 16 << 24 << "16 Beutefische, 24 Räuber";
    QTest::addRow("Left at the left edge")
        << 16 << 0 << int(Qt::Key_Left) << none << 16 << 0 << "16 Beutefische, 0 Räuber";
    QTest::addRow("from below the diagram onto its edge")
        << 1 << 0 << int(Qt::Key_Up) << none << 8 << 0 << "8 Beutefische, 0 Räuber";
    QTest::addRow("Ctrl+Up is not a step")
        << 16 << 11 << int(Qt::Key_Up) << int(Qt::ControlModifier) << 16 << 11 << "";
    QTest::addRow("Page Up is not a step")
        << 16 << 11 << int(Qt::Key_PageUp) << none << 16 << 11 << "";
}

void TestPhaseDiagram::arrowKeysDropTheNextPoint() {
    QFETCH(int, fromPrey);
    QFETCH(int, fromPredators);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, prey);
    QFETCH(int, predators);
    QFETCH(QString, spoken);
    rb::Form1& f = form();
    emit f.picphase->dragOver(f.imgtarget, fromPredators, fromPrey, DragState::Over);
    const Placement before = placementOf(f.imgtarget);

    QTest::keyClick(f.picphase, static_cast<Qt::Key>(key),
                    static_cast<Qt::KeyboardModifiers>(modifiers));

    QCOMPARE(rbtest::shownStocks(f),
             QStringLiteral("sliders %1 %2, boxes %1 %2, stocks %1 %2").arg(prey).arg(predators));
    QCOMPARE(rbtest::announced(f), spoken);
    if (spoken.isEmpty()) {
        QVERIFY(placementOf(f.imgtarget) == before);
        return;
    }
    // Dropped on the point: centred across it, its top half its height above, rounded down.
    QCOMPARE(f.imgtarget->left(), static_cast<float>(predators - f.imgtarget->width() / 2));
    QCOMPARE(f.imgtarget->top(), static_cast<float>(prey));
    QVERIFY(f.imgtarget->isVisible());
}

void TestPhaseDiagram::arrowKeyLeavesTheOtherStockAsADropWould() {
    rb::Form1& f = form();
    emit f.picphase->dragOver(f.imgtarget, 12.0, 20.0, DragState::Over);
    rbtest::tick(f); // fractional stocks; the sliders show them rounded
    const double prey = f.stock1;
    QVERIFY(prey != std::round(prey));
    const int predators = f.HScroll2->value();

    QTest::keyClick(f.picphase, Qt::Key_Left);

    QCOMPARE(f.stock1, prey); // the prey slider did not change, so neither did the stock
    QCOMPARE(f.stock2, static_cast<double>(predators - 1));
}

QTEST_MAIN(TestPhaseDiagram)
#include "tst_phasediagram.moc"
