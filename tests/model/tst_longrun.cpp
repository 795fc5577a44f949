// SPDX-License-Identifier: GPL-3.0-or-later
// Long runs of the generation tick through the real window: thousands of generations of every
// preset agree to the last bit with the population model run on its own, and absurd typed
// parameters never crash, hang or push a control out of its range.

#include "control/parameters.h"
#include "model/generationtick.h"
#include "model/populationmodel.h"
#include "support/exact.h"
#include "support/formfixture.h"
#include "support/invariants.h"
#include "window/form1.h"
#include "window/runtime/random.h"

#include <QAction>
#include <QRegularExpression>
#include <QTest>

#include <bit>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

using rbtest::drawsBetween;
using rbtest::inRange;
using rbtest::sameBits;
using rbtest::setSlider;
using rbtest::tick;

// 100 * stock rounded down as plain digits (stocks in the model's range).
QString stockText(double stock) {
    return QString::number(static_cast<qlonglong>(std::floor(100 * stock)));
}

// A slider position: the stock rounded to the nearest whole number, halves to even.
int sliderFor(double stock) {
    return static_cast<int>(std::nearbyint(stock));
}

int visibleFish(const auto& fish) {
    int n = 0;
    for (std::size_t k = 1; k < fish.size(); ++k) {
        n += fish[k]->isVisible() ? 1 : 0;
    }
    return n;
}

QString describe(const char* what, long long generation, double actual, double expected) {
    return QStringLiteral("%1 in generation %2: %3, expected %4")
        .arg(QLatin1String(what))
        .arg(generation)
        .arg(actual, 0, 'g', 17)
        .arg(expected, 0, 'g', 17);
}

struct Start {
    int prey;
    int predators;
};

} // namespace

Q_DECLARE_METATYPE(rb::Preset)

class TestLongRun : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void presetAgreesWithTheModel_data();
    void presetAgreesWithTheModel();
    void absurdParameters_data();
    void absurdParameters();

private:
    std::unique_ptr<rbtest::LoadedForm> m_form;
};

void TestLongRun::init() {
    m_form = rbtest::loadForm(7);
}

void TestLongRun::cleanup() {
    m_form.reset();
}

void TestLongRun::presetAgreesWithTheModel_data() {
    QTest::addColumn<int>("entry"); // 0..3: the preset menu entries in menu order
    QTest::addColumn<rb::Preset>("preset");
    QTest::addColumn<int>("prey");
    QTest::addColumn<int>("predators");
    QTest::addColumn<bool>("autoRestart");

    const struct {
        const char* name;
        rb::Preset preset;
    } presets[] = {{"large cycle", rb::kLargeCycle},
                   {"small cycle", rb::kSmallCycle},
                   {"fixed point", rb::kFixedPoint},
                   {"unstable", rb::kUnstable}};
    const Start starts[] = {{20, 5}, {32, 24}, {3, 17}};
    int entry = 0;
    for (const auto& p : presets) {
        bool autoRestart = (entry % 2) == 0;
        for (const Start& s : starts) {
            QTest::addRow("%s from %d and %d%s", p.name, s.prey, s.predators,
                          autoRestart ? ", auto" : "")
                << entry << p.preset << s.prey << s.predators << autoRestart;
            autoRestart = !autoRestart;
        }
        ++entry;
    }
}

