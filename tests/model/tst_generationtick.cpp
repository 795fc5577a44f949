// SPDX-License-Identifier: GPL-3.0-or-later
// The generation tick through the real window: one generation computed from the parameter
// boxes and shown by every display in step (counter, feeding pictures, time-series segments
// and scrolling, phase trajectory and marker, stock texts, stock sliders, commits).

#include "charts/timeseries.h"
#include "model/generationtick.h"
#include "model/populationmodel.h"
#include "support/exact.h"
#include "support/formfixture.h"
#include "support/snapshot.h"
#include "window/form1.h"
#include "window/runtime/palette.h"
#include "window/runtime/random.h"

#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

using rbtest::drawsBetween;
using rbtest::modelParameters;
using rbtest::setSlider;
using rbtest::Snapshot;
using rbtest::tick;

struct Params {
    QString p = QStringLiteral("10");
    QString W = QStringLiteral("32");
    QString F = QStringLiteral("10");
    QString S = QStringLiteral("10");
};

// Types the four parameters into their boxes.
void typeParameters(rb::Form1& f, const Params& p) {
    f.txtF1p->setText(p.p);
    f.txtF2W->setText(p.W);
    f.txtF2fress->setText(p.F);
    f.txtF2sterb->setText(p.S);
}

void setStocks(rb::Form1& f, int prey, int predators) {
    setSlider(f.HScroll1, prey);
    setSlider(f.HScroll2, predators);
}

// The pixel whose centre a point of a picture box's coordinate system is drawn on.
QPoint drawPixel(const rb::PictureBox* box, double x, double y) {
    const QPointF p = box->scale().toDrawPixels(QPointF(x, y));
    return {static_cast<int>(std::floor(p.x() + 0.5)), static_cast<int>(std::floor(p.y() + 0.5))};
}

QColor pixelAt(const rb::PictureBox* box, QPoint p) {
    return box->canvas().pixelColor(p);
}

// The smallest rectangle holding every pixel in which two drawings differ.
QRect changedArea(const QImage& before, const QImage& after) {
    QRect area;
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            if (before.pixel(x, y) != after.pixel(x, y)) {
                area |= QRect(x, y, 1, 1);
            }
        }
    }
    return area;
}

// Rows from..to of one column as letters: Y yellow (14), B light blue (9), C cyan (3), '.' as
// before, '?' anything else. One line of it checks a stroke's place, colour and width.
QString column(const QImage& before, const QImage& after, int x, int from, int to) {
    QString letters;
    for (int y = from; y <= to; ++y) {
        const QColor c = after.pixelColor(x, y);
        letters += c == before.pixelColor(x, y) ? u'.'
                   : c == rb::paletteColor(14)  ? u'Y'
                   : c == rb::paletteColor(9)   ? u'B'
                   : c == rb::paletteColor(3)   ? u'C'
                                                : u'?';
    }
    return letters;
}

} // namespace

Q_DECLARE_METATYPE(Params)

class TestGenerationTick : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void stoppedTickChangesNothing_data();
    void stoppedTickChangesNothing();
    void timerRunsTheTickOnceStarted();
    void firstTickAfterStartUp();
    void twentyPreyFivePredators_data();
    void twentyPreyFivePredators();
    void stockSlidersRoundHalfToEven_data();
    void stockSlidersRoundHalfToEven();
    void feedingPicks_data();
    void feedingPicks();
    void headingCodeChoosesEatingPicture_data();
    void headingCodeChoosesEatingPicture();
    void parametersAreReadAfreshEachTick();
    void scrollingStartsAtGeneration241_data();
    void scrollingStartsAtGeneration241();
    void scrollStaysInRangeAtTheSlidersEnd_data();
    void scrollStaysInRangeAtTheSlidersEnd();
    void autoRestartAt800();
    void noRestartWithoutAuto_data();
    void noRestartWithoutAuto();
    void phaseTrajectoryAndMarker();
    void preySliderClampedAtItsEnd_data();
    void preySliderClampedAtItsEnd();
    void nonFiniteStockCountsAsDiedOut_data();
    void nonFiniteStockCountsAsDiedOut();
    void hugeStockTextsAreExactDigits_data();
    void hugeStockTextsAreExactDigits();

private:
    rb::Form1& form() { return **m_form; }
    void reload(std::uint64_t seed) {
        m_form.reset();
        m_form = rbtest::loadForm(seed);
    }

    std::unique_ptr<rbtest::LoadedForm> m_form;
};

void TestGenerationTick::init() {
    m_form = rbtest::loadForm(1);
}

void TestGenerationTick::cleanup() {
    m_form.reset();
}

void TestGenerationTick::stoppedTickChangesNothing_data() {
    QTest::addColumn<int>("ticksBefore");
    QTest::addRow("after start-up") << 0;
    QTest::addRow("after a run and a stop") << 7;
}

