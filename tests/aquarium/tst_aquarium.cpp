// SPDX-License-Identifier: GPL-3.0-or-later
// The aquarium's stock display: the scattering at start-up, the start pictures, and the two
// stock sliders that show as many fish as the stock.

#include "aquarium/animation.h"
#include "aquarium/aquarium.h"
#include "fishtools.h"
#include "support/formfixture.h"

#include <QSignalSpy>
#include <QTest>

using rbtest::Species;

Q_DECLARE_METATYPE(rbtest::Species)

namespace {

constexpr std::uint64_t kSeed = 20240517;

// Index of a control in its container's stacking order (0 = bottom-most), -1 if absent.
int stackIndex(const rb::Image* image) {
    const auto& lights = image->container()->lightControls();
    const auto it = std::find(lights.begin(), lights.end(), image);
    return it == lights.end() ? -1 : static_cast<int>(it - lights.begin());
}

} // namespace

class TestAquarium : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void scatterFollowsTheSeededDraws_data();
    void scatterFollowsTheSeededDraws();
    void preyLieAbovePredatorsInIndexOrder();
    void resetLeavesSlidersAndTextsAlone();
    void rightAfterStartUpOnlyPreyOneShows();
    void startPicturesAndSizes_data();
    void startPicturesAndSizes();
    void sliderShowsThatManyFish_data();
    void sliderShowsThatManyFish();
    void unchangedValueRunsNoHandler_data();
    void unchangedValueRunsNoHandler();
    void draggedThumbUpdatesOnEveryScroll_data();
    void draggedThumbUpdatesOnEveryScroll();
    void hiddenFishReappearWhereTheySwam_data();
    void hiddenFishReappearWhereTheySwam();

private:
    std::unique_ptr<rbtest::LoadedForm> m_loaded;
    rb::Form1* m_f = nullptr;
};

void TestAquarium::init() {
    m_loaded = rbtest::loadForm(kSeed);
    m_f = m_loaded->form.get();
}

void TestAquarium::cleanup() {
    m_f = nullptr;
    m_loaded.reset();
}

void TestAquarium::scatterFollowsTheSeededDraws_data() {
    QTest::addColumn<std::uint64_t>("seed");
    QTest::addRow("seed 1") << std::uint64_t{1};
    QTest::addRow("seed 20240517") << std::uint64_t{20240517};
    QTest::addRow("seed above 2^32") << std::uint64_t{0x1234'5678'9abcULL};
}

// Per fish Left then Top, predators 1..24 before prey 1..32, each a uniform number in
// [0, 720) kept as a float without rounding; every code "1".
void TestAquarium::scatterFollowsTheSeededDraws() {
    QFETCH(std::uint64_t, seed);
    // Draws made before start-up must not matter: the scattering reseeds the source.
    rb::Random::shared().seed(seed + 99);
    rb::rnd();
    m_loaded = rbtest::loadForm(seed);
    m_f = m_loaded->form.get();

    rb::Random replay;
    replay.seed(seed);
    bool someFraction = false;
    for (Species s : {Species::Predator, Species::Prey}) {
        for (int k = 1; k <= rbtest::fishCount(s); ++k) {
            const float left = static_cast<float>(replay.next() * 720);
            const float top = static_cast<float>(replay.next() * 720);
            const rb::Image* image = rbtest::fish(*m_f, s, k);
            QVERIFY2(left >= 0 && left < 720 && top >= 0 && top < 720, "draw out of [0, 720)");
            RB_COMPARE_EXACT(image->left(), left);
            RB_COMPARE_EXACT(image->top(), top);
            QCOMPARE(image->tag(), QStringLiteral("1"));
            someFraction = someFraction || left != std::floor(left);
        }
    }
    QVERIFY2(someFraction, "positions are not rounded to whole units");
}