void TestLongRun::presetAgreesWithTheModel() {
    QFETCH(int, entry);
    QFETCH(rb::Preset, preset);
    QFETCH(int, prey);
    QFETCH(int, predators);
    QFETCH(bool, autoRestart);
    rb::Form1& f = **m_form;
    QAction* entries[] = {f.cmdZyk, f.cmdKleinZyklus, f.cmdfix, f.cmdlabil};
    entries[entry]->trigger();
    QCOMPARE(f.txtF1p->text(), QString::number(preset.growthRate));
    QCOMPARE(f.txtF2W->text(), QString::number(preset.propFactor));
    QCOMPARE(f.txtF2fress->text(), QString::number(preset.voracity));
    QCOMPARE(f.txtF2sterb->text(), QString::number(preset.deathRate));
    setSlider(f.HScroll1, prey);
    setSlider(f.HScroll2, predators);
    f.Check1->setValue(autoRestart ? 1 : 0);

    rb::ModelParameters p;
    p.growthRate = preset.growthRate;
    p.propFactor = preset.propFactor;
    p.voracity = preset.voracity;
    p.deathRate = preset.deathRate;
    double x = prey;
    double y = predators;
    long long counter = 0;
    constexpr int kGenerations = 10000;
    for (int g = 1; g <= kGenerations; ++g) {
        const rb::GenerationResult r = rb::NextGeneration(x, y, p);
        x = r.newStock1;
        y = r.newStock2;
        ++counter;
        const long long shown = counter;
        if (autoRestart && counter >= 800) {
            counter = 0;
        }

        tick(f);

        // Checked without QCOMPARE's per-call cost; a message names the first difference.
        if (!sameBits(f.stock1, x)) {
            QFAIL(qPrintable(describe("prey stock", g, f.stock1, x)));
        }
        if (!sameBits(f.stock2, y)) {
            QFAIL(qPrintable(describe("predator stock", g, f.stock2, y)));
        }
        if (f.generation != counter ||
            f.Text2->text() != QStringLiteral("Generation %1").arg(shown)) {
            QFAIL(qPrintable(QStringLiteral("generation %1: counter %2, text \"%3\"")
                                 .arg(g)
                                 .arg(f.generation)
                                 .arg(f.Text2->text())));
        }
        if (f.txtFisch1Bestand->text() != stockText(x) ||
            f.txtFisch2Bestand->text() != stockText(y)) {
            QFAIL(qPrintable(QStringLiteral("generation %1: stock texts \"%2\" and \"%3\", "
                                            "expected \"%4\" and \"%5\"")
                                 .arg(g)
                                 .arg(f.txtFisch1Bestand->text(), f.txtFisch2Bestand->text(),
                                      stockText(x), stockText(y))));
        }
        const int s1 = sliderFor(x);
        const int s2 = sliderFor(y);
        if (f.HScroll1->value() != s1 || f.HScroll2->value() != s2 ||
            f.txtFisch1->text() != QString::number(s1) ||
            f.txtFisch2->text() != QString::number(s2)) {
            QFAIL(qPrintable(QStringLiteral("generation %1: sliders %2 and %3, expected %4 and %5")
                                 .arg(g)
                                 .arg(f.HScroll1->value())
                                 .arg(f.HScroll2->value())
                                 .arg(s1)
                                 .arg(s2)));
        }
        if (g % 97 == 0) { // the aquarium shows the sliders' numbers of fish
            QCOMPARE(visibleFish(f.imgFisch1), s1);
            QCOMPARE(visibleFish(f.imgFisch2), s2);
            QCOMPARE(f.imgtarget->left(), static_cast<float>(y - 1));
            QCOMPARE(f.imgtarget->top(), static_cast<float>(x + 1));
        }
    }
    if (!autoRestart) {
        QCOMPARE(f.HScroll4->value(), 22360);
    }
}

void TestLongRun::absurdParameters_data() {
    QTest::addColumn<int>("box"); // 0 growth rate, 1 proportionality factor, 2 voracity, 3 death
    QTest::addColumn<QString>("text");

    const char* boxes[] = {"txtF1p", "txtF2W", "txtF2fress", "txtF2sterb"};
    const QString values[] = {QStringLiteral("1e308"), QStringLiteral("-1e308"),
                              QStringLiteral("1e999"), QStringLiteral("nan"),
                              QStringLiteral("inf"),   QStringLiteral("-5"),
                              QStringLiteral("abc"),   QString(10000, QLatin1Char('9'))};
    const char* names[] = {"1e308", "-1e308", "1e999", "nan", "inf", "-5", "abc", "10000 digits"};
    for (int b = 0; b < 4; ++b) {
        for (int v = 0; v < 8; ++v) {
            QTest::addRow("%s %s", boxes[b], names[v]) << b << values[v];
        }
    }
}