void TestGenerationTick::stoppedTickChangesNothing() {
    QFETCH(int, ticksBefore);
    rb::Form1& f = form();
    if (ticksBefore > 0) {
        setStocks(f, 20, 5);
        for (int k = 0; k < ticksBefore; ++k) {
            tick(f);
        }
    }
    f.stopped = true;
    const Snapshot before = Snapshot::of(f);
    const rb::Random randomBefore = rb::Random::shared();
    QSignalSpy changes1(f.HScroll1, &rb::ScrollBar::change);
    QSignalSpy changes2(f.HScroll2, &rb::ScrollBar::change);

    rb::GenerationTick(f);
    emit f.Timer1->timer(); // the way the timer delivers it
    rb::GenerationTick(f);

    const Snapshot after = Snapshot::of(f);
    QCOMPARE(after.text2, before.text2);
    QCOMPARE(after.generation, before.generation);
    COMPARE_EXACT(after.stock1, before.stock1);
    COMPARE_EXACT(after.stock2, before.stock2);
    QCOMPARE(after.stockText1, before.stockText1);
    QCOMPARE(after.stockText2, before.stockText2);
    QCOMPARE(after.hs1, before.hs1);
    QCOMPARE(after.hs2, before.hs2);
    QCOMPARE(after.hs4, before.hs4);
    QCOMPARE(after.marker, before.marker);
    QVERIFY(after.diagram == before.diagram);
    QVERIFY(after.phase == before.phase);
    QVERIFY(after.predatorPictures == before.predatorPictures);
    QVERIFY(after.aquariumOrder == before.aquariumOrder);
    QCOMPARE(changes1.count(), 0);
    QCOMPARE(changes2.count(), 0);
    QCOMPARE(drawsBetween(randomBefore, rb::Random::shared()), 0);
    if (ticksBefore == 0) {
        QCOMPARE(after.text2, QStringLiteral("Generation 0"));
    }
}

void TestGenerationTick::timerRunsTheTickOnceStarted() {
    rb::Form1& f = form();
    f.HScroll3->setValue(1); // 5 ms ticks
    QSignalSpy ticks(f.Timer1, &rb::Timer::timer);
    QVERIFY(ticks.wait(5000));
    QCOMPARE(f.generation, 0LL); // stopped: the ticks are idle
    f.stopped = false;
    QTRY_VERIFY(f.generation >= 2);
    f.stopped = true;
    const long long reached = f.generation;
    QCOMPARE(f.Text2->text(), QStringLiteral("Generation %1").arg(reached));
    QVERIFY(ticks.wait(5000));
    QCOMPARE(f.generation, reached);
}

void TestGenerationTick::firstTickAfterStartUp() {
    rb::Form1& f = form();
    QCOMPARE(f.HScroll1->value(), 1);
    QCOMPARE(f.HScroll2->value(), 0);
    QCOMPARE(f.picDiagramm->canvas().devicePixelRatio(), 1.0);
    const Snapshot before = Snapshot::of(f);
    const rb::Random randomBefore = rb::Random::shared();
    QSignalSpy changes1(f.HScroll1, &rb::ScrollBar::change);
    QSignalSpy changes2(f.HScroll2, &rb::ScrollBar::change);

    tick(f);

    QCOMPARE(f.Text2->text(), QStringLiteral("Generation 1"));
    QCOMPARE(f.generation, 1LL);
    QCOMPARE(f.txtFisch1Bestand->text(), QStringLiteral("109"));
    QCOMPARE(f.txtFisch2Bestand->text(), QStringLiteral("0"));
    QCOMPARE(f.HScroll1->value(), 1);
    QCOMPARE(f.HScroll2->value(), 0);
    QCOMPARE(changes1.count(), 0);
    QCOMPARE(changes2.count(), 0);
    QCOMPARE(f.txtFisch1->text(), QStringLiteral("1"));
    QCOMPARE(f.txtFisch2->text(), QStringLiteral("0"));
    COMPARE_EXACT(f.stock1, 1.096875);
    COMPARE_EXACT(f.stock2, 0.0);

    // No eating picture: nothing drawn from the random source, no picture or order changed.
    QCOMPARE(drawsBetween(randomBefore, rb::Random::shared()), 0);
    const Snapshot after = Snapshot::of(f);
    QVERIFY(after.predatorPictures == before.predatorPictures);
    QVERIFY(after.aquariumOrder == before.aquariumOrder);
    QVERIFY(after.visible == before.visible);

    const rb::PictureBox* d = f.picDiagramm;
    QCOMPARE(d->drawWidth(), 3);

    // Exactly these two segments, 3 pixels wide, and nothing else. The strip is 2137 x 267
    // pixels: generation g lies on column g * 2136 / 800, percent p on row (100 - p) * 2.66.
    // Yellow runs from row 257.7 (column 0) to row 256.9 (column 2.67), blue along row 266.
    QCOMPARE(changedArea(before.diagram, d->canvas()), QRect(QPoint(0, 256), QPoint(4, 266)));
    QCOMPARE(column(before.diagram, d->canvas(), 0, 255, 266), QStringLiteral("..YYY.....BB"));
    QCOMPARE(column(before.diagram, d->canvas(), 3, 255, 266), QStringLiteral(".YYY......BB"));

    // The new prey stock lies below the phase diagram's visible range: nothing shows there,
    // while the marker frames the new state.
    QVERIFY(after.phase == before.phase);
    QCOMPARE(f.imgtarget->left(), static_cast<float>(0.0 - 1));
    QCOMPARE(f.imgtarget->top(), static_cast<float>(1.096875 + 1));
    QCOMPARE(f.picDiagramm->left(), 0.f);
    QCOMPARE(f.HScroll4->value(), 0);
}

