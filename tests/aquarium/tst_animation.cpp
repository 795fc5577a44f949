// SPDX-License-Identifier: GPL-3.0-or-later
// The swimming animation: single fish moves (steps, bounds, turns and the pictures that face
// the way), whole passes, and the loop of the start button with stop, end of the program and
// the generation ticks that run inside its yields.
//
// The loop runs inside the event processing of the test itself, so whatever has to happen
// while it runs is done by timers and queued calls that fire inside the loop's yields; the
// test function continues once the start handler has returned.

#include "aquarium/animation.h"
#include "aquarium/aquarium.h"
#include "fishtools.h"
#include "support/formfixture.h"

#include <QAction>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

using rbtest::Species;

Q_DECLARE_METATYPE(rbtest::Species)

namespace {

constexpr std::uint64_t kSeed = 77;

void moveFish(rb::Form1& f, Species s, int k) {
    if (s == Species::Prey) {
        rb::movePrey(f, k);
    } else {
        rb::movePredator(f, k);
    }
}

// The picture source with that name: "bildfisch(2)", "Image1(0)", "imgfress(1)".
const rb::Image* source(const rb::Form1& f, const QString& name) {
    for (const rb::Image* candidate :
         {f.bildfisch[0], f.bildfisch[1], f.bildfisch[2], f.bildfisch[3], f.Image1[0], f.Image1[1],
          f.imgfress[0], f.imgfress[1]}) {
        if (candidate->objectName() == name) {
            return candidate;
        }
    }
    return nullptr;
}

} // namespace

class TestAnimation : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    // Single fish and whole passes.
    void firstPassMovesEveryFishOneStep();
    void moveWithoutTurn_data();
    void moveWithoutTurn();
    void turnPicksPictureByHorizontalDirection_data();
    void turnPicksPictureByHorizontalDirection();
    void feedingPredatorKeepsItsPicture_data();
    void feedingPredatorKeepsItsPicture();
    void passDrawsTurnsInFishOrder_data();
    void passDrawsTurnsInFishOrder();

    // The loop.
    void stopMovesEveryFishOnceMore_data();
    void stopMovesEveryFishOnceMore();
    void stopWhileStoppedChangesNothing();
    void startClickWhileRunningIsIgnored();
    void nextStartContinuesWhereTheFishAre();
    void endingTheProgramEndsTheLoopAtOnce_data();
    void endingTheProgramEndsTheLoopAtOnce();
    void generationsRunOnlyWhileRunning();

private:
    // Starts the swimming from a queued call, as the start button's click would.
    void startLoop();
    // Waits until the start handler has returned.
    void waitForLoopEnd();
    // Runs `action` once inside the loop's yield, `delayMs` after now (0: in the first
    // yield, before any pass).
    void inLoop(int delayMs, std::function<void()> action);

    std::unique_ptr<rbtest::LoadedForm> m_loaded;
    rb::Form1* m_f = nullptr;
    bool m_loopReturned = false;
    bool m_safetyStopped = false;
};

void TestAnimation::init() {
    m_loaded = rbtest::loadForm(kSeed);
    m_f = m_loaded->form.get();
    m_loopReturned = false;
    m_safetyStopped = false;
    m_f->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_f));
}

void TestAnimation::cleanup() {
    if (m_f && m_f->animating) {
        // A failed check left the loop running: stop it before the window goes.
        rb::Command2_Click(*m_f);
        QTRY_VERIFY(!m_f->animating);
    }
    m_f = nullptr;
    m_loaded.reset();
}

void TestAnimation::startLoop() {
    m_loopReturned = false;
    QMetaObject::invokeMethod(
        m_f,
        [this] {
            rb::Command1_Click(*m_f);
            m_loopReturned = true;
        },
        Qt::QueuedConnection);
    // Should a check fail to stop the loop, stop it after a while, so the test fails
    // instead of hanging.
    QTimer::singleShot(15000, m_f, [this] {
        if (!m_loopReturned) {
            m_safetyStopped = true;
            rb::Command2_Click(*m_f);
        }
    });
}

void TestAnimation::waitForLoopEnd() {
    QTRY_VERIFY_WITH_TIMEOUT(m_loopReturned, 20000);
    QVERIFY2(!m_safetyStopped, "the loop had to be stopped by the test's safety stop");
}