void TestAquarium::preyLieAbovePredatorsInIndexOrder() {
    int highestPredator = -1;
    for (int k = 1; k <= 24; ++k) {
        highestPredator = std::max(highestPredator, stackIndex(m_f->imgFisch2[k]));
    }
    int below = highestPredator;
    for (int k = 1; k <= 32; ++k) {
        const int at = stackIndex(m_f->imgFisch1[k]);
        QVERIFY2(
            at > below,
            qPrintable(
                QStringLiteral("prey %1 at stack index %2, below %3").arg(k).arg(at).arg(below)));
        below = at;
    }

    // The predators keep their order among themselves from the window's layout.
    const auto predatorOrder = [](const rb::Form1& f) {
        QStringList names;
        for (const rb::LightControl* c : f.picAqua->lightControls()) {
            if (c->objectName().startsWith(QStringLiteral("imgFisch2("))) {
                names.append(c->objectName());
            }
        }
        return names;
    };
    const rb::Form1 design;
    QCOMPARE(predatorOrder(*m_f), predatorOrder(design));
}

// Scattering does not touch the sliders or their text boxes; it only hides and shows fish
// and sets the stocks to 1 and 0.
void TestAquarium::resetLeavesSlidersAndTextsAlone() {
    m_f->HScroll1->setValue(10);
    m_f->HScroll2->setValue(7);
    rb::ResetAquarium(*m_f);
    QCOMPARE(rbtest::shownStocks(*m_f), QStringLiteral("sliders 10 7, boxes 10 7, stocks 1 0"));
    QCOMPARE(rbtest::visibleFish(*m_f, Species::Prey), QList<int>{1});
    QCOMPARE(rbtest::visibleFish(*m_f, Species::Predator), QList<int>{});
}

void TestAquarium::rightAfterStartUpOnlyPreyOneShows() {
    QCOMPARE(rbtest::visibleFish(*m_f, Species::Prey), QList<int>{1});
    QCOMPARE(rbtest::visibleFish(*m_f, Species::Predator), QList<int>{});
    QCOMPARE(m_f->imgFisch1[1]->picture().cacheKey(), m_f->bildfisch[1]->picture().cacheKey());
    QCOMPARE(rbtest::shownStocks(*m_f), QStringLiteral("sliders 1 0, boxes 1 0, stocks 1 0"));
    QVERIFY(m_f->stopped);
}

void TestAquarium::startPicturesAndSizes_data() {
    QTest::addColumn<Species>("species");
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QSizeF>("size");
    // Prey k gets bildfisch(k mod 4): the yellow fish (58 x 64) for odd k, the fish with the
    // bow (62 x 64) for even k; predator k gets Image1(k mod 2), 100 x 98.
    const QSizeF yellow(58, 64);
    const QSizeF bow(62, 64);
    const QString prey[] = {QStringLiteral("bildfisch(0)"), QStringLiteral("bildfisch(1)"),
                            QStringLiteral("bildfisch(2)"), QStringLiteral("bildfisch(3)")};
    for (int k = 1; k <= 32; ++k) {
        QTest::addRow("prey %d", k)
            << Species::Prey << k << prey[k % 4] << (k % 2 == 1 ? yellow : bow);
    }
    for (int k = 1; k <= 24; ++k) {
        QTest::addRow("predator %d", k)
            << Species::Predator << k
            << (k % 2 == 1 ? QStringLiteral("Image1(1)") : QStringLiteral("Image1(0)"))
            << QSizeF(100, 98);
    }
}

void TestAquarium::startPicturesAndSizes() {
    QFETCH(Species, species);
    QFETCH(int, k);
    QFETCH(QString, source);
    QFETCH(QSizeF, size);
    const rb::Image* image = rbtest::fish(*m_f, species, k);
    const rb::Image* src = nullptr;
    for (const rb::Image* candidate : {m_f->bildfisch[0], m_f->bildfisch[1], m_f->bildfisch[2],
                                       m_f->bildfisch[3], m_f->Image1[0], m_f->Image1[1]}) {
        if (candidate->objectName() == source) {
            src = candidate;
        }
    }
    QVERIFY(src);
    QCOMPARE(image->picture().cacheKey(), src->picture().cacheKey());
    QCOMPARE(image->pixelSize(), size);
}