void TestGenerationTick::twentyPreyFivePredators_data() {
    QTest::addColumn<quint64>("seed");
    QTest::addColumn<int>("picked"); // floor(r * 4.625 + 1) of the seed's next draw
    const std::pair<quint64, int> rows[] = {{1, 3}, {2, 1}, {3, 2}, {17, 4}, {4242, 1}, {99991, 3}};
    for (const auto& [seed, picked] : rows) {
        QTest::addRow("seed %llu", static_cast<unsigned long long>(seed)) << seed << picked;
    }
}

void TestGenerationTick::twentyPreyFivePredators() {
    QFETCH(quint64, seed);
    QFETCH(int, picked);
    reload(seed);
    rb::Form1& f = form();
    setStocks(f, 20, 5);
    QCOMPARE(f.stock1, 20.0);
    QCOMPARE(f.stock2, 5.0);
    const Snapshot before = Snapshot::of(f);
    const rb::Random randomBefore = rb::Random::shared();

    tick(f);

    QCOMPARE(f.Text2->text(), QStringLiteral("Generation 1"));
    QCOMPARE(f.txtFisch1Bestand->text(), QStringLiteral("2033"));
    QCOMPARE(f.txtFisch2Bestand->text(), QStringLiteral("462"));
    QCOMPARE(f.HScroll1->value(), 20);
    QCOMPARE(f.HScroll2->value(), 5);
    COMPARE_EXACT(f.stock1, 20.333333333333332);
    COMPARE_EXACT(f.stock2, 4.625);

    // Exactly one pick, on a fish 1..5: it wears the eating picture facing right (heading
    // code "1" after start-up) and lies in front of everything else in the aquarium.
    QCOMPARE(drawsBetween(randomBefore, rb::Random::shared()), 1);
    const Snapshot after = Snapshot::of(f);
    const qint64 eating = f.imgfress[0]->picture().cacheKey();
    for (int k = 0; k <= 24; ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (k == picked) {
            QCOMPARE(after.predatorPictures[i], eating);
        } else {
            QCOMPARE(after.predatorPictures[i], before.predatorPictures[i]);
        }
    }
    std::vector<rb::LightControl*> order = before.aquariumOrder;
    rb::LightControl* eater = f.imgFisch2[static_cast<std::size_t>(picked)];
    order.erase(std::find(order.begin(), order.end(), eater));
    order.push_back(eater);
    QVERIFY(after.aquariumOrder == order);
    QVERIFY(f.imgfress[0]->picture().cacheKey() != f.imgfress[1]->picture().cacheKey());
    QVERIFY(!f.imgfress[0]->isVisible());
    QVERIFY(!f.imgfress[1]->isVisible());

    QCOMPARE(f.imgtarget->left(), static_cast<float>(4.625 - 1));
    QCOMPARE(f.imgtarget->top(), static_cast<float>(20.333333333333332 + 1));
}

void TestGenerationTick::stockSlidersRoundHalfToEven_data() {
    QTest::addColumn<int>("prey");
    QTest::addColumn<int>("predators");
    QTest::addColumn<Params>("params");
    QTest::addColumn<double>("newStock1");
    QTest::addColumn<double>("newStock2");
    QTest::addColumn<int>("slider1");
    QTest::addColumn<int>("slider2");
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("text2");

    const auto params = [](int p, int W, int F, int S) {
        return Params{QString::number(p), QString::number(W), QString::number(F),
                      QString::number(S)};
    };
    QTest::addRow("4.5 predators round down to 4")
        << 32 << 5 << params(10, 0, 10, 10) << 31.333333333333332 << 4.5 << 31 << 4
        << QStringLiteral("3133") << QStringLiteral("450");
    QTest::addRow("5.5 predators round up to 6")
        << 32 << 5 << params(10, 10, 10, 10) << 31.333333333333332 << 5.5 << 31 << 6
        << QStringLiteral("3133") << QStringLiteral("550");
    QTest::addRow("23.5 prey round up to 24")
        << 24 << 1 << params(0, 100, 50, 0) << 23.5 << 2.25 << 24 << 2 << QStringLiteral("2350")
        << QStringLiteral("225");
    QTest::addRow("22.5 prey round down to 22")
        << 24 << 2 << params(0, 100, 75, 0) << 22.5 << 4.5 << 22 << 4 << QStringLiteral("2250")
        << QStringLiteral("450");
    QTest::addRow("a predator stock of exactly 1 stays")
        << 32 << 1 << params(10, 0, 0, 0) << 32.0 << 1.0 << 32 << 1 << QStringLiteral("3200")
        << QStringLiteral("100");
    QTest::addRow("predators clamped at 24")
        << 32 << 20 << params(10, 100, 0, 0) << 32.0 << 24.0 << 32 << 24 << QStringLiteral("3200")
        << QStringLiteral("2400");
}

