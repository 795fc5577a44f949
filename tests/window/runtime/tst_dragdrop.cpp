// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/drag.h"
#include "window/runtime/button.h"
#include "window/runtime/dragdrop.h"
#include "window/runtime/form.h"
#include "window/runtime/image.h"
#include "window/runtime/picturebox.h"
#include "window/runtime/userscale.h"

#include <QCursor>
#include <QSignalSpy>
#include <QTest>

using rb::DragState;

namespace {

struct Event {
    QString kind;
    double x;
    double y;
    DragState state;
};

} // namespace

class TestDragDrop : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void overAndDropInTheTargetsUnits();
    void enterOverLeaveSequence();
    void childControlsAndOtherWidgetsIgnoreTheDrag_data();
    void childControlsAndOtherWidgetsIgnoreTheDrag();
    void outlineFollowsThePointer();
    void outlineIsTwoDesignPixelsWide_data();
    void outlineIsTwoDesignPixelsWide();
    void realMouseEventsDriveTheDrag();
    void endingTheProgramCancelsADrag();

private:
    QPoint global(QPointF diagramPixel) const {
        return m_diagram->mapToGlobal(diagramPixel.toPoint());
    }

    rb::Form* m_form = nullptr;
    rb::PictureBox* m_diagram = nullptr;
    rb::Image* m_marker = nullptr;
    rb::Button* m_button = nullptr;
    QList<Event> m_events;
};

void TestDragDrop::init() {
    m_form = new rb::Form(QStringLiteral("Form1"));
    m_form->setEndHook([] {});
    m_form->setClientSizeTwips(9000, 7500);
    m_diagram = new rb::PictureBox(m_form->client(), QStringLiteral("picphase"));
    m_diagram->setFrameLine(true);
    m_diagram->setGeometry(100, 50, 349, 365); // inner 347 x 363
    m_diagram->setScale(0, 32, 24, 8);
    QPixmap cross(27, 26);
    cross.fill(Qt::white);
    m_marker = new rb::Image(m_diagram, QStringLiteral("imgtarget"));
    m_marker->setPicture(cross);
    m_marker->move(10.f, 28.f);
    m_button = new rb::Button(m_diagram, QStringLiteral("Command4"));
    m_diagram->placeTwips(m_button, {4800, 0, 375, 315});
    connect(m_marker, &rb::Image::mouseDown, m_marker, &rb::Image::drag);
    connect(m_diagram, &rb::Container::dragOver, this,
            [this](QObject*, double x, double y, DragState s) {
                m_events.append({QStringLiteral("over"), x, y, s});
            });
    connect(m_diagram, &rb::Container::dragDrop, this, [this](QObject* source, double x, double y) {
        QCOMPARE(source, m_marker);
        m_events.append({QStringLiteral("drop"), x, y, DragState::Over});
    });
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
    m_events.clear();
}

void TestDragDrop::cleanup() {
    rbtest::cancelDrags();
    delete m_form;
    m_form = nullptr;
}

void TestDragDrop::overAndDropInTheTargetsUnits() {
    m_marker->drag();
    QVERIFY(rbtest::isDragging());
    m_events.clear();
    const QPointF inner = m_diagram->innerRect().topLeft();
    // Pixel (173.5, 181.5) of the inner area is (12, 20) in diagram units.
    const QPointF at = inner + QPointF(173.5 / 347 * 347, 181.5);
    rbtest::dragMoveTo(global(at));
    QVERIFY(!m_events.isEmpty());
    const Event over = m_events.last();
    QCOMPARE(over.kind, QStringLiteral("over"));
    QVERIFY(std::fabs(over.x - 12.0) < 0.1);
    QVERIFY(std::fabs(over.y - 20.0) < 0.1);
    rbtest::dragDropAt(global(at));
    QCOMPARE(m_events.last().kind, QStringLiteral("drop"));
    QVERIFY(std::fabs(m_events.last().x - over.x) < 1e-9);
    QVERIFY(!rbtest::isDragging());
    // The release of the press that began the drag is a drop, not a click.
    QSignalSpy clicks(m_marker, &rb::Image::click);
    m_marker->mouseRelease(true);
    QCOMPARE(clicks.count(), 0);
}