void TestAquarium::sliderShowsThatManyFish_data() {
    QTest::addColumn<Species>("species");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("n");
    QTest::addRow("prey 1 to 0") << Species::Prey << 1 << 0;
    QTest::addRow("prey 1 to 32") << Species::Prey << 1 << 32;
    QTest::addRow("prey 32 to 0") << Species::Prey << 32 << 0;
    QTest::addRow("prey 30 to 13") << Species::Prey << 30 << 13;
    QTest::addRow("prey 0 to 1") << Species::Prey << 0 << 1;
    QTest::addRow("predators 12 to 0") << Species::Predator << 12 << 0;
    QTest::addRow("predators 0 to 24") << Species::Predator << 0 << 24;
    QTest::addRow("predators 24 to 23") << Species::Predator << 24 << 23;
    QTest::addRow("predators 3 to 9") << Species::Predator << 3 << 9;
}

// With the slider at n, fish 1..n show and n+1..N hide, picture 0 never shows, the text box
// shows n and the stock is n; no position, picture or code of any fish changes, and the
// other species stays as it was.
void TestAquarium::sliderShowsThatManyFish() {
    QFETCH(Species, species);
    QFETCH(int, from);
    QFETCH(int, n);
    rb::ScrollBar* slider = rbtest::stockSlider(*m_f, species);
    slider->setValue(from);
    QCOMPARE(slider->value(), from);
    // Moved fish show that nothing but visibility follows the slider.
    rb::animationPass(*m_f);
    const rbtest::Aquarium before = rbtest::snapshot(*m_f);
    const QString otherText = rbtest::stockText(*m_f, rbtest::other(species))->text();
    const double otherStock = rbtest::stockOf(*m_f, rbtest::other(species));
    QSignalSpy changes(slider, &rb::ScrollBar::change);

    slider->setValue(n);

    QCOMPARE(changes.count(), 1);
    QCOMPARE(slider->value(), n);
    QCOMPARE(rbtest::visibleFish(*m_f, species), rbtest::range(1, n));
    QCOMPARE(rbtest::stockText(*m_f, species)->text(), QString::number(n));
    QCOMPARE(rbtest::stockOf(*m_f, species), double(n));

    const rbtest::Aquarium after = rbtest::snapshot(*m_f);
    for (int k = 0; k <= rbtest::fishCount(species); ++k) {
        rbtest::FishState expected = before.of(species)[k];
        expected.visible = k >= 1 && k <= n;
        QCOMPARE(after.of(species)[k], expected);
    }
    QCOMPARE(after.of(rbtest::other(species)), before.of(rbtest::other(species)));
    QCOMPARE(rbtest::stockText(*m_f, rbtest::other(species))->text(), otherText);
    QCOMPARE(rbtest::stockOf(*m_f, rbtest::other(species)), otherStock);
}

void TestAquarium::unchangedValueRunsNoHandler_data() {
    QTest::addColumn<Species>("species");
    QTest::addColumn<int>("value");
    QTest::addRow("prey at its start value 1") << Species::Prey << 1;
    QTest::addRow("prey at 0") << Species::Prey << 0;
    QTest::addRow("prey at 32") << Species::Prey << 32;
    QTest::addRow("predators at their start value 0") << Species::Predator << 0;
    QTest::addRow("predators at 24") << Species::Predator << 24;
    QTest::addRow("predators at 11") << Species::Predator << 11;
}

// Setting the value a slider already has: the stock keeps its fraction, the text and the
// visible fish stay as they are, even where they disagree with the slider.
void TestAquarium::unchangedValueRunsNoHandler() {
    QFETCH(Species, species);
    QFETCH(int, value);
    rb::ScrollBar* slider = rbtest::stockSlider(*m_f, species);
    slider->setValue(value);
    QCOMPARE(slider->value(), value);

    (species == Species::Prey ? m_f->stock1 : m_f->stock2) = 7.5;
    rbtest::stockText(*m_f, species)->setText(QStringLiteral("typed"));
    rbtest::fish(*m_f, species, 1)->setVisible(value == 0);
    rbtest::fish(*m_f, species, 20)->setVisible(value == 0);
    const QList<int> visible = rbtest::visibleFish(*m_f, species);
    QSignalSpy changes(slider, &rb::ScrollBar::change);
    QSignalSpy scrolls(slider, &rb::ScrollBar::scroll);

    slider->setValue(value);

    QCOMPARE(changes.count(), 0);
    QCOMPARE(scrolls.count(), 0);
    QCOMPARE(rbtest::stockOf(*m_f, species), 7.5);
    QCOMPARE(rbtest::stockText(*m_f, species)->text(), QStringLiteral("typed"));
    QCOMPARE(rbtest::visibleFish(*m_f, species), visible);
}

