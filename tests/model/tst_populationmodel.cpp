// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/populationmodel.h"
#include "support/exact.h"

#include <QTest>

#include <cmath>
#include <limits>

using rb::GenerationResult;
using rb::ModelParameters;
using rb::NextGeneration;

Q_DECLARE_METATYPE(rb::ModelParameters)

namespace {

constexpr auto params = rbtest::modelParameters;

} // namespace

class TestPopulationModel : public QObject {
    Q_OBJECT

private slots:
    void step_data();
    void step();
    void thresholds_data();
    void thresholds();
    void displayedDigitsFollowTheOrderOfOperations();
    void isPure();
    void absurdParametersStayDefined();
};

void TestPopulationModel::step_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<ModelParameters>("p");
    QTest::addColumn<double>("newStock1");
    QTest::addColumn<double>("newStock2");
    QTest::addColumn<double>("eaten");

    const ModelParameters defaults = params(10, 32, 10, 10);
    QTest::addRow("start state") << 1.0 << 0.0 << defaults << 1.096875 << 0.0 << 0.0;
    QTest::addRow("20 prey, 5 predators")
        << 20.0 << 5.0 << defaults << 20.333333333333332 << 4.625 << 0.41666666666666669;
    QTest::addRow("full prey, p 0") << 32.0 << 0.0 << params(0, 32, 10, 10) << 32.0 << 0.0 << 0.0;
    QTest::addRow("full prey, p 100")
        << 32.0 << 0.0 << params(100, 32, 10, 10) << 32.0 << 0.0 << 0.0;
    QTest::addRow("no prey: predators -1 become 0") << 0.0 << 10.0 << defaults << 0.0 << 0.0 << 0.0;
    QTest::addRow("predators exactly 4.5")
        << 32.0 << 5.0 << params(10, 0, 10, 10) << 31.333333333333332 << 4.5 << 0.66666666666666663;
    QTest::addRow("predators 60 clamped to 24") << 32.0 << 20.0 << params(10, 100, 10, 0)
                                                << 29.333333333333332 << 24.0 << 2.6666666666666665;
    QTest::addRow("growth above capacity not clamped")
        << 24.0 << 0.0 << params(200, 32, 10, 10) << 36.0 << 0.0 << 0.0;
    QTest::addRow("largest slider values")
        << 32.0 << 24.0 << params(100, 100, 100, 100) << 0.0 << 24.0 << 32.0;
}

void TestPopulationModel::step() {
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(ModelParameters, p);
    QFETCH(double, newStock1);
    QFETCH(double, newStock2);
    QFETCH(double, eaten);

    const GenerationResult r = NextGeneration(x, y, p);
    COMPARE_EXACT(r.newStock1, newStock1);
    COMPARE_EXACT(r.newStock2, newStock2);
    COMPARE_EXACT(r.eaten, eaten);
}

void TestPopulationModel::thresholds_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<ModelParameters>("p");
    QTest::addColumn<double>("newStock1");
    QTest::addColumn<double>("newStock2");

    // p = 0 and no predators keep the prey stock as it is, so the threshold alone acts.
    QTest::addRow("prey 0.99 dies out") << 0.99 << 0.0 << params(0, 32, 0, 0) << 0.0 << 0.0;
    QTest::addRow("prey exactly 1 kept") << 1.0 << 0.0 << params(0, 32, 0, 0) << 1.0 << 0.0;
    // x = 32, W = 0: gain 32, so newStock2 = y - y * S / 100.
    QTest::addRow("predators exactly 1 kept") << 32.0 << 2.0 << params(0, 0, 0, 50) << 32.0 << 1.0;
    QTest::addRow("predators 0.99 die out") << 32.0 << 2.0 << params(0, 0, 0, 50.5) << 32.0 << 0.0;
    QTest::addRow("predators exactly 24 kept")
        << 32.0 << 24.0 << params(0, 0, 0, 0) << 32.0 << 24.0;
    QTest::addRow("predators 24.5 clamped") << 32.0 << 24.5 << params(0, 0, 0, 0) << 32.0 << 24.0;
    QTest::addRow("negative voracity feeds the prey")
        << 10.0 << 10.0 << params(0, 32, -24, 10) << 11.0 << 4.125;
}

void TestPopulationModel::thresholds() {
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(ModelParameters, p);
    QFETCH(double, newStock1);
    QFETCH(double, newStock2);

    const GenerationResult r = NextGeneration(x, y, p);
    COMPARE_EXACT(r.newStock1, newStock1);
    COMPARE_EXACT(r.newStock2, newStock2);
}

void TestPopulationModel::displayedDigitsFollowTheOrderOfOperations() {
    // The first generation after start-up shows 100 * 1.096875 rounded down.
    const GenerationResult r = NextGeneration(1, 0, params(10, 32, 10, 10));
    QCOMPARE(std::floor(100 * r.newStock1), 109.0);
    const GenerationResult s = NextGeneration(20, 5, params(10, 32, 10, 10));
    QCOMPARE(std::floor(100 * s.newStock1), 2033.0);
    QCOMPARE(std::floor(100 * s.newStock2), 462.0);
}

void TestPopulationModel::isPure() {
    const ModelParameters p = params(40, 60, 40, 10);
    const GenerationResult a = NextGeneration(17.25, 6.5, p);
    const GenerationResult b = NextGeneration(17.25, 6.5, p);
    COMPARE_EXACT(a.newStock1, b.newStock1);
    COMPARE_EXACT(a.newStock2, b.newStock2);
    COMPARE_EXACT(a.eaten, b.eaten);
}

void TestPopulationModel::absurdParametersStayDefined() {
    // Overflowing parameters give infinities or NaN but never trap; the predator clamp still
    // holds for +infinity.
    constexpr double huge = std::numeric_limits<double>::max();
    const GenerationResult r = NextGeneration(32, 24, params(huge, huge, huge, -huge));
    QCOMPARE(r.newStock2, 24.0);
    QVERIFY(!std::isfinite(r.eaten));
}

QTEST_APPLESS_MAIN(TestPopulationModel)
#include "tst_populationmodel.moc"
