// SPDX-License-Identifier: GPL-3.0-or-later
// The built program with the real screen reader: Orca on a virtual X display and a session
// bus of its own (xvfb-run, dbus-run-session). A learner starts the simulation, asks for the
// state twice with F2 and stops it; Orca's debug log carries every utterance, and speech is
// switched off, so nothing waits for a sound device. Skipped where Orca is not installed.

#include "support/xdo.h"

#include <algorithm>

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#ifndef RB_PROGRAM
#error "RB_PROGRAM must name the built program"
#endif

namespace {

const QString kCaption = QStringLiteral("Räuber-Beute Modell");
constexpr int kPatience = 120000; // ms; a busy machine is slow, never wrong

// The client area measures 1256 x 678 pixels; the centres of the start and the stop button in
// it (design twips / 15).
constexpr int kClientHeight = 678;
const QPoint kStart(992, 598);
const QPoint kStop(992, 514);

// "SPEECH OUTPUT: 'Generation 13, 24,59 Beutefische, 5,25 Räuber, läuft.'"
QRegularExpression stateSentence(const QString& running) {
    return QRegularExpression(
        QStringLiteral(R"(SPEECH OUTPUT: '(Generation (\d+), \d+,\d\d Beutefische, \d+,\d\d )"
                       R"(Räuber, %1)\.?')")
            .arg(running));
}

QString output(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(10000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

void stop(QProcess& p) {
    if (p.state() != QProcess::NotRunning) {
        p.terminate();
        if (!p.waitForFinished(10000)) {
            p.kill();
            p.waitForFinished(10000);
        }
    }
}

} // namespace

class TestScreenReader : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void stateKeyAndStopAreSpoken();

private:
    QString log() const;
    QStringList spoken(const QRegularExpression& re) const;
    QString windowId() const;
    int shownGeneration() const;

    QTemporaryDir m_dir;
    QProcess m_orca;
    QProcess m_program;
};

QString TestScreenReader::log() const {
    QFile f(m_dir.filePath(QStringLiteral("orca.log")));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The utterances that match, in the order Orca made them.
QStringList TestScreenReader::spoken(const QRegularExpression& re) const {
    QStringList found;
    for (auto it = re.globalMatch(log()); it.hasNext();) {
        found.append(it.next().captured(1));
    }
    return found;
}

// The newest generation the window's "Generation" box showed, as Orca saw it change.
int TestScreenReader::shownGeneration() const {
    static const QRegularExpression re(QStringLiteral(
        R"(text-changed:insert for \[text \| Generation\][^\n]*Generation (\d+)\))"));
    int newest = 0;
    for (auto it = re.globalMatch(log()); it.hasNext();) {
        newest = std::max(newest, it.next().captured(1).toInt());
    }
    return newest;
}

QString TestScreenReader::windowId() const {
    return output(QStringLiteral("xdotool"),
                  {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                   QStringLiteral("--name"), kCaption})
        .section(QLatin1Char('\n'), 0, 0);
}

void TestScreenReader::initTestCase() {
    if (QStandardPaths::findExecutable(QStringLiteral("orca")).isEmpty()) {
        QSKIP("Orca is not installed (tools/install-deps.sh test installs it)");
    }
    if (qEnvironmentVariableIsEmpty("RB_OWN_SESSION_BUS")) {
        QSKIP("needs a session bus of its own (dbus-run-session)");
    }
    QVERIFY(m_dir.isValid());
    // Orca buffers its debug file unless it is a terminal: script(1) gives it one and copies
    // every line into the log at once.
    const QString orca =
        QStringLiteral("orca --disable speech,braille --user-prefs '%1' --debug-file /dev/tty")
            .arg(m_dir.path());
    m_orca.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_orca.start(QStringLiteral("script"),
                 {QStringLiteral("-qfec"), orca, m_dir.filePath(QStringLiteral("orca.log"))});
    QVERIFY2(m_orca.waitForStarted(10000), qPrintable(m_orca.errorString()));
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QLatin1String("ORCA: Startup complete")), kPatience);

    m_program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_program.start(QStringLiteral(RB_PROGRAM), QStringList());
    QVERIFY2(m_program.waitForStarted(10000), qPrintable(m_program.errorString()));
    QTRY_VERIFY_WITH_TIMEOUT(!windowId().isEmpty(), kPatience);
}

void TestScreenReader::cleanupTestCase() {
    stop(m_program);
    stop(m_orca); // the terminal's hang-up ends Orca
    const QRegularExpression utterance(QStringLiteral(R"(SPEECH OUTPUT: '(.*)' ?\{')"));
    qInfo().noquote() << "What Orca said:\n" + spoken(utterance).join(QLatin1Char('\n'));
}

void TestScreenReader::stateKeyAndStopAreSpoken() {
    // Without a window manager the window gets the keyboard by being given the X focus; Orca
    // then presents it.
    const QString window = windowId();
    QVERIFY(rbtest::xdo({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window}));
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QLatin1String("SPEECH OUTPUT: '") + kCaption),
                             kPatience);

    // Where the client area lies: under the menu bar, at the bottom of the window.
    QHash<QString, int> geometry;
    for (const QString& line :
         output(QStringLiteral("xdotool"),
                {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window})
             .split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        geometry.insert(line.section(QLatin1Char('='), 0, 0),
                        line.section(QLatin1Char('='), 1).toInt());
    }
    const QPoint client(geometry.value(QStringLiteral("X")),
                        geometry.value(QStringLiteral("Y")) +
                            geometry.value(QStringLiteral("HEIGHT")) - kClientHeight);

    QVERIFY(rbtest::moveTo(client + kStart));
    QVERIFY(rbtest::xdo({QStringLiteral("click"), QStringLiteral("1")}));
    // Each state key comes after a new generation: the sentences follow the simulation.
    const auto generationOf = [](const QString& sentence) {
        return sentence.section(QLatin1Char(' '), 1, 1).chopped(1).toInt();
    };
    const QRegularExpression running = stateSentence(QStringLiteral("läuft"));
    for (int asked = 1; asked <= 2; ++asked) {
        const QStringList before = spoken(running);
        const int last = before.isEmpty() ? 0 : generationOf(before.constLast());
        QTRY_VERIFY_WITH_TIMEOUT(shownGeneration() > last, kPatience);
        QVERIFY(rbtest::key(QStringLiteral("F2")));
        QTRY_COMPARE_WITH_TIMEOUT(spoken(running).size(), asked, kPatience);
        QVERIFY2(generationOf(spoken(running).constLast()) > last,
                 qPrintable(spoken(running).join(u'|')));
    }

    const QRegularExpression stopped = stateSentence(QStringLiteral("angehalten"));
    QVERIFY(rbtest::moveTo(client + kStop));
    QVERIFY(rbtest::xdo({QStringLiteral("click"), QStringLiteral("1")}));
    QTRY_COMPARE_WITH_TIMEOUT(spoken(stopped).size(), 1, kPatience);
    QVERIFY(generationOf(spoken(stopped).constFirst()) >=
            generationOf(spoken(running).constLast()));
}

QTEST_GUILESS_MAIN(TestScreenReader)
#include "tst_screenreader.moc"