void TestAquarium::draggedThumbUpdatesOnEveryScroll_data() {
    QTest::addColumn<Species>("species");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addRow("prey 5 to 20") << Species::Prey << 5 << 20;
    QTest::addRow("prey 20 back to 5") << Species::Prey << 20 << 5;
    QTest::addRow("predators 5 to 20") << Species::Predator << 5 << 20;
    QTest::addRow("predators 24 down to 0") << Species::Predator << 24 << 0;
}

// While the thumb is dragged, every Scroll brings text, stock and visible fish into line
// with the thumb, not only the release.
void TestAquarium::draggedThumbUpdatesOnEveryScroll() {
    QFETCH(Species, species);
    QFETCH(int, from);
    QFETCH(int, to);
    rb::ScrollBar* slider = rbtest::stockSlider(*m_f, species);
    slider->setValue(from);

    struct Seen {
        int value;
        QString text;
        double stock;
        QList<int> visible;
    };
    QList<Seen> seen;
    // Connected after the window's handlers, so this runs after them for each Scroll.
    const auto connection = connect(slider, &rb::ScrollBar::scroll, this, [&] {
        seen.append({slider->value(), rbtest::stockText(*m_f, species)->text(),
                     rbtest::stockOf(*m_f, species), rbtest::visibleFish(*m_f, species)});
    });
    QSignalSpy changes(slider, &rb::ScrollBar::change);

    // The thumb held and moved one position at a time, as a drag does it.
    slider->setSliderDown(true);
    const int step = to > from ? 1 : -1;
    for (int v = from + step; v != to + step; v += step) {
        slider->setSliderPosition(v - slider->min());
    }
    QCOMPARE(changes.count(), 0);
    slider->setSliderDown(false);
    disconnect(connection);

    QCOMPARE(seen.size(), std::abs(to - from));
    for (int s = 0; s < seen.size(); ++s) {
        const int v = from + step * (s + 1);
        QCOMPARE(seen[s].value, v);
        QCOMPARE(seen[s].text, QString::number(v));
        QCOMPARE(seen[s].stock, double(v));
        QCOMPARE(seen[s].visible, rbtest::range(1, v));
    }
    // The release is one Change, which keeps what the last Scroll showed.
    QCOMPARE(changes.count(), 1);
    QCOMPARE(rbtest::stockText(*m_f, species)->text(), QString::number(to));
    QCOMPARE(rbtest::visibleFish(*m_f, species), rbtest::range(1, to));
}

void TestAquarium::hiddenFishReappearWhereTheySwam_data() {
    QTest::addColumn<Species>("species");
    QTest::addRow("prey") << Species::Prey;
    QTest::addRow("predators") << Species::Predator;
}

void TestAquarium::hiddenFishReappearWhereTheySwam() {
    QFETCH(Species, species);
    rb::ScrollBar* slider = rbtest::stockSlider(*m_f, species);
    slider->setValue(12);
    slider->setValue(3);
    const rbtest::Aquarium hidden = rbtest::snapshot(*m_f);
    for (int pass = 0; pass < 5; ++pass) {
        rb::animationPass(*m_f);
    }
    const rbtest::Aquarium swum = rbtest::snapshot(*m_f);

    slider->setValue(12);

    QCOMPARE(rbtest::visibleFish(*m_f, species), rbtest::range(1, 12));
    for (int k = 4; k <= 12; ++k) {
        const rb::Image* image = rbtest::fish(*m_f, species, k);
        QVERIFY2(swum.of(species)[k].left != hidden.of(species)[k].left ||
                     swum.of(species)[k].top != hidden.of(species)[k].top,
                 qPrintable(QStringLiteral("fish %1 did not move while hidden").arg(k)));
        RB_COMPARE_EXACT(image->left(), swum.of(species)[k].left);
        RB_COMPARE_EXACT(image->top(), swum.of(species)[k].top);
        QCOMPARE(image->picture().cacheKey(), swum.of(species)[k].picture);
        QCOMPARE(image->tag(), swum.of(species)[k].tag);
    }
}

QTEST_MAIN(TestAquarium)
#include "tst_aquarium.moc"
