// SPDX-License-Identifier: GPL-3.0-or-later
// The built program with the real screen reader: Orca on a virtual X display and a session
// bus of its own. A learner sets the start state in the phase diagram with the arrow keys,
// sets the fastest pace, lets the simulation run for a minute, asks for the state with F2 and
// stops it; every sentence must carry the model's numbers, and Orca must never have been
// flooded. Orca's debug log carries every utterance; its speech is off, so nothing waits for
// a sound device. Skipped where Orca is not installed.
//
// Every wait is bounded (kPatience) and ends with a message naming what Orca did not say; the
// functions' watchdog (QTEST_FUNCTION_TIMEOUT, set in CMake) lies above the sum of the waits
// of any one function.

#include "control/parameters.h"
#include "model/populationmodel.h"
#include "support/xdo.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>

#ifndef RB_PROGRAM
#error "RB_PROGRAM must name the built program"
#endif

namespace {

constexpr int kPatience = 120000;  // ms: a busy machine is slow, never wrong
constexpr int kRunMs = 60000;      // how long the simulation runs at the fastest pace
constexpr int kClientHeight = 678; // pixels; the client area lies at the window's bottom
// Centres in the client area: the start and stop buttons, the pace slider, and a free spot of
// the phase diagram (away from the marker, the axis pictures and the clear button).
const QPoint kStart(992, 598);
const QPoint kStop(992, 514);
const QPoint kPace(992, 410);
const QPoint kPhaseDiagram(720, 330);

QString run(const QStringList& xdotoolArgs) {
    QProcess p;
    p.start(QStringLiteral("xdotool"), xdotoolArgs);
    p.waitForFinished(10000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// A stock as the program says it: hundredths rounded down, decimal comma.
QString fish(double stock) {
    return QString::number(std::floor(stock * 100) / 100, 'f', 2).replace(u'.', u',');
}

// The state sentence the program must say after `generations` generations of the large
// cycle from the start state.
QString sentence(double prey, double predators, long long generations, const char* state) {
    rb::ModelParameters cycle;
    cycle.growthRate = rb::kLargeCycle.growthRate;
    cycle.propFactor = rb::kLargeCycle.propFactor;
    cycle.voracity = rb::kLargeCycle.voracity;
    cycle.deathRate = rb::kLargeCycle.deathRate;
    for (long long k = 0; k < generations; ++k) {
        const rb::GenerationResult next = rb::NextGeneration(prey, predators, cycle);
        prey = next.newStock1;
        predators = next.newStock2;
    }
    return QStringLiteral("Generation %1, %2 Beutefische, %3 Räuber, %4")
        .arg(generations)
        .arg(fish(prey), fish(predators), QString::fromUtf8(state));
}

} // namespace

class TestScreenReader : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void phaseDiagramByArrowKeys();
    void paceIsReadOnceWithItsUnit();
    void aMinuteAtTheFastestPace();
    void cleanupTestCase();

private:
    QString log() const {
        QFile f(m_dir.filePath(QStringLiteral("orca.log")));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    // What Orca said that matches, in order (the first group of each match), in its log from
    // character `from` on.
    QStringList spoken(const QString& pattern, qsizetype from = 0) const {
        QStringList found;
        for (auto it = QRegularExpression(pattern).globalMatch(log().mid(from)); it.hasNext();) {
            found.append(it.next().captured(1));
        }
        return found;
    }
    // Waits until Orca has said a sentence matching the pattern `count` times; false, with a
    // message, when it has not within kPatience.
    bool heard(const QString& pattern, const char* what, int count = 1,
               int patience = kPatience) const {
        QElapsedTimer waited;
        waited.start();
        while (spoken(pattern).size() < count) {
            if (waited.elapsed() > patience || m_orca.state() == QProcess::NotRunning) {
                qWarning().noquote()
                    << "Orca did not say" << what << "within" << patience / 1000 << "s"
                    << (m_orca.state() == QProcess::NotRunning ? "(Orca has ended)"
                                                               : "(Orca runs but does not answer)");
                return false;
            }
            QTest::qWait(200);
        }
        return true;
    }
    bool clickAt(QPoint inClient) const {
        return rbtest::moveTo(m_client + inClient) && rbtest::xdo({"click", "1"});
    }

    QTemporaryDir m_dir;
    QProcess m_orca;
    QProcess m_program;
    QPoint m_client; // the client area's corner on the screen
    bool m_ready = false;
};

void TestScreenReader::initTestCase() {
    if (QStandardPaths::findExecutable(QStringLiteral("orca")).isEmpty()) {
        QSKIP("Orca is not installed (tools/install-deps.sh test installs it)");
    }
    if (qEnvironmentVariableIsEmpty("RB_OWN_SESSION_BUS")) {
        QSKIP("needs a session bus of its own (dbus-run-session)");
    }
    // Orca buffers its debug file unless it is a terminal: script(1) gives it one and copies
    // each line into the log at once.
    m_orca.start(QStringLiteral("script"),
                 {QStringLiteral("-qfec"),
                  QStringLiteral("orca --disable speech,braille --user-prefs '%1' "
                                 "--debug-file /dev/tty")
                      .arg(m_dir.path()),
                  m_dir.filePath(QStringLiteral("orca.log"))});
    QVERIFY(heard("(ORCA: Startup complete)", "that it has started"));
    m_program.start(QStringLiteral(RB_PROGRAM), QStringList());
    QString window;
    QTRY_VERIFY_WITH_TIMEOUT(
        !(window = run({"search", "--onlyvisible", "--name", "Räuber-Beute Modell"})
                       .section(u'\n', 0, 0))
             .isEmpty(),
        kPatience);
    // Without a window manager the window gets the keyboard by the X focus.
    QVERIFY(rbtest::xdo({"windowfocus", "--sync", window}));
    QVERIFY(heard("SPEECH OUTPUT: '(Räuber-Beute Modell)", "the window's title"));
    const QString geometry = run({"getwindowgeometry", "--shell", window});
    const auto field = [&](const char* name) {
        return QRegularExpression(QStringLiteral("%1=(\\d+)").arg(QLatin1String(name)))
            .match(geometry)
            .captured(1)
            .toInt();
    };
    m_client = QPoint(field("X"), field("Y") + field("HEIGHT") - kClientHeight);
    m_ready = true;
}

// The start state (20 prey, 12 predators) set with the arrow keys alone, each step spoken.
void TestScreenReader::phaseDiagramByArrowKeys() {
    QVERIFY(m_ready);
    QVERIFY(clickAt(kPhaseDiagram));
    QVERIFY(heard("SPEECH OUTPUT: '[^']*(Pfeiltasten setzen den Startpunkt)",
                  "the phase diagram's keys"));
    // From 1 prey the first step goes onto the diagram's bottom edge (8), then up to 20.
    QVERIFY(rbtest::key(QStringLiteral("Up")));
    QVERIFY(heard("SPEECH OUTPUT: '(8 Beutefische, 0 Räuber)\\.?'", "the first step"));
    // Keys in quick succession: Orca may speak only the newest step of a burst.
    for (int k = 0; k < 12; ++k) {
        QVERIFY(rbtest::key(QStringLiteral("Up")));
    }
    QVERIFY(heard("SPEECH OUTPUT: '(20 Beutefische, 0 Räuber)\\.?'", "the prey set"));
    for (int k = 0; k < 13; ++k) {
        QVERIFY(rbtest::key(QStringLiteral("Right")));
    }
    QVERIFY(heard("SPEECH OUTPUT: '(20 Beutefische, 13 Räuber)\\.?'", "a step past"));
    QVERIFY(rbtest::key(QStringLiteral("Left")));
    QVERIFY(heard("SPEECH OUTPUT: '(20 Beutefische, 12 Räuber)\\.?'", "the start state"));
}

// The pace slider's step is heard once, with its unit, not first as a bare number.
void TestScreenReader::paceIsReadOnceWithItsUnit() {
    QVERIFY(m_ready);
    const qsizetype from = log().size();
    QVERIFY(clickAt(kPace)); // the track left of the thumb: a page step, and the focus
    QVERIFY(rbtest::key(QStringLiteral("Home")));
    QVERIFY(rbtest::key(QStringLiteral("Right")));
    QVERIFY(heard("SPEECH OUTPUT: '(1, 5 Millisekunden je Generation)\\.?'", "the fastest pace"));
    // Home and Right made 0 and 1, neither of which may be heard on its own (the focus may
    // read the bar's number as it was at the click).
    QCOMPARE(spoken(R"(SPEECH OUTPUT: '([01])\.?')", from), QStringList());
}

// A minute of the large cycle at 5 ms a generation: F2 and the stop are still heard, with the
// model's numbers,
// and Orca never had to drop notices while it ran.
void TestScreenReader::aMinuteAtTheFastestPace() {
    QVERIFY(m_ready);
    // The large cycle, whose stocks keep changing, so that the numbers tell one generation
    // from another: from "Beenden" one entry to the right.
    // Alt alone hands the keyboard to the menu bar; a busy window can miss it (and the arrow
    // key would then move the focused slider), so it is pressed again until Orca names the
    // first entry.
    const QString first = QStringLiteral("SPEECH OUTPUT: '(Beenden)");
    bool inMenu = false;
    for (int tries = 0; tries < 5 && !inMenu; ++tries) {
        const int before = static_cast<int>(spoken(first).size());
        QVERIFY(rbtest::key(QStringLiteral("alt")));
        inMenu = heard(first, "the menu bar's first entry", before + 1, kPatience / 8);
    }
    QVERIFY(inMenu);
    QVERIFY(rbtest::key(QStringLiteral("Right")));
    QVERIFY(heard("SPEECH OUTPUT: '(großer anziehender Zyklus)", "the preset's menu entry"));
    QVERIFY(rbtest::key(QStringLiteral("Return")));
    const qsizetype runFrom = log().size();
    QVERIFY(clickAt(kStart));
    QElapsedTimer ran;
    ran.start();
    QTest::qWait(kRunMs); // the run itself, not a wait for something to happen
    // Every notice that reached Orca while it ran: a steady trickle, at most ten a second,
    // however fast the generations come (a busy machine only makes it fewer).
    const qsizetype notices =
        spoken(R"(EVENT MANAGER: ((object|window|focus):\S* for))", runFrom).size();
    QVERIFY2(notices <= ran.elapsed() / 100,
             qPrintable(QStringLiteral("%1 notices in %2 ms").arg(notices).arg(ran.elapsed())));
    qInfo("%lld notices reached Orca in %lld ms of the run", static_cast<long long>(notices),
          static_cast<long long>(ran.elapsed()));
    const QString running = R"(SPEECH OUTPUT: '(Generation \d+, [^']*, läuft))";
    QVERIFY(rbtest::key(QStringLiteral("F2")));
    QVERIFY(heard(running, "the state on F2"));
    const QString asked = spoken(running).constLast();
    const long long atF2 = asked.section(u' ', 1, 1).chopped(1).toLongLong();
    QVERIFY2(atF2 > 1000, qPrintable(asked)); // well over 1000 generations in a minute
    QCOMPARE(asked, sentence(20, 12, atF2, "läuft"));

    QVERIFY(clickAt(kStop));
    const QString stopped = R"(SPEECH OUTPUT: '(Generation \d+, [^']*, angehalten))";
    QVERIFY(heard(stopped, "the state at the stop"));
    const QString final = spoken(stopped).constLast();
    const long long atStop = final.section(u' ', 1, 1).chopped(1).toLongLong();
    QVERIFY(atStop >= atF2);
    QCOMPARE(final, sentence(20, 12, atStop, "angehalten"));
    const qsizetype deluge = log().indexOf(QLatin1String("due to deluge"), runFrom);
    QVERIFY2(deluge < 0, qPrintable(QStringLiteral("Orca was flooded:\n") +
                                    log().mid(std::max<qsizetype>(0, deluge - 3000), 3200)));
}

void TestScreenReader::cleanupTestCase() {
    for (QProcess* p : {&m_program, &m_orca}) { // the terminal's hang-up ends Orca
        p->terminate();
        if (p->state() != QProcess::NotRunning && !p->waitForFinished(10000)) {
            p->kill();
            p->waitForFinished(10000);
        }
    }
    qInfo().noquote() << "What Orca said:\n" + spoken(R"(SPEECH OUTPUT: '(.*)' ?\{')").join(u'\n');
}

QTEST_GUILESS_MAIN(TestScreenReader)
#include "tst_screenreader.moc"
