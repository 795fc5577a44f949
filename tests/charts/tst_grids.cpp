// SPDX-License-Identifier: GPL-3.0-or-later
// The grids of both diagrams as start-up draws them into their persistent drawings: the lines,
// those on the edges, and nothing else.

#include "support/canvasprobe.h"
#include "support/formfixture.h"

#include <QTest>

#include <memory>

using namespace chartstest;

namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kGrid = qRgb(0, 0, 128); // palette colour 1

} // namespace

class TestGrids : public QObject {
    Q_OBJECT

private slots:
    void init() { m_loaded = rbtest::loadForm(7); }
    void cleanup() { m_loaded.reset(); }

    void gridLines_data();
    void gridLines();
    void gridLinesOnTheEdges_data();
    void gridLinesOnTheEdges();
    void gridIsTheOnlyDrawing_data();
    void gridIsTheOnlyDrawing();

private:
    const rb::PictureBox* diagram(const QString& name) const {
        return (*m_loaded)->findChild<rb::PictureBox*>(name);
    }

    std::unique_ptr<rbtest::LoadedForm> m_loaded;
};

void TestGrids::gridLines_data() {
    QTest::addColumn<QString>("diagram");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("step");
    QTest::addColumn<double>("across"); // the other coordinate of a point on each line
    QTest::addColumn<int>("count");
    // The time-series strip: lines span the whole strip.
    QTest::addRow("time series, horizontal: y = 0 to 100 in steps of 10")
        << "picDiagramm" << false << 0 << 100 << 10 << 0.0 << 11;
    QTest::addRow("time series, vertical: x = 0 to 800 in steps of 10")
        << "picDiagramm" << true << 0 << 800 << 10 << 0.0 << 81;
    // The phase diagram: vertical lines span y = 8..32 and horizontal ones x = 0..24.
    QTest::addRow("phase, vertical: x = 0 to 24 in steps of 4")
        << "picphase" << true << 0 << 24 << 4 << 20.0 << 7;
    QTest::addRow("phase, horizontal: y = 8 to 32 in steps of 4")
        << "picphase" << false << 8 << 32 << 4 << 12.0 << 7;
}

void TestGrids::gridLines() {
    QFETCH(QString, diagram);
    QFETCH(bool, vertical);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, step);
    QFETCH(double, across);
    QFETCH(int, count);
    checkGridLines(this->diagram(diagram), vertical, from, to, step, across, count, kGrid);
}

void TestGrids::gridLinesOnTheEdges_data() {
    QTest::addColumn<QString>("diagram");
    QTest::addColumn<QString>("edge");
    QTest::addRow("time series: y = 100 on the top row") << "picDiagramm"
                                                         << "top";
    QTest::addRow("time series: y = 0 on the bottom row") << "picDiagramm"
                                                          << "bottom";
    QTest::addRow("time series: x = 0 on the leftmost column") << "picDiagramm"
                                                               << "left";
    QTest::addRow("time series: x = 800 on the rightmost column") << "picDiagramm"
                                                                  << "right";
    QTest::addRow("phase: x = 24 on the rightmost column") << "picphase"
                                                           << "right";
    QTest::addRow("phase: y = 8 on the bottom row") << "picphase"
                                                    << "bottom";
    QTest::addRow("phase: x = 0 on the leftmost column") << "picphase"
                                                         << "left";
    QTest::addRow("phase: y = 32 on the top row") << "picphase"
                                                  << "top";
}

void TestGrids::gridLinesOnTheEdges() {
    QFETCH(QString, diagram);
    QFETCH(QString, edge);
    checkGridOnEdge(this->diagram(diagram)->canvas(), edge, kGrid);
}

void TestGrids::gridIsTheOnlyDrawing_data() {
    QTest::addColumn<QString>("diagram");
    QTest::addColumn<int>("drawWidth"); // what the grid leaves for the drawing after it
    QTest::addRow("time series") << "picDiagramm" << 3;
    QTest::addRow("phase") << "picphase" << 1;
}

void TestGrids::gridIsTheOnlyDrawing() {
    QFETCH(QString, diagram);
    QFETCH(int, drawWidth);
    // Grid colour and the black background only: nothing in the white foreground colour.
    const QImage& canvas = this->diagram(diagram)->canvas();
    QCOMPARE(pixelsOtherThan(canvas, kBlack, kGrid), 0);
    QVERIFY(pixelsOtherThan(canvas, kGrid, kGrid) > 0); // and not all lines
    QCOMPARE(this->diagram(diagram)->drawWidth(), drawWidth);
}

QTEST_MAIN(TestGrids)
#include "tst_grids.moc"
