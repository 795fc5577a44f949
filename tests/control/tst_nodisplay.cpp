// SPDX-License-Identifier: GPL-3.0-or-later
// The built program started where no window can be opened: one clear message that names what
// it could not open and says how to start it, exit status 2, no abort and no core. The same for
// scale factors Qt cannot draw the window at.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#ifndef RB_PROGRAM
#error "RB_PROGRAM must name the built program"
#endif

namespace {

const QString kHowTo = QStringLiteral(" Start it on a desktop, or under a virtual display:\n  ");
const QString kVirtual = QStringLiteral("xvfb-run -s '-screen 0 1600x1000x24' raeuber-beute\n");

// An X display number no server listens on: far above those xvfb-run -a hands out (99 up).
QString deadDisplay() {
    for (int n = 5000;; ++n) {
        if (!QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)) &&
            !QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))) {
            return QStringLiteral(":%1").arg(n);
        }
    }
}

} // namespace

class TestNoDisplay : public QObject {
    Q_OBJECT

private slots:
    void clearWordAndStatus2_data();
    void clearWordAndStatus2();
    void undrawableScaleFactorsEndAtOnce_data();
    void undrawableScaleFactorsEndAtOnce();
};

void TestNoDisplay::clearWordAndStatus2_data() {
    const QString display = deadDisplay();
    QTest::addColumn<QString>("platform"); // QT_QPA_PLATFORM, empty for none
    QTest::addColumn<QString>("display");  // DISPLAY, empty for none
    QTest::addColumn<QString>("message");
    QTest::addRow("X display without a server")
        << QString() << display
        << QStringLiteral("raeuber-beute: cannot open the display \"%1\" (DISPLAY): no X server "
                          "answers there.")
                   .arg(display) +
               kHowTo + kVirtual;
    QTest::addRow("xcb chosen, no DISPLAY")
        << QStringLiteral("xcb") << QString()
        << QStringLiteral("raeuber-beute: no display found (DISPLAY is not set).") + kHowTo +
               kVirtual;
    QTest::addRow("a platform Qt does not have")
        << QStringLiteral("nosuchplatform") << display
        << QStringLiteral("raeuber-beute: cannot start the window system \"nosuchplatform\": "
                          "this Qt has no platform plugin of that name.") +
               kHowTo + QStringLiteral("QT_QPA_PLATFORM=xcb ") + kVirtual;
}

void TestNoDisplay::clearWordAndStatus2() {
    QFETCH(QString, platform);
    QFETCH(QString, display);
    QFETCH(QString, message);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY"}) {
        env.remove(QString::fromLatin1(name));
    }
    if (!platform.isEmpty()) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    }
    if (!display.isEmpty()) {
        env.insert(QStringLiteral("DISPLAY"), display);
    }
    QProcess program;
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(QDir::tempPath());
    program.start(QStringLiteral(RB_PROGRAM), QStringList());
    QVERIFY2(program.waitForFinished(30000), "the program did not end");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit); // no abort, so no core
    QCOMPARE(program.exitCode(), 2);
    QCOMPARE(QString::fromLocal8Bit(program.readAllStandardError()), message);
    QCOMPARE(program.readAllStandardOutput(), QByteArray());
}

// Zero gave no window and never ended, 100 grew to gigabytes without a window, -1 a window of
// 65376 x 65376, 1e9 per screen thousands of warnings and no window.
void TestNoDisplay::undrawableScaleFactorsEndAtOnce_data() {
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("value");
    QTest::addRow("zero") << "QT_SCALE_FACTOR"
                          << "0";
    QTest::addRow("negative") << "QT_SCALE_FACTOR"
                              << "-1";
    QTest::addRow("a hundred") << "QT_SCALE_FACTOR"
                               << "100";
    QTest::addRow("just above 8") << "QT_SCALE_FACTOR"
                                  << "8.01";
    QTest::addRow("not a number") << "QT_SCALE_FACTOR"
                                  << "nan";
    QTest::addRow("no number") << "QT_SCALE_FACTOR"
                               << "zwei";
    QTest::addRow("a screen at 1e9") << "QT_SCREEN_SCALE_FACTORS"
                                     << "1e9";
    QTest::addRow("the second screen at zero") << "QT_SCREEN_SCALE_FACTORS"
                                               << "VGA-1=1;HDMI-1=0";
}

void TestNoDisplay::undrawableScaleFactorsEndAtOnce() {
    QFETCH(QString, variable);
    QFETCH(QString, value);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(variable, value);
    QProcess program;
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(QDir::tempPath());
    program.start(QStringLiteral(RB_PROGRAM), QStringList());
    if (!program.waitForFinished(30000)) {
        program.kill();
        program.waitForFinished();
        QFAIL("the program did not end");
    }
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 2);
    QCOMPARE(QString::fromLocal8Bit(program.readAllStandardError()),
             QStringLiteral("raeuber-beute: %1=%2: Qt cannot draw the window at that scale; a "
                            "scale factor is a number above 0 and at most 8.\n")
                 .arg(variable, value));
}

QTEST_MAIN(TestNoDisplay)
#include "tst_nodisplay.moc"
