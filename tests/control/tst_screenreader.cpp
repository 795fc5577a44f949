// SPDX-License-Identifier: GPL-3.0-or-later
// The built program with the real screen reader: Orca on a virtual X display and a session
// bus of its own. A learner starts the simulation, asks for the state twice with F2 and
// stops it. Orca's debug log carries every utterance; its speech is off, so nothing waits for
// a sound device. Skipped where Orca is not installed.

#include "support/xdo.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#ifndef RB_PROGRAM
#error "RB_PROGRAM must name the built program"
#endif

namespace {

constexpr int kPatience = 120000;  // ms: a busy machine is slow, never wrong
constexpr int kClientHeight = 678; // pixels; the client area lies at the window's bottom
const QPoint kStart(992, 598);     // the start and stop buttons' centres in the client area
const QPoint kStop(992, 514);

QString run(const QStringList& xdotoolArgs) {
    QProcess p;
    p.start(QStringLiteral("xdotool"), xdotoolArgs);
    p.waitForFinished(10000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

} // namespace

class TestScreenReader : public QObject {
    Q_OBJECT

private slots:
    void stateKeyAndStopAreSpoken();
    void cleanupTestCase();

private:
    // What Orca said that matches, in order (the first group of each match).
    QStringList spoken(const QString& pattern) const {
        QFile f(m_dir.filePath(QStringLiteral("orca.log")));
        const QString log = f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : "";
        QStringList found;
        for (auto it = QRegularExpression(pattern).globalMatch(log); it.hasNext();) {
            found.append(it.next().captured(1));
        }
        return found;
    }
    // The generation of the newest sentence that says it runs, or the window shows; 0: none.
    int newest(const QString& pattern) const {
        const QStringList all = spoken(pattern);
        return all.isEmpty() ? 0 : all.constLast().toInt();
    }

    QTemporaryDir m_dir;
    QProcess m_orca;
    QProcess m_program;
};

void TestScreenReader::stateKeyAndStopAreSpoken() {
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
    QTRY_VERIFY_WITH_TIMEOUT(!spoken("(ORCA: Startup complete)").isEmpty(), kPatience);
    m_program.start(QStringLiteral(RB_PROGRAM), QStringList());
    QString window;
    QTRY_VERIFY_WITH_TIMEOUT(
        !(window = run({"search", "--onlyvisible", "--name", "Räuber-Beute Modell"})
                       .section(u'\n', 0, 0))
             .isEmpty(),
        kPatience);
    // Without a window manager the window gets the keyboard by the X focus.
    QVERIFY(rbtest::xdo({"windowfocus", "--sync", window}));
    QTRY_VERIFY_WITH_TIMEOUT(!spoken("SPEECH OUTPUT: '(Räuber-Beute Modell)").isEmpty(), kPatience);
    const QString geometry = run({"getwindowgeometry", "--shell", window});
    const auto field = [&](const char* name) {
        return QRegularExpression(QStringLiteral("%1=(\\d+)").arg(QLatin1String(name)))
            .match(geometry)
            .captured(1)
            .toInt();
    };
    const QPoint client(field("X"), field("Y") + field("HEIGHT") - kClientHeight);

    QVERIFY(rbtest::moveTo(client + kStart) && rbtest::xdo({"click", "1"}));
    // Each F2 after a new generation: the sentences follow the simulation.
    const QString shown = R"(insert for \[text \| Generation\][^\n]*Generation (\d+)\))";
    const QString running =
        R"(SPEECH OUTPUT: 'Generation (\d+), \d+,\d\d Beutefische, \d+,\d\d Räuber, läuft)";
    for (int asked = 1; asked <= 2; ++asked) {
        const int before = newest(running);
        QTRY_VERIFY_WITH_TIMEOUT(newest(shown) > before, kPatience);
        QVERIFY(rbtest::key(QStringLiteral("F2")));
        QTRY_COMPARE_WITH_TIMEOUT(spoken(running).size(), asked, kPatience);
        QVERIFY(newest(running) > before);
    }
    QVERIFY(rbtest::moveTo(client + kStop) && rbtest::xdo({"click", "1"}));
    const QString stopped =
        R"(SPEECH OUTPUT: 'Generation (\d+), \d+,\d\d Beutefische, \d+,\d\d Räuber, angehalten)";
    QTRY_COMPARE_WITH_TIMEOUT(spoken(stopped).size(), 1, kPatience);
    QVERIFY(newest(stopped) >= newest(running));
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