void TestGenerationTick::stockSlidersRoundHalfToEven() {
    QFETCH(int, prey);
    QFETCH(int, predators);
    QFETCH(Params, params);
    QFETCH(double, newStock1);
    QFETCH(double, newStock2);
    QFETCH(int, slider1);
    QFETCH(int, slider2);
    QFETCH(QString, text1);
    QFETCH(QString, text2);
    rb::Form1& f = form();
    setStocks(f, prey, predators);
    typeParameters(f, params);

    tick(f);

    QCOMPARE(f.HScroll1->value(), slider1);
    QCOMPARE(f.HScroll2->value(), slider2);
    QCOMPARE(f.txtFisch1->text(), QString::number(slider1));
    QCOMPARE(f.txtFisch2->text(), QString::number(slider2));
    QCOMPARE(f.txtFisch1Bestand->text(), text1);
    QCOMPARE(f.txtFisch2Bestand->text(), text2);
    // The commits after the sliders keep the unrounded stocks.
    COMPARE_EXACT(f.stock1, newStock1);
    COMPARE_EXACT(f.stock2, newStock2);
    for (int k = 1; k <= 24; ++k) {
        QCOMPARE(f.imgFisch2[static_cast<std::size_t>(k)]->isVisible(), k <= slider2);
    }
    for (int k = 1; k <= 32; ++k) {
        QCOMPARE(f.imgFisch1[static_cast<std::size_t>(k)]->isVisible(), k <= slider1);
    }
}

void TestGenerationTick::feedingPicks_data() {
    QTest::addColumn<int>("prey");
    QTest::addColumn<int>("predators");
    QTest::addColumn<Params>("params");
    QTest::addColumn<QList<int>>("fish");

    const auto voracity = [](int F, int S = 10) {
        Params p;
        p.F = QString::number(F);
        p.S = QString::number(S);
        return p;
    };
    // eaten = F * x * y / 2400, rounded half to even: n eaten give n + 1 picks, each the fish
    // floor(r * y' + 1) of the next draw r of the seeded source (y' the new predator stock),
    // fish 1 when no predator is left.
    QTest::addRow("nothing eaten: no pick") << 20 << 5 << voracity(0) << QList<int>{};
    QTest::addRow("no predators: no pick") << 20 << 0 << voracity(100) << QList<int>{};
    QTest::addRow("0.5 eaten rounds to 0: one pick") << 20 << 6 << voracity(10) << QList{4};
    QTest::addRow("1.5 eaten rounds to 2: three picks")
        << 30 << 12 << voracity(10) << QList{11, 2, 2};
    QTest::addRow("2.5 eaten rounds to 2: three picks")
        << 25 << 24 << voracity(10) << QList{15, 3, 3};
    QTest::addRow("3.5 eaten rounds to 4: five picks")
        << 28 << 15 << voracity(20) << QList{12, 2, 3, 5, 15};
    QTest::addRow("32 eaten: 33 picks")
        << 32 << 24 << voracity(100)
        << QList{15, 3,  3, 6,  17, 9, 12, 16, 16, 8,  6,  20, 18, 4,  19, 12, 7,
                 13, 12, 9, 13, 6,  7, 10, 3,  20, 21, 21, 2,  12, 18, 1,  22};
    QTest::addRow("all predators die: picks of fish 1")
        << 20 << 5 << voracity(100, 100) << QList{1, 1, 1, 1, 1};
    QTest::addRow("all predators die, one pick") << 16 << 3 << voracity(10, 90) << QList{1};
}

// Each pick puts the eating picture (facing right: every heading code is "1" after start-up)
// on its fish and brings that fish to the front, in the order of the picks.
void TestGenerationTick::feedingPicks() {
    QFETCH(int, prey);
    QFETCH(int, predators);
    QFETCH(Params, params);
    QFETCH(QList<int>, fish);
    rb::Form1& f = form();
    setStocks(f, prey, predators);
    typeParameters(f, params);
    const Snapshot before = Snapshot::of(f);
    const rb::Random randomBefore = rb::Random::shared();

    tick(f);

    QCOMPARE(drawsBetween(randomBefore, rb::Random::shared()), fish.size());
    const Snapshot after = Snapshot::of(f);
    const qint64 eating = f.imgfress[0]->picture().cacheKey();
    std::vector<rb::LightControl*> order = before.aquariumOrder;
    for (int j : fish) {
        rb::LightControl* eater = f.imgFisch2[static_cast<std::size_t>(j)];
        order.erase(std::find(order.begin(), order.end(), eater));
        order.push_back(eater);
    }
    for (int k = 0; k <= 24; ++k) {
        const auto i = static_cast<std::size_t>(k);
        QCOMPARE(after.predatorPictures[i], fish.contains(k) ? eating : before.predatorPictures[i]);
    }
    QVERIFY(after.aquariumOrder == order);
    QVERIFY(!f.imgfress[0]->isVisible());
    QVERIFY(!f.imgfress[1]->isVisible());
}