void TestAnimation::inLoop(int delayMs, std::function<void()> action) {
    if (delayMs == 0) {
        QMetaObject::invokeMethod(m_f, std::move(action), Qt::QueuedConnection);
    } else {
        QTimer::singleShot(delayMs, m_f, std::move(action));
    }
}

// -------------------------------------------------------------------------------------------
// Single fish and whole passes

// All codes are "1" after start-up: with no turn drawn, prey move right by 4 (odd) or 2
// (even) and up by 3, predators right by 4 and up by 4, hidden ones as well; a predator
// scattered below 644 ends at the 640 bound.
void TestAnimation::firstPassMovesEveryFishOneStep() {
    const rbtest::Aquarium before = rbtest::snapshot(*m_f);
    rb::Random::shared().seed(rbtest::seedWithoutTurns(1));
    rb::animationPass(*m_f);
    const rbtest::Aquarium after = rbtest::snapshot(*m_f);

    for (Species s : {Species::Prey, Species::Predator}) {
        QCOMPARE(after.of(s)[0], before.of(s)[0]);
        for (int k = 1; k <= rbtest::fishCount(s); ++k) {
            const rbtest::FishState& a = before.of(s)[k];
            const rbtest::FishState& b = after.of(s)[k];
            const float dx = s == Species::Prey && k % 2 == 0 ? 2 : 4;
            const float dy = s == Species::Prey ? 3 : 4;
            const float bottom = s == Species::Prey ? 720 : 640;
            RB_COMPARE_EXACT(b.left, std::min(a.left + dx, 720.0f));
            RB_COMPARE_EXACT(b.top, std::min(std::max(a.top - dy, 0.0f), bottom));
            QCOMPARE(b.tag, QStringLiteral("1"));
            QCOMPARE(b.picture, a.picture);
            QCOMPARE(b.visible, s == Species::Prey && k == 1);
        }
    }
}

void TestAnimation::moveWithoutTurn_data() {
    QTest::addColumn<Species>("species");
    QTest::addColumn<int>("k");
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<int>("moves");
    QTest::addColumn<float>("endLeft");
    QTest::addColumn<float>("endTop");

    const auto P = Species::Prey;
    const auto R = Species::Predator;
    // (The open-water step of every heading, every fish: passDrawsTurnsInFishOrder.)
    // Fractions are kept.
    QTest::addRow("fractions kept")
        << P << 7 << 100.25f << 200.5f << "1" << true << 1 << 104.25f << 197.5f;
    // Clamped at the bounds, never reflected.
    QTest::addRow("prey 1 at 718/719 down right")
        << P << 1 << 718.f << 719.f << "3" << true << 1 << 720.f << 720.f;
    QTest::addRow("even prey at 719 right")
        << P << 2 << 719.f << 10.f << "3" << true << 1 << 720.f << 12.f;
    QTest::addRow("prey exactly on both bounds")
        << P << 1 << 720.f << 720.f << "3" << true << 1 << 720.f << 720.f;
    QTest::addRow("odd prey 1/2 left up") << P << 5 << 1.f << 2.f << "0" << true << 1 << 0.f << 0.f;
    QTest::addRow("even prey 1/2 left up")
        << P << 6 << 1.f << 2.f << "0" << true << 1 << 0.f << 0.f;
    QTest::addRow("prey stays in the corner")
        << P << 5 << 1.f << 2.f << "0" << true << 6 << 0.f << 0.f;
    QTest::addRow("prey slides along the left wall")
        << P << 9 << 1.f << 10.f << "2" << true << 3 << 0.f << 16.f;
    QTest::addRow("predator at 700 up")
        << R << 1 << 100.f << 700.f << "1" << true << 1 << 104.f << 640.f;
    QTest::addRow("predator at 700 down")
        << R << 1 << 100.f << 700.f << "3" << true << 1 << 104.f << 640.f;
    QTest::addRow("predator at 700 left up")
        << R << 2 << 100.f << 700.f << "0" << true << 1 << 96.f << 640.f;
    QTest::addRow("predator at 700 left down")
        << R << 2 << 100.f << 700.f << "2" << true << 1 << 96.f << 640.f;
    QTest::addRow("predator 636 down")
        << R << 3 << 716.f << 636.f << "3" << true << 1 << 720.f << 640.f;
    QTest::addRow("predator on 640 down")
        << R << 3 << 300.f << 640.f << "2" << true << 1 << 296.f << 640.f;
    QTest::addRow("predator at 643.5 up")
        << R << 3 << 300.f << 643.5f << "1" << true << 1 << 304.f << 639.5f;
    QTest::addRow("predator 3/3 left up") << R << 4 << 3.f << 3.f << "0" << true << 1 << 0.f << 0.f;
    // Hidden fish move all the same.
    QTest::addRow("hidden prey") << P << 17 << 300.f << 300.f << "2" << false << 2 << 292.f
                                 << 304.f;
    QTest::addRow("hidden predator")
        << R << 9 << 300.f << 300.f << "1" << false << 2 << 308.f << 292.f;
}