void TestLongRun::absurdParameters() {
    QFETCH(int, box);
    QFETCH(QString, text);
    rb::Form1& f = **m_form;
    rb::TextBox* boxes[] = {f.txtF1p, f.txtF2W, f.txtF2fress, f.txtF2sterb};
    boxes[box]->setText(text);
    f.Check1->setValue(1); // restarts as well
    const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    const std::vector<rb::ScrollBar*> sliders = {f.HScroll1, f.HScroll2, f.HScroll3, f.HScroll4,
                                                 f.VScroll1, f.VScroll2, f.VScroll3, f.VScroll4};

    constexpr int kTicks = 1000;
    int mostPicks = 0;
    for (int g = 1; g <= kTicks; ++g) {
        if (g % 50 == 1) { // fresh stocks now and then, so that there is something to compute
            setSlider(f.HScroll1, 1 + (g / 50 * 7) % 32);
            setSlider(f.HScroll2, 1 + (g / 50 * 5) % 24);
        }
        if (g % 200 == 0) { // and the user scrolls to the end
            f.HScroll4->setValue(29990);
        }
        const rb::Random before = rb::Random::shared();
        std::vector<qint64> pictures;
        for (const rb::Image* fish : f.imgFisch2) {
            pictures.push_back(fish->picture().cacheKey());
        }

        tick(f);

        const int picks = drawsBetween(before, rb::Random::shared(), 40);
        if (picks < 0 || picks > rb::kMaxFeedingPicks) {
            QFAIL(qPrintable(QStringLiteral("tick %1: more than 33 picks").arg(g)));
        }
        mostPicks = std::max(mostPicks, picks);
        int changed = 0;
        for (std::size_t k = 0; k < pictures.size(); ++k) {
            changed += f.imgFisch2[k]->picture().cacheKey() != pictures[k] ? 1 : 0;
        }
        if (changed > picks) {
            QFAIL(qPrintable(QStringLiteral("tick %1: %2 pictures changed by %3 picks")
                                 .arg(g)
                                 .arg(changed)
                                 .arg(picks)));
        }
        for (const rb::ScrollBar* s : sliders) {
            if (!inRange(s)) {
                QFAIL(qPrintable(QStringLiteral("tick %1: %2 at %3")
                                     .arg(g)
                                     .arg(s->objectName())
                                     .arg(s->value())));
            }
        }
        if (!std::isfinite(f.stock1) || !std::isfinite(f.stock2) || f.stock1 < 0 || f.stock2 < 0 ||
            f.stock2 > 24) {
            QFAIL(qPrintable(
                QStringLiteral("tick %1: stocks %2 and %3").arg(g).arg(f.stock1).arg(f.stock2)));
        }
        if (!digits.match(f.txtFisch1Bestand->text()).hasMatch() ||
            !digits.match(f.txtFisch2Bestand->text()).hasMatch()) {
            QFAIL(qPrintable(QStringLiteral("tick %1: stock texts \"%2\" and \"%3\"")
                                 .arg(g)
                                 .arg(f.txtFisch1Bestand->text(), f.txtFisch2Bestand->text())));
        }
        if (f.picDiagramm->left() != static_cast<float>(-f.HScroll4->value())) {
            QFAIL(qPrintable(QStringLiteral("tick %1: diagram at %2, scroll bar at %3")
                                 .arg(g)
                                 .arg(f.picDiagramm->left())
                                 .arg(f.HScroll4->value())));
        }
        if (!std::isfinite(f.imgtarget->left()) || !std::isfinite(f.imgtarget->top())) {
            QFAIL(qPrintable(QStringLiteral("tick %1: marker not finite").arg(g)));
        }
    }
    // An absurd voracity asks for the most picks there are.
    if (box == 2 && (text.startsWith(QLatin1Char('1')) || text.startsWith(QLatin1Char('9')))) {
        QCOMPARE(mostPicks, rb::kMaxFeedingPicks);
    }

    // The window still responds: a queued call runs, and the timer still makes generations.
    bool ran = false;
    QMetaObject::invokeMethod(
        &f, [&ran] { ran = true; }, Qt::QueuedConnection);
    QTRY_VERIFY(ran);
    const long long reached = f.generation;
    f.HScroll3->setValue(1); // 5 ms ticks
    QTRY_VERIFY(f.generation != reached);
    f.stopped = true;
}

QTEST_MAIN(TestLongRun)
#include "tst_longrun.moc"