void TestGenerationTick::headingCodeChoosesEatingPicture_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("eatingPicture");
    QTest::addRow("left and up \"0\"") << QStringLiteral("0") << 1;
    QTest::addRow("right and up \"1\"") << QStringLiteral("1") << 0;
    QTest::addRow("left and down \"2\"") << QStringLiteral("2") << 1;
    QTest::addRow("right and down \"3\"") << QStringLiteral("3") << 0;
}

void TestGenerationTick::headingCodeChoosesEatingPicture() {
    QFETCH(QString, code);
    QFETCH(int, eatingPicture);
    rb::Form1& f = form();
    setStocks(f, 28, 15);
    typeParameters(f, {QStringLiteral("10"), QStringLiteral("32"), QStringLiteral("20"),
                       QStringLiteral("10")}); // five picks
    for (int k = 1; k <= 24; ++k) {
        f.imgFisch2[static_cast<std::size_t>(k)]->setTag(code);
    }
    const Snapshot before = Snapshot::of(f);

    tick(f);

    const qint64 wanted = f.imgfress[static_cast<std::size_t>(eatingPicture)]->picture().cacheKey();
    int changed = 0;
    for (int k = 1; k <= 24; ++k) {
        const qint64 now = f.imgFisch2[static_cast<std::size_t>(k)]->picture().cacheKey();
        if (now != before.predatorPictures[static_cast<std::size_t>(k)]) {
            QCOMPARE(now, wanted);
            ++changed;
        }
        QCOMPARE(f.imgFisch2[static_cast<std::size_t>(k)]->tag(), code); // the code stays
    }
    QVERIFY(changed >= 1);
}

void TestGenerationTick::parametersAreReadAfreshEachTick() {
    rb::Form1& f = form();
    setStocks(f, 20, 5);
    tick(f);
    const double x = f.stock1;
    const double y = f.stock2;
    // A spinner move and a typed text between two ticks count at the next generation.
    f.VScroll1->setValue(40);
    f.txtF2W->setText(QStringLiteral("60abc"));
    f.txtF2fress->setText(QStringLiteral(" 40.5e0x"));
    f.txtF2sterb->setText(QStringLiteral("kein Wert"));
    QCOMPARE(f.txtF1p->text(), QStringLiteral("40"));
    tick(f);
    const rb::GenerationResult r = rb::NextGeneration(x, y, modelParameters(40, 60, 40.5, 0));
    COMPARE_EXACT(f.stock1, r.newStock1);
    COMPARE_EXACT(f.stock2, r.newStock2);
    QCOMPARE(f.txtF2W->text(), QStringLiteral("60abc")); // the boxes are only read
}

void TestGenerationTick::scrollingStartsAtGeneration241_data() {
    QTest::addColumn<int>("ticks");
    QTest::addColumn<float>("left");
    QTest::addColumn<int>("scroll");
    QTest::addColumn<int>("scrollChanges"); // in the last tick
    QTest::addRow("generation 240 stands still") << 240 << 0.f << 0 << 0;
    QTest::addRow("generation 241 scrolls first") << 241 << -40.f << 40 << 1;
    QTest::addRow("generation 242") << 242 << -80.f << 80 << 1;
    QTest::addRow("generation 799, the last drawn") << 799 << -22360.f << 22360 << 1;
    QTest::addRow("generation 800 without auto") << 800 << -22360.f << 22360 << 0;
}

void TestGenerationTick::scrollingStartsAtGeneration241() {
    QFETCH(int, ticks);
    QFETCH(float, left);
    QFETCH(int, scroll);
    QFETCH(int, scrollChanges);
    rb::Form1& f = form();
    for (int k = 1; k < ticks; ++k) {
        tick(f);
    }
    QSignalSpy changes(f.HScroll4, &rb::ScrollBar::change);
    tick(f);
    QCOMPARE(f.generation, static_cast<long long>(ticks));
    QCOMPARE(f.picDiagramm->left(), left);
    QCOMPARE(f.HScroll4->value(), scroll);
    QCOMPARE(changes.count(), scrollChanges);
}