void TestAnimation::moveWithoutTurn() {
    QFETCH(Species, species);
    QFETCH(int, k);
    QFETCH(float, left);
    QFETCH(float, top);
    QFETCH(QString, code);
    QFETCH(bool, visible);
    QFETCH(int, moves);
    QFETCH(float, endLeft);
    QFETCH(float, endTop);

    rb::Image* image = rbtest::fish(*m_f, species, k);
    image->move(left, top);
    image->setTag(code);
    image->setVisible(visible);
    const qint64 picture = image->picture().cacheKey();
    rb::Random::shared().seed(rbtest::seedWithoutTurnsFor(species, moves));

    for (int m = 0; m < moves; ++m) {
        moveFish(*m_f, species, k);
    }

    RB_COMPARE_EXACT(image->left(), endLeft);
    RB_COMPARE_EXACT(image->top(), endTop);
    QCOMPARE(image->tag(), code);
    QCOMPARE(image->picture().cacheKey(), picture);
    QCOMPARE(image->isVisible(), visible);
}

void TestAnimation::turnPicksPictureByHorizontalDirection_data() {
    QTest::addColumn<Species>("species");
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("oldCode");
    QTest::addColumn<int>("newCode");
    QTest::addColumn<QString>("picture"); // empty: the picture stays
    QTest::addColumn<float>("endLeft");
    QTest::addColumn<float>("endTop");

    const auto P = Species::Prey;
    const auto R = Species::Predator;
    // From 100/100; the move after the turn goes the new way.
    QTest::addRow("odd prey 1 to 3: same side") << P << 1 << "1" << 3 << "" << 104.f << 102.f;
    QTest::addRow("odd prey 1 to 1: same code") << P << 1 << "1" << 1 << "" << 104.f << 97.f;
    QTest::addRow("odd prey 1 to 0: turns left")
        << P << 1 << "1" << 0 << "bildfisch(0)" << 96.f << 97.f;
    QTest::addRow("odd prey 3 to 2: turns left")
        << P << 5 << "3" << 2 << "bildfisch(0)" << 96.f << 102.f;
    QTest::addRow("odd prey 0 to 3: turns right")
        << P << 3 << "0" << 3 << "bildfisch(2)" << 104.f << 102.f;
    QTest::addRow("odd prey 2 to 0: same side") << P << 3 << "2" << 0 << "" << 96.f << 97.f;
    QTest::addRow("even prey 1 to 2: turns left")
        << P << 2 << "1" << 2 << "bildfisch(1)" << 98.f << 102.f;
    QTest::addRow("even prey 2 to 1: turns right")
        << P << 4 << "2" << 1 << "bildfisch(3)" << 102.f << 97.f;
    QTest::addRow("even prey 0 to 2: same side") << P << 6 << "0" << 2 << "" << 98.f << 102.f;
    QTest::addRow("predator 1 to 3: same side") << R << 1 << "1" << 3 << "" << 104.f << 105.f;
    QTest::addRow("predator 1 to 0: turns left")
        << R << 2 << "1" << 0 << "Image1(1)" << 96.f << 96.f;
    QTest::addRow("predator 2 to 3: turns right")
        << R << 1 << "2" << 3 << "Image1(0)" << 104.f << 105.f;
    QTest::addRow("predator 0 to 2: same side") << R << 3 << "0" << 2 << "" << 96.f << 105.f;
}