void TestDragDrop::enterOverLeaveSequence() {
    m_marker->drag();
    m_events.clear();
    const QPointF inner = m_diagram->innerRect().topLeft();
    rbtest::dragMoveTo(global(inner + QPointF(50, 300)));
    rbtest::dragMoveTo(global(inner + QPointF(60, 300)));
    rbtest::dragMoveTo(m_form->client()->mapToGlobal(QPoint(20, 20))); // outside
    rbtest::dragMoveTo(m_form->client()->mapToGlobal(QPoint(30, 20)));
    QCOMPARE(m_events.size(), 3);
    QCOMPARE(m_events.at(0).state, DragState::Enter);
    QCOMPARE(m_events.at(1).state, DragState::Over);
    QCOMPARE(m_events.at(2).state, DragState::Leave);
    // The leave notification carries the point that has left the diagram.
    QVERIFY(m_events.at(2).x < 0);
    rbtest::dragDropAt(m_form->client()->mapToGlobal(QPoint(30, 20)));
    QCOMPARE(m_events.size(), 3); // a drop outside does nothing
}

void TestDragDrop::childControlsAndOtherWidgetsIgnoreTheDrag_data() {
    QTest::addColumn<QString>("where");
    QTest::addRow("over the marker itself") << "marker";
    QTest::addRow("over the clear button") << "button";
    QTest::addRow("outside the window") << "outside";
}

void TestDragDrop::childControlsAndOtherWidgetsIgnoreTheDrag() {
    QFETCH(QString, where);
    QPoint at;
    if (where == "marker") {
        at = m_diagram->mapToGlobal(m_marker->pixelRect().center().toPoint());
    } else if (where == "button") {
        at = m_button->mapToGlobal(m_button->rect().center());
    } else {
        at = m_form->mapToGlobal(QPoint(-200, -200));
    }
    m_marker->drag();
    m_events.clear();
    rbtest::dragMoveTo(at);
    rbtest::dragDropAt(at);
    QVERIFY2(m_events.isEmpty(), qPrintable(where));
}

void TestDragDrop::outlineFollowsThePointer() {
    m_marker->drag();
    QWidget* outline = rbtest::dragOutline();
    QVERIFY(outline);
    QVERIFY(outline->isVisible());
    QCOMPARE(outline->size(), QSize(27, 26));
    const QPoint p1 = global(QPointF(100, 100));
    rbtest::dragMoveTo(p1);
    const QPoint first = outline->pos();
    rbtest::dragMoveTo(p1 + QPoint(15, 7));
    QCOMPARE(outline->pos(), first + QPoint(15, 7));
    // The marker itself stays where it is during the drag.
    QCOMPARE(m_marker->left(), 10.f);
    rbtest::dragDropAt(p1);
    QVERIFY(rbtest::dragOutline() == nullptr);
}

void TestDragDrop::outlineIsTwoDesignPixelsWide_data() {
    QTest::addColumn<double>("zoom");
    QTest::addColumn<int>("width"); // in device pixels, along the diagonal from the corner
    QTest::newRow("100 %") << 1.0 << 2;
    QTest::newRow("200 %") << 2.0 << 4;
    QTest::newRow("50 %, never thinner than a pixel") << 0.5 << 1;
}

void TestDragDrop::outlineIsTwoDesignPixelsWide() {
    QFETCH(double, zoom);
    QFETCH(int, width);
    m_marker->drag();
    rb::setFormZoom(zoom);
    QImage drawn(rbtest::dragOutline()->size(), QImage::Format_ARGB32);
    drawn.fill(Qt::transparent);
    rbtest::dragOutline()->render(&drawn, QPoint(), QRegion(), QWidget::DrawChildren);
    rb::setFormZoom(1.0);
    QString corner; // '#' drawn, '.' clear, along the diagonal
    for (int k = 0; k <= width; ++k) {
        corner += qAlpha(drawn.pixel(k, k)) == 255 ? u'#' : u'.';
    }
    QCOMPARE(corner, QString(width, u'#') + u'.');
}

void TestDragDrop::realMouseEventsDriveTheDrag() {
    const QPoint onMarker = m_marker->pixelRect().center().toPoint();
    QTest::mousePress(m_diagram, Qt::LeftButton, {}, onMarker);
    QVERIFY(rbtest::isDragging());
    m_events.clear();
    const QPoint target = m_diagram->innerRect().topLeft() + QPoint(200, 250);
    QTest::mouseMove(m_diagram, target);
    QVERIFY(!m_events.isEmpty());
    QTest::mouseRelease(m_diagram, Qt::LeftButton, {}, target);
    QVERIFY(!rbtest::isDragging());
    QCOMPARE(m_events.last().kind, QStringLiteral("drop"));
    QVERIFY(std::fabs(m_events.last().x - 200.0 / 347 * 24) < 0.1);
}

void TestDragDrop::endingTheProgramCancelsADrag() {
    m_marker->drag();
    m_form->endProgram();
    QVERIFY(!rbtest::isDragging());
}

QTEST_MAIN(TestDragDrop)
#include "tst_dragdrop.moc"