void TestGenerationTick::scrollStaysInRangeAtTheSlidersEnd_data() {
    QTest::addColumn<int>("scrollBefore");
    QTest::addColumn<int>("scrollAfter");
    QTest::addRow("29960 reaches the end") << 29960 << 30000;
    QTest::addRow("29980 stops at the end") << 29980 << 30000;
    QTest::addRow("30000 stays at the end") << 30000 << 30000;
    QTest::addRow("well inside") << 1000 << 1040;
}

void TestGenerationTick::scrollStaysInRangeAtTheSlidersEnd() {
    QFETCH(int, scrollBefore);
    QFETCH(int, scrollAfter);
    rb::Form1& f = form();
    f.generation = 300;                 // a scrolling generation
    f.HScroll4->setValue(scrollBefore); // the user scrolled
    QCOMPARE(f.picDiagramm->left(), static_cast<float>(-scrollBefore));
    tick(f);
    QCOMPARE(f.generation, 301LL);
    QCOMPARE(f.HScroll4->value(), scrollAfter);
    QVERIFY(f.HScroll4->value() >= f.HScroll4->min() && f.HScroll4->value() <= f.HScroll4->max());
    QCOMPARE(f.picDiagramm->left(), static_cast<float>(-scrollAfter));
    tick(f);
    QCOMPARE(f.HScroll4->value(), std::min(scrollAfter + 40, 30000));
    QCOMPARE(f.picDiagramm->left(), static_cast<float>(-f.HScroll4->value()));
}

void TestGenerationTick::autoRestartAt800() {
    rb::Form1& f = form();
    setStocks(f, 20, 5);
    f.Check1->setValue(1);
    for (int k = 1; k < 800; ++k) {
        tick(f);
    }
    QCOMPARE(f.generation, 799LL);
    QCOMPARE(f.HScroll4->value(), 22360);
    const double x = f.stock1;
    const double y = f.stock2;
    const rb::GenerationResult r = rb::NextGeneration(x, y, rb::ModelParameters{});

    tick(f);

    QCOMPARE(f.generation, 0LL);
    QCOMPARE(f.Text2->text(), QStringLiteral("Generation 800"));
    QCOMPARE(f.HScroll4->value(), 0);
    QCOMPARE(f.picDiagramm->left(), 0.f);
    COMPARE_EXACT(f.stock1, r.newStock1);
    // A cleared diagram with its grid (as at start-up) and the two segments from x = -1 to
    // x = 0 only, cut at the left edge: prey about 21.46 (67.1 %, row 87.6), predators about
    // 7.90 (32.9 %, row 178.4), 3 pixels wide.
    const QImage grid = rbtest::loadForm(1)->form->picDiagramm->canvas();
    QCOMPARE(changedArea(grid, f.picDiagramm->canvas()), QRect(QPoint(0, 87), QPoint(1, 179)));
    QCOMPARE(column(grid, f.picDiagramm->canvas(), 0, 86, 90), QStringLiteral(".YYY."));
    QCOMPARE(column(grid, f.picDiagramm->canvas(), 0, 176, 180), QStringLiteral(".BBB."));

    tick(f);
    QCOMPARE(f.generation, 1LL);
    QCOMPARE(f.Text2->text(), QStringLiteral("Generation 1"));
    QCOMPARE(f.HScroll4->value(), 0);
}

void TestGenerationTick::noRestartWithoutAuto_data() {
    QTest::addColumn<int>("check");
    QTest::addRow("unchecked") << 0;
    QTest::addRow("grey") << 2;
}

void TestGenerationTick::noRestartWithoutAuto() {
    QFETCH(int, check);
    rb::Form1& f = form();
    setStocks(f, 20, 5);
    f.Check1->setValue(check);
    QCOMPARE(f.Check1->value(), check);
    for (int k = 1; k < 800; ++k) {
        tick(f);
    }
    const QImage diagram = f.picDiagramm->canvas().copy();
    for (int g = 800; g <= 803; ++g) {
        const double x = f.stock1;
        const double y = f.stock2;
        const rb::GenerationResult r = rb::NextGeneration(x, y, rb::ModelParameters{});
        tick(f);
        QCOMPARE(f.generation, static_cast<long long>(g));
        QCOMPARE(f.Text2->text(), QStringLiteral("Generation %1").arg(g));
        QVERIFY(f.picDiagramm->canvas() == diagram);
        QCOMPARE(f.HScroll4->value(), 22360);
        QCOMPARE(f.picDiagramm->left(), -22360.f);
        // Everything else goes on.
        COMPARE_EXACT(f.stock1, r.newStock1);
        COMPARE_EXACT(f.stock2, r.newStock2);
        QCOMPARE(f.imgtarget->top(), static_cast<float>(r.newStock1 + 1));
        QCOMPARE(f.txtFisch1Bestand->text(),
                 QString::number(static_cast<qlonglong>(std::floor(100 * r.newStock1))));
    }
}