// On a turn the code becomes the new one; the picture changes only when bit 0 changes, then
// to the picture facing the new way (odd prey the first look, even prey the second).
void TestAnimation::turnPicksPictureByHorizontalDirection() {
    QFETCH(Species, species);
    QFETCH(int, k);
    QFETCH(QString, oldCode);
    QFETCH(int, newCode);
    QFETCH(QString, picture);
    QFETCH(float, endLeft);
    QFETCH(float, endTop);

    rb::Image* image = rbtest::fish(*m_f, species, k);
    image->move(100, 100);
    image->setTag(oldCode);
    const qint64 startPicture = image->picture().cacheKey();
    rb::Random::shared().seed(rbtest::seedForTurn(species, newCode));

    moveFish(*m_f, species, k);

    QCOMPARE(image->tag(), QString::number(newCode));
    if (picture.isEmpty()) {
        QCOMPARE(image->picture().cacheKey(), startPicture);
    } else {
        const rb::Image* src = source(*m_f, picture);
        QVERIFY(src);
        QCOMPARE(image->picture().cacheKey(), src->picture().cacheKey());
        QCOMPARE(image->pixelSize(), src->picture().deviceIndependentSize());
    }
    RB_COMPARE_EXACT(image->left(), endLeft);
    RB_COMPARE_EXACT(image->top(), endTop);
}

void TestAnimation::feedingPredatorKeepsItsPicture_data() {
    QTest::addColumn<QString>("eating"); // the feeding picture it wears
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("newCode");     // -1: no turn
    QTest::addColumn<QString>("picture"); // what it wears after the move
    QTest::addColumn<QSizeF>("size");

    const QSizeF eatingSize(140, 137);
    const QSizeF predatorSize(100, 98);
    QTest::addRow("no turn") << "imgfress(0)"
                             << "1" << -1 << "imgfress(0)" << eatingSize;
    QTest::addRow("turn down, same side") << "imgfress(0)"
                                          << "1" << 3 << "imgfress(0)" << eatingSize;
    QTest::addRow("same code drawn") << "imgfress(1)"
                                     << "0" << 0 << "imgfress(1)" << eatingSize;
    QTest::addRow("turn left") << "imgfress(0)"
                               << "1" << 0 << "Image1(1)" << predatorSize;
    QTest::addRow("turn right") << "imgfress(1)"
                                << "2" << 3 << "Image1(0)" << predatorSize;
}

// A predator given its feeding picture by a generation tick keeps it while swimming on, until
// its horizontal direction changes; then it shrinks back to the predator's size.
void TestAnimation::feedingPredatorKeepsItsPicture() {
    QFETCH(QString, eating);
    QFETCH(QString, code);
    QFETCH(int, newCode);
    QFETCH(QString, picture);
    QFETCH(QSizeF, size);

    rb::Image* image = m_f->imgFisch2[6];
    image->setPicture(source(*m_f, eating)->picture());
    image->setTag(code);
    image->move(300, 300);
    rb::Random::shared().seed(newCode < 0 ? rbtest::seedWithoutTurnsFor(Species::Predator, 1)
                                          : rbtest::seedForTurn(Species::Predator, newCode));

    rb::movePredator(*m_f, 6);

    QCOMPARE(image->picture().cacheKey(), source(*m_f, picture)->picture().cacheKey());
    QCOMPARE(image->pixelSize(), size);
    QCOMPARE(image->tag(), newCode < 0 ? code : QString::number(newCode));
}

void TestAnimation::passDrawsTurnsInFishOrder_data() {
    QTest::addColumn<std::uint64_t>("seed");
    // Seeds whose pass turns both prey and predators, found by replaying the source.
    int rows = 0;
    for (std::uint64_t seed = 1; rows < 4; ++seed) {
        const rbtest::PassDraws d = rbtest::replayPasses(seed, 1).first();
        if (d.turnCount(Species::Prey) >= 1 && d.turnCount(Species::Predator) >= 3) {
            QTest::addRow("seed %llu", static_cast<unsigned long long>(seed)) << seed;
            ++rows;
        }
    }
}

// One draw per fish for the turn roll, prey 1..32 before predators 1..24, and one more for
// the new heading on a turn: replaying the source tells which fish turn and where to. Every
// fish starts in open water, so it ends where the open-water row of its final code says.
void TestAnimation::passDrawsTurnsInFishOrder() {
    QFETCH(std::uint64_t, seed);
    const rbtest::PassDraws draws = rbtest::replayPasses(seed, 1).first();
    for (Species s : {Species::Prey, Species::Predator}) {
        for (int k = 1; k <= rbtest::fishCount(s); ++k) {
            rbtest::fish(*m_f, s, k)->move(100, 100);
            rbtest::fish(*m_f, s, k)->setTag(QString::number(k % 4));
        }
    }
    rb::Random::shared().seed(seed);

    rb::animationPass(*m_f);

    for (Species s : {Species::Prey, Species::Predator}) {
        for (int k = 1; k <= rbtest::fishCount(s); ++k) {
            const int code = draws.newCode(s, k) >= 0 ? draws.newCode(s, k) : k % 4;
            const QPointF end =
                rbtest::knownEnd(rbtest::kKnownMoves[static_cast<std::size_t>(code)], s, k);
            const rb::Image* image = rbtest::fish(*m_f, s, k);
            QCOMPARE(image->tag(), QString::number(code));
            RB_COMPARE_EXACT(image->left(), end.x());
            RB_COMPARE_EXACT(image->top(), end.y());
        }
    }
}