void TestGenerationTick::phaseTrajectoryAndMarker() {
    rb::Form1& f = form();
    rb::PictureBox* d = f.picphase;
    QCOMPARE(d->canvas().devicePixelRatio(), 1.0);
    // The grid leaves width 1; the colour is still the box's own white.
    QCOMPARE(d->drawWidth(), 1);
    QCOMPARE(d->foreColor(), QColor(Qt::white));
    setStocks(f, 20, 10);
    typeParameters(f, {QStringLiteral("10"), QStringLiteral("100"), QStringLiteral("10"),
                       QStringLiteral("10")});
    const rb::GenerationResult r1 = rb::NextGeneration(20, 10, modelParameters(10, 100, 10, 10));
    QCOMPARE(r1.newStock2, 17.75);
    const QImage grid = d->canvas().copy();

    tick(f);

    QCOMPARE(d->drawWidth(), 4);
    QCOMPARE(d->foreColor(), rb::paletteColor(14));
    QCOMPARE(f.imgtarget->left(), static_cast<float>(r1.newStock2 - 1));
    QCOMPARE(f.imgtarget->top(), static_cast<float>(r1.newStock1 + 1));
    const QColor yellow = rb::paletteColor(14);
    const QPoint from = drawPixel(d, 10, 20);
    const QPoint to = drawPixel(d, r1.newStock2, r1.newStock1);
    // Thick dots: the neighbours of each centre are yellow too.
    for (const QPoint c : {from, to}) {
        for (const QPoint n : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            QCOMPARE(pixelAt(d, c + n), yellow);
        }
    }
    // Exactly this drawing: the box is 347 x 363 pixels, a predator on column 346 / 24 per
    // fish, prey on row 362 / 24 per fish below 32. Dots about 4 pixels wide at (144.2, 181)
    // and (255.9, 182.3), a one-pixel cyan line between (column 200), nothing else.
    QCOMPARE(changedArea(grid, d->canvas()), QRect(QPoint(143, 180), QPoint(257, 184)));
    QCOMPARE(column(grid, d->canvas(), 144, 179, 183), QStringLiteral(".YYY."));
    QCOMPARE(column(grid, d->canvas(), 200, 180, 184), QStringLiteral("..C.."));
    QCOMPARE(column(grid, d->canvas(), 256, 180, 185), QStringLiteral(".YYYY."));
    const QImage one = d->canvas().copy();

    // The next tick goes on from the unrounded state (19.2 prey, 24 predators: the right
    // edge, row 193.3): a cyan line from the last dot, which is drawn again over its start,
    // and a new dot cut at the edge.
    const rb::GenerationResult r2 =
        rb::NextGeneration(r1.newStock1, r1.newStock2, modelParameters(10, 100, 10, 10));
    QCOMPARE(r2.newStock2, 24.0);
    tick(f);
    QCOMPARE(changedArea(one, d->canvas()), QRect(QPoint(258, 183), QPoint(346, 195)));
    QCOMPARE(column(grid, d->canvas(), 256, 180, 185), QStringLiteral(".YYYY."));
    QCOMPARE(column(one, d->canvas(), 300, 187, 189), QStringLiteral(".C."));
    QCOMPARE(column(one, d->canvas(), 346, 191, 196), QStringLiteral(".YYYY."));
    QCOMPARE(f.imgtarget->left(), static_cast<float>(r2.newStock2 - 1));
    QCOMPARE(f.imgtarget->top(), static_cast<float>(r2.newStock1 + 1));
}

void TestGenerationTick::preySliderClampedAtItsEnd_data() {
    QTest::addColumn<int>("prey");
    QTest::addColumn<int>("predators");
    QTest::addColumn<Params>("params");
    QTest::addColumn<double>("newStock1");
    QTest::addColumn<QString>("text1");
    QTest::addRow("growth rate 200") << 24 << 0
                                     << Params{QStringLiteral("200"), QStringLiteral("32"),
                                               QStringLiteral("10"), QStringLiteral("10")}
                                     << 36.0 << QStringLiteral("3600");
    QTest::addRow("negative voracity")
        << 30 << 24
        << Params{QStringLiteral("10"), QStringLiteral("32"), QStringLiteral("-100"),
                  QStringLiteral("10")}
        << rb::NextGeneration(30, 24, modelParameters(10, 32, -100, 10)).newStock1
        << QStringLiteral("6018");
    QTest::addRow("33 prey, one above the end")
        << 24 << 0
        << Params{QStringLiteral("150"), QStringLiteral("0"), QStringLiteral("0"),
                  QStringLiteral("0")}
        << 33.0 << QStringLiteral("3300");
}

void TestGenerationTick::preySliderClampedAtItsEnd() {
    QFETCH(int, prey);
    QFETCH(int, predators);
    QFETCH(Params, params);
    QFETCH(double, newStock1);
    QFETCH(QString, text1);
    rb::Form1& f = form();
    setStocks(f, prey, predators);
    typeParameters(f, params);
    tick(f);
    QCOMPARE(f.HScroll1->value(), 32);
    QCOMPARE(f.txtFisch1->text(), QStringLiteral("32"));
    QCOMPARE(f.txtFisch1Bestand->text(), text1);
    COMPARE_EXACT(f.stock1, newStock1);
    for (int k = 1; k <= 32; ++k) {
        QVERIFY(f.imgFisch1[static_cast<std::size_t>(k)]->isVisible());
    }
}