// -------------------------------------------------------------------------------------------
// The loop

void TestAnimation::stopMovesEveryFishOnceMore_data() {
    QTest::addColumn<bool>("click"); // a click on the stop button, else its handler
    QTest::addColumn<int>("delayMs");
    QTest::addRow("stop handler in the first yield") << false << 0;
    QTest::addRow("stop handler while swimming") << false << 60;
    QTest::addRow("click on stop while swimming") << true << 60;
    QTest::addRow("click on stop in the first yield") << true << 0;
}

// The stop is handled inside the yield; the pass in progress still moves every fish exactly
// once (no turn drawn: the source is seeded at the stop), then the start handler returns.
void TestAnimation::stopMovesEveryFishOnceMore() {
    QFETCH(bool, click);
    QFETCH(int, delayMs);
    rbtest::Aquarium atStop;
    bool wasAnimating = false;
    bool stoppedByIt = false;
    startLoop();
    inLoop(delayMs, [&] {
        wasAnimating = m_f->animating;
        rb::Random::shared().seed(rbtest::seedWithoutTurns(1));
        atStop = rbtest::placeKnown(*m_f);
        if (click) {
            QTest::mouseClick(m_f->Command2, Qt::LeftButton);
        } else {
            rb::Command2_Click(*m_f);
        }
        stoppedByIt = m_f->stopped;
    });
    waitForLoopEnd();
    if (QTest::currentTestFailed()) {
        return;
    }

    QVERIFY(wasAnimating);
    QVERIFY(stoppedByIt);
    QVERIFY(m_f->stopped);
    QVERIFY(!m_f->animating);
    rbtest::verifyKnownMoves(atStop, rbtest::snapshot(*m_f));
}

void TestAnimation::stopWhileStoppedChangesNothing() {
    const rbtest::Aquarium before = rbtest::snapshot(*m_f);
    QSignalSpy clicks(m_f->Command2, &QAbstractButton::clicked);
    QTest::mouseClick(m_f->Command2, Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);
    QCoreApplication::processEvents();
    QVERIFY(m_f->stopped);
    QVERIFY(!m_f->animating);
    QCOMPARE(rbtest::snapshot(*m_f), before);
}

// A click on the start button while the fish swim runs no second loop: the click returns at
// once, the one loop goes on, and a stop ends it after a single further pass (a nested loop
// would make two).
void TestAnimation::startClickWhileRunningIsIgnored() {
    QSignalSpy startClicks(m_f->Command1, &QAbstractButton::clicked);
    bool clickReturnedWhileAnimating = false;
    bool stopReached = false;
    rbtest::Aquarium atStop;
    startLoop();
    inLoop(40, [&] {
        QTest::mouseClick(m_f->Command1, Qt::LeftButton);
        clickReturnedWhileAnimating = m_f->animating && !m_f->stopped;
    });
    inLoop(120, [&] {
        stopReached = clickReturnedWhileAnimating;
        rb::Random::shared().seed(rbtest::seedWithoutTurns(2));
        atStop = rbtest::placeKnown(*m_f);
        rb::Command2_Click(*m_f);
    });
    waitForLoopEnd();
    if (QTest::currentTestFailed()) {
        return;
    }

    QCOMPARE(startClicks.count(), 1);
    QVERIFY2(stopReached, "the start click did not return before the stop");
    QVERIFY(!m_f->animating);
    rbtest::verifyKnownMoves(atStop, rbtest::snapshot(*m_f));
}