void TestGenerationTick::nonFiniteStockCountsAsDiedOut_data() {
    QTest::addColumn<int>("prey");
    QTest::addColumn<int>("predators");
    QTest::addColumn<Params>("params");
    QTest::addColumn<double>("newStock1");
    QTest::addColumn<double>("newStock2");
    const QString inf = QStringLiteral("1e999");
    const QString d = QStringLiteral("10");
    QTest::addRow("infinite growth rate: prey")
        << 20 << 5 << Params{inf, QStringLiteral("32"), d, d} << 0.0 << 4.625;
    QTest::addRow("infinite growth and voracity: not a number")
        << 20 << 5 << Params{inf, QStringLiteral("32"), inf, d} << 0.0 << 4.625;
    QTest::addRow("infinite growth on no prey: not a number")
        << 0 << 5 << Params{inf, QStringLiteral("32"), d, d} << 0.0 << 0.0;
    QTest::addRow("infinite death rate on no predators: not a number")
        << 20 << 0 << Params{d, QStringLiteral("32"), d, inf}
        << rb::NextGeneration(20, 0, rb::ModelParameters{}).newStock1 << 0.0;
    QTest::addRow("infinite reproduction and death: not a number")
        << 20 << 5 << Params{d, inf, d, inf} << 20.333333333333332 << 0.0;
}

void TestGenerationTick::nonFiniteStockCountsAsDiedOut() {
    QFETCH(int, prey);
    QFETCH(int, predators);
    QFETCH(Params, params);
    QFETCH(double, newStock1);
    QFETCH(double, newStock2);
    rb::Form1& f = form();
    setStocks(f, prey, predators);
    typeParameters(f, params);
    tick(f);
    COMPARE_EXACT(f.stock1, newStock1);
    COMPARE_EXACT(f.stock2, newStock2);
    QVERIFY(std::isfinite(f.imgtarget->left()) && std::isfinite(f.imgtarget->top()));
    QCOMPARE(f.HScroll1->value(), static_cast<int>(std::nearbyint(newStock1)));
    QCOMPARE(f.HScroll2->value(), static_cast<int>(std::nearbyint(newStock2)));
    QCOMPARE(f.txtFisch1Bestand->text(),
             QString::number(static_cast<qlonglong>(std::floor(100 * newStock1))));
    QCOMPARE(f.txtFisch2Bestand->text(),
             QString::number(static_cast<qlonglong>(std::floor(100 * newStock2))));
    // The next generation goes on from the died-out stock.
    tick(f);
    QVERIFY(std::isfinite(f.stock1) && std::isfinite(f.stock2));
    QCOMPARE(f.generation, 2LL);
}

void TestGenerationTick::hugeStockTextsAreExactDigits_data() {
    QTest::addColumn<int>("prey");
    QTest::addColumn<QString>("growthRate");
    QTest::addColumn<QString>("text1");

    // 100 * stock still a double: its digits exactly.
    const double a = rb::NextGeneration(1, 0, modelParameters(1e300, 0, 0, 0)).newStock1;
    QTest::addRow("1e300 from one prey")
        << 1 << QStringLiteral("1e300") << QString::asprintf("%.0f", std::floor(100 * a));
    // 100 * stock beyond the doubles: the stock's digits followed by two zeros.
    const double b = rb::NextGeneration(16, 0, modelParameters(1e308, 0, 0, 0)).newStock1;
    QTest::addRow("1e308 from 16 prey")
        << 16 << QStringLiteral("1e308") << QString::asprintf("%.0f", b) + QStringLiteral("00");
    QTest::addRow("above the whole-number range of 64 bits")
        << 1 << QStringLiteral("1e20") << QStringLiteral("96875000000000000000");
}

void TestGenerationTick::hugeStockTextsAreExactDigits() {
    QFETCH(int, prey);
    QFETCH(QString, growthRate);
    QFETCH(QString, text1);
    rb::Form1& f = form();
    setStocks(f, prey, 0);
    typeParameters(f, {growthRate, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")});
    tick(f);
    QCOMPARE(f.txtFisch1Bestand->text(), text1);
    QCOMPARE(f.txtFisch2Bestand->text(), QStringLiteral("0"));
    QCOMPARE(f.HScroll1->value(), 32);
    // The marker stays a finite place, far above the diagram.
    QVERIFY(std::isfinite(f.imgtarget->top()));
    QVERIFY(f.imgtarget->top() > 1000.f);
    QCOMPARE(f.imgtarget->left(), -1.f);
}

QTEST_MAIN(TestGenerationTick)
#include "tst_generationtick.moc"