// Positions, pictures and codes survive a stop: the next start goes on from there.
void TestAnimation::nextStartContinuesWhereTheFishAre() {
    const rbtest::Aquarium atStartUp = rbtest::snapshot(*m_f);
    startLoop();
    inLoop(50, [this] { rb::Command2_Click(*m_f); });
    waitForLoopEnd();
    if (QTest::currentTestFailed()) {
        return;
    }
    const rbtest::Aquarium afterFirstRun = rbtest::snapshot(*m_f);
    QVERIFY(afterFirstRun != atStartUp);

    // Known states put in while stopped must be where the next start goes on from.
    const rbtest::Aquarium placed = rbtest::placeKnown(*m_f);
    rb::Random::shared().seed(rbtest::seedWithoutTurns(1));
    startLoop();
    inLoop(0, [this] { rb::Command2_Click(*m_f); });
    waitForLoopEnd();
    if (QTest::currentTestFailed()) {
        return;
    }
    rbtest::verifyKnownMoves(placed, rbtest::snapshot(*m_f));
}

void TestAnimation::endingTheProgramEndsTheLoopAtOnce_data() {
    QTest::addColumn<QString>("how");
    QTest::addRow("end of the program") << "end";
    QTest::addRow("menu entry Beenden") << "Beenden";
    QTest::addRow("window closed") << "close";
    QTest::addRow("window closed in the first yield") << "close first";
}

// The loop ends at once when the program ends: no further pass after the end, the window
// stays gone, and the end is reported once.
void TestAnimation::endingTheProgramEndsTheLoopAtOnce() {
    QFETCH(QString, how);
    rbtest::Aquarium atEnd;
    long long generationAtEnd = -1;
    connect(m_f, &rb::Form::ending, this, [&] {
        atEnd = rbtest::snapshot(*m_f);
        generationAtEnd = m_f->generation;
    });
    m_f->HScroll3->setValue(1); // a generation every 5 ms
    startLoop();
    inLoop(how == QLatin1String("close first") ? 0 : 60, [&] {
        if (how == QLatin1String("end")) {
            m_f->endProgram();
        } else if (how == QLatin1String("Beenden")) {
            m_f->cmdEnde->trigger();
        } else {
            m_f->close();
        }
    });
    waitForLoopEnd();
    if (QTest::currentTestFailed()) {
        return;
    }

    QCOMPARE(m_loaded->ends, 1);
    QVERIFY(m_f->hasEnded());
    QVERIFY(!m_f->animating);
    QVERIFY(!m_f->isVisible());
    QCOMPARE(rbtest::snapshot(*m_f), atEnd);
    QCOMPARE(m_f->generation, generationAtEnd);

    // Events still queued change nothing and do not bring the window back.
    QCoreApplication::processEvents();
    QVERIFY(!m_f->isVisible());
    QCOMPARE(rbtest::snapshot(*m_f), atEnd);
    QCOMPARE(m_loaded->ends, 1);
}

// The timer ticks all the time; generations are computed only while the fish swim, inside
// the loop's yields.
void TestAnimation::generationsRunOnlyWhileRunning() {
    m_f->HScroll3->setValue(1); // a generation every 5 ms
    QSignalSpy ticks(m_f->Timer1, &rb::Timer::timer);
    QTRY_VERIFY(ticks.count() >= 3);
    QCOMPARE(m_f->generation, 0LL);
    QCOMPARE(m_f->Text2->text(), QStringLiteral("Generation 0"));

    QStringList seen;
    long long generationAtStop = -1;
    QTimer watch;
    watch.setInterval(10);
    connect(&watch, &QTimer::timeout, this, [&] {
        if (seen.isEmpty() || seen.last() != m_f->Text2->text()) {
            seen.append(m_f->Text2->text());
        }
        if (m_f->generation >= 5) {
            watch.stop();
            generationAtStop = m_f->generation;
            rb::Command2_Click(*m_f);
        }
    });
    watch.start();
    startLoop();
    waitForLoopEnd();
    if (QTest::currentTestFailed()) {
        return;
    }

    QVERIFY(generationAtStop >= 5);
    QCOMPARE(m_f->generation, generationAtStop);
    QCOMPARE(m_f->Text2->text(), QStringLiteral("Generation %1").arg(generationAtStop));
    QVERIFY2(seen.size() >= 2, qPrintable(seen.join(QLatin1String(", "))));

    ticks.clear();
    QTRY_VERIFY(ticks.count() >= 3);
    QCOMPARE(m_f->generation, generationAtStop);
    QCOMPARE(m_f->Text2->text(), QStringLiteral("Generation %1").arg(generationAtStop));
}

QTEST_MAIN(TestAnimation)
#include "tst_animation.moc"
