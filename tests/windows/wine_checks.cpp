// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows build as a class meets it, under Wine on a virtual X display, driven from outside
// with real X input (xdotool) and read back from the screen and the clipboard: the window and
// its controls where the Linux window has them, a run whose numbers are the Linux window's,
// Ctrl+Plus, F11, Alt+F4; the start size under Windows' display scaling; the zip unpacked into
// a folder with blanks and umlauts, where F1 finds the guide; the setup for all users and for
// one, and what its uninstaller leaves (nothing).
//
// A program of the native build, run by the Windows build's suite (tests/windows) as
//   xvfb-run -s '-screen 0 WxHx24' wine-checks <function>
// with RB_WINE_RUN (tools/windows/wine-run.sh), RB_WINE_PREFIX (a Wine prefix of its own, made
// afresh), RB_PROGRAM_EXE, RB_ZIP and RB_SETUP (the Windows build's files); where
// RB_WINE_SCREENSHOT names a file, the window check keeps its picture of the screen there.

#include "support/formfixture.h"
#include "support/xdo.h"

#include <QDirIterator>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <pwd.h>
#include <unistd.h>

#include <memory>

using rbtest::key;
using rbtest::xdo;

namespace {

// Wine's first start in a new prefix and a program's first window take long on a busy machine:
// the waits are bounded, and generous.
constexpr int kFirstStartMs = 600000;
constexpr int kWaitMs = 120000;

QString setting(const char* name) {
    const QString value = qEnvironmentVariable(name);
    if (value.isEmpty()) {
        qFatal("wine-checks: %s is not set", name);
    }
    return value;
}

QStringList words(const char* text) {
    return QString::fromUtf8(text).split(QLatin1Char(' '));
}

// Runs a program of this machine to its end and gives what it printed ("" where it failed).
QString output(const QString& program, const QStringList& args, const QByteArray& input = {}) {
    QProcess p;
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(program, args);
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(20000) || p.exitCode() != 0) {
        p.kill();
        p.waitForFinished(1000);
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString programWindow() {
    return output(QStringLiteral("xdotool"),
                  {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                   QStringLiteral("--name"), QStringLiteral("Räuber-Beute Modell")})
        .section(QLatin1Char('\n'), 0, 0);
}

// The X window's place and size on the screen (device pixels).
QRect windowGeometry(const QString& id) {
    QMap<QString, int> v;
    for (const QString& line :
         output(QStringLiteral("xdotool"),
                {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), id})
             .split(QLatin1Char('\n'))) {
        v[line.section(QLatin1Char('='), 0, 0)] = line.section(QLatin1Char('='), 1).toInt();
    }
    return {v[QStringLiteral("X")], v[QStringLiteral("Y")], v[QStringLiteral("WIDTH")],
            v[QStringLiteral("HEIGHT")]};
}

// Where `area` of the reference shows best in the shot, within `reach` pixels of `around`
// (sampling every `step`th pixel; among equal matches the nearest), and how alike it is there:
// the share of pixels within 48 per channel, as far apart as Wine's and Linux's font engines
// draw the edges of text.
QPoint bestPlace(const QImage& shot, const QImage& reference, QRect area, QPoint around, int reach,
                 int step, double* alike) {
    QPoint best = around;
    *alike = -1;
    for (int r = 0; r <= reach; ++r) {
        for (int dy = -r; dy <= r; ++dy) {
            for (int dx = -r; dx <= r; ++dx) {
                if (std::max(std::abs(dx), std::abs(dy)) != r) {
                    continue;
                }
                const QPoint offset = around + QPoint(dx, dy);
                int same = 0, all = 0;
                for (int y = area.top(); y <= area.bottom(); y += step) {
                    for (int x = area.left(); x <= area.right(); x += step) {
                        if (!shot.rect().contains(QPoint(x, y) + offset) ||
                            !reference.rect().contains(x, y)) {
                            continue;
                        }
                        const QRgb a = shot.pixel(QPoint(x, y) + offset), b = reference.pixel(x, y);
                        ++all;
                        same += std::abs(qRed(a) - qRed(b)) <= 48 &&
                                std::abs(qGreen(a) - qGreen(b)) <= 48 &&
                                std::abs(qBlue(a) - qBlue(b)) <= 48;
                    }
                }
                if (all && double(same) / all > *alike + 0.002) {
                    *alike = double(same) / all;
                    best = offset;
                }
            }
        }
    }
    return best;
}

// The controls outside the aquarium (whose fish lie at random), with their areas in the client
// area of the Linux window.
QList<QPair<QString, QRect>> steadyControls(rb::Form1& f) {
    QList<QPair<QString, QRect>> controls;
    QWidget* client = f.client();
    const auto steady = [&](const QObject* o, const QWidget* container) {
        return !o->objectName().isEmpty() && o != f.picAqua && container != f.picAqua &&
               !f.picAqua->isAncestorOf(container);
    };
    for (QWidget* w : client->findChildren<QWidget*>()) {
        if (w->isVisible() && steady(w, w->parentWidget())) {
            controls.append({w->objectName(), QRect(w->mapTo(client, QPoint(0, 0)), w->size())});
        }
    }
    for (rb::LightControl* l : client->findChildren<rb::LightControl*>()) {
        if (l->isVisible() && steady(l, l->container())) {
            controls.append({l->objectName(), l->pixelRect().toAlignedRect().translated(
                                                  l->container()->mapTo(client, QPoint(0, 0)))});
        }
    }
    return controls;
}

// A text box's text, copied as a user would (click into it, select all, copy) and read from
// X's clipboard, which Wine shares, by xclip (the marker stays where nothing was copied).
QString copiedText(QPoint at) {
    QProcess marker; // xclip stays behind to hand the marker out: not on this program's pipes
    marker.setStandardOutputFile(QProcess::nullDevice());
    marker.setStandardErrorFile(QProcess::nullDevice());
    marker.start(QStringLiteral("xclip"), words("-i -selection clipboard"));
    marker.write("(nothing copied)");
    marker.closeWriteChannel();
    // xdotool's --sync waits for the pointer to move: first beside the box, never where it is.
    if (!marker.waitForFinished(10000) || !rbtest::moveTo(at + QPoint(3, 0)) ||
        !rbtest::moveTo(at) || !xdo(words("click 1")) || !key(QStringLiteral("ctrl+a")) ||
        !key(QStringLiteral("ctrl+c"))) {
        return QStringLiteral("(xclip or xdotool failed)");
    }
    QString text;
    for (int k = 0; k < 100 && (text.isEmpty() || text == QLatin1String("(nothing copied)")); ++k) {
        QTest::qWait(50);
        text = output(QStringLiteral("xclip"), words("-o -selection clipboard"));
    }
    return text;
}

// Every file under a folder (Wine's registry and temporary files left out: they change at
// every start).
QStringList filesUnder(const QString& root) {
    QStringList files;
    for (QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString path = QDir(root).relativeFilePath(it.next());
        if (!path.contains(QLatin1String("/Temp/")) && !path.endsWith(QLatin1String(".reg"))) {
            files << path;
        }
    }
    files.sort();
    return files;
}

} // namespace

class TestWine : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void windowAsOnLinux();
    void startsWithinTheScreen_data();
    void startsWithinTheScreen();
    void zipInAFolderWithUmlauts();
    void setup_data();
    void setup();

private:
    QProcessEnvironment environment() const;
    // Runs a Windows program under Wine: started (`wait` 0) or to its end; its exit status.
    int wine(const QStringList& args, int wait = kWaitMs);
    void server(const char* option) const; // Wine's server: -w waits for it, -k ends it
    // Starts the program from `exe` at `dpi` and gives its window (empty when none came).
    QString startProgram(const QString& exe, int dpi = 96);
    void closeWithAltF4(); // the program must end with status 0

    QString m_prefix = setting("RB_WINE_PREFIX");
    QTemporaryDir m_bin; // a browser that notes the pages it is given, first on the PATH
    std::unique_ptr<QProcess> m_program;
};

QProcessEnvironment TestWine::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PATH"), m_bin.path() + ':' + env.value(QStringLiteral("PATH")));
    env.remove(QStringLiteral("QT_QPA_PLATFORM")); // Windows' own platform, not xcb
    env.insert(QStringLiteral("WINEPREFIX"), m_prefix);
    return env;
}

void TestWine::server(const char* option) const {
    QProcess p;
    p.setProcessEnvironment(environment());
    p.start(QStringLiteral("wineserver"), {QString::fromLatin1(option)});
    p.waitForFinished(kWaitMs);
}

int TestWine::wine(const QStringList& args, int wait) {
    auto p = std::make_unique<QProcess>();
    p->setProcessEnvironment(environment());
    p->setStandardOutputFile(QProcess::nullDevice());
    p->setStandardErrorFile(QProcess::nullDevice());
    p->start(setting("RB_WINE_RUN"), QStringList{m_prefix} + args);
    if (wait == 0) {
        m_program = std::move(p);
        return 0;
    }
    return p->waitForFinished(wait) && p->exitStatus() == QProcess::NormalExit ? p->exitCode() : -1;
}

void TestWine::initTestCase() {
    QDir(m_prefix).removeRecursively();
    QFile browser(m_bin.filePath(QStringLiteral("xdg-open")));
    QVERIFY(browser.open(QIODevice::WriteOnly));
    browser.write("#!/bin/sh\nprintf '%s\\n' \"$*\" >> \"$(dirname \"$0\")/opened\"\n");
    browser.close();
    QVERIFY(browser.setPermissions(browser.permissions() | QFileDevice::ExeOwner));
    QCOMPARE(wine(words("cmd /c exit"), kFirstStartMs), 0); // makes the prefix
    // A school's computer has a browser for pages: here the one that hands them to xdg-open.
    QCOMPARE(wine(words("reg add HKCR\\.html /ve /d htmlfile /f")), 0);
}

void TestWine::cleanup() {
    if (m_program && m_program->state() != QProcess::NotRunning) {
        m_program->kill();
        m_program->waitForFinished(30000);
    }
    m_program.reset();
    server("-k");
}

QString TestWine::startProgram(const QString& exe, int dpi) {
    // Windows' display scaling, read when the programs of the prefix next start.
    wine({QStringLiteral("reg"), QStringLiteral("add"),
          QStringLiteral("HKCU\\Control Panel\\Desktop"), QStringLiteral("/v"),
          QStringLiteral("LogPixels"), QStringLiteral("/t"), QStringLiteral("REG_DWORD"),
          QStringLiteral("/d"), QString::number(dpi), QStringLiteral("/f")});
    server("-w");
    wine({exe}, 0);
    QString window;
    for (int k = 0;
         k < kWaitMs / 250 && window.isEmpty() && m_program->state() != QProcess::NotRunning; ++k) {
        QTest::qWait(250);
        window = programWindow();
    }
    QTest::qWait(1000); // its first paint follows
    return window;
}

void TestWine::closeWithAltF4() {
    QVERIFY(key(QStringLiteral("alt+F4")));
    QVERIFY2(m_program->waitForFinished(kWaitMs), "the program did not end on Alt+F4");
    QCOMPARE(m_program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_program->exitCode(), 0);
}

// At 100 % on a screen of 96 dpi: every control outside the aquarium where the Linux window
// shows it, within a pixel; a run from 16 prey and 11 predators whose generation and stocks are
// the Linux window's after as many generations; Ctrl+Plus to 110 % and Ctrl+0 back; F11 fills
// the screen and gives the window back; Alt+F4 ends the program with status 0.
void TestWine::windowAsOnLinux() {
    const QString window = startProgram(setting("RB_PROGRAM_EXE"));
    QVERIFY2(!window.isEmpty(), "the program's window did not appear");
    const QRect placed = windowGeometry(window);
    QCOMPARE(placed.width(), 1256);

    // The Linux window, drawn but kept off the display: the screen shows Wine's alone, and the
    // keys and clicks reach only Wine's.
    auto onLinux = rbtest::loadForm();
    rb::Form1& f = **onLinux;
    f.setAttribute(Qt::WA_DontShowOnScreen);
    f.show();
    const QImage reference = f.client()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(reference.size(), QSize(1256, 678));

    // The client area: under the menu bar (whose height depends on the font), near the X
    // window's place (Wine puts the window there or a caption's height above it). The control
    // area under the phase diagram, where no fish swim, finds it.
    const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
        QImage::Format_RGB32);
    if (const QString keep = qEnvironmentVariable("RB_WINE_SCREENSHOT"); !keep.isEmpty()) {
        shot.save(keep); // for a look by eye
    }
    double alike = 0;
    const QPoint client =
        bestPlace(shot, reference, QRect(696, 365, 348, 270), placed.topLeft(), 60, 3, &alike);
    QVERIFY2(alike > 0.9, qPrintable(QStringLiteral("no client area (%1 % alike)").arg(alike)));
    QStringList misplaced;
    const auto controls = steadyControls(f);
    QVERIFY(controls.size() > 40);
    for (const auto& [name, area] : controls) {
        const QRect inside = area.intersected(reference.rect()).adjusted(-2, -2, 2, 2);
        const QPoint off = bestPlace(shot, reference, inside, client, 3, 1, &alike) - client;
        if (std::abs(off.x()) > 1 || std::abs(off.y()) > 1 || alike < 0.7) {
            misplaced << QStringLiteral("%1 by %2,%3 (%4 % alike)")
                             .arg(name)
                             .arg(off.x())
                             .arg(off.y())
                             .arg(qRound(alike * 100));
        }
    }
    QVERIFY2(misplaced.isEmpty(), qPrintable(misplaced.join(QStringLiteral("; "))));

    const auto at = [&](const QWidget* w, QPoint inside) {
        return client + w->mapTo(f.client(), inside);
    };
    const auto centre = [&](const QWidget* w) { return at(w, w->rect().center()); };
    const auto clickAt = [](QPoint p, const char* clicks) {
        return rbtest::moveTo(p) && xdo(words(clicks));
    };
    QVERIFY(
        clickAt(at(f.HScroll1, {f.HScroll1->width() - 6, 6}), "click --repeat 15 --delay 120 1"));
    QVERIFY(
        clickAt(at(f.HScroll2, {f.HScroll2->width() - 6, 6}), "click --repeat 11 --delay 120 1"));
    QCOMPARE(copiedText(centre(f.txtFisch1)) + ' ' + copiedText(centre(f.txtFisch2)),
             QStringLiteral("16 11"));
    QVERIFY(clickAt(centre(f.Command1), "click 1"));
    QTRY_VERIFY_WITH_TIMEOUT(copiedText(centre(f.Text2)).startsWith(QLatin1String("Generation ")) &&
                                 copiedText(centre(f.Text2)) != QLatin1String("Generation 0"),
                             kWaitMs);
    QTest::qWait(2000);
    QVERIFY(clickAt(centre(f.Command2), "click 1"));
    QTest::qWait(1000);
    const QString generation = copiedText(centre(f.Text2));
    const int n = generation.section(QLatin1Char(' '), -1).toInt();
    QVERIFY2(n > 0, qPrintable(generation));
    rbtest::setSlider(f.HScroll1, 16);
    rbtest::setSlider(f.HScroll2, 11);
    for (int k = 0; k < n; ++k) {
        rbtest::tick(f);
    }
    f.stopped = true; // its own timer computes no more generations while this test waits
    for (const QWidget* box :
         {static_cast<QWidget*>(f.Text2), static_cast<QWidget*>(f.txtFisch1),
          static_cast<QWidget*>(f.txtFisch2), static_cast<QWidget*>(f.txtFisch1Bestand),
          static_cast<QWidget*>(f.txtFisch2Bestand)}) {
        QCOMPARE(copiedText(centre(box)), box->property("text").toString());
    }

    QVERIFY(key(QStringLiteral("ctrl+plus")));
    QTRY_COMPARE_WITH_TIMEOUT(windowGeometry(window).width(), qRound(1256 * 1.1), kWaitMs);
    QVERIFY(key(QStringLiteral("ctrl+0")));
    QTRY_COMPARE_WITH_TIMEOUT(windowGeometry(window).width(), 1256, kWaitMs);
    QVERIFY(key(QStringLiteral("F11")));
    QTRY_COMPARE_WITH_TIMEOUT(windowGeometry(window).size(),
                              QGuiApplication::primaryScreen()->size(), kWaitMs);
    QVERIFY(key(QStringLiteral("F11")));
    QTRY_COMPARE_WITH_TIMEOUT(windowGeometry(window).width(), 1256, kWaitMs);
    closeWithAltF4();
}

void TestWine::startsWithinTheScreen_data() {
    QTest::addColumn<int>("dpi");
    QTest::addRow("100 %%") << 96;
    QTest::addRow("125 %%") << 120;
    QTest::addRow("150 %%") << 144;
}

// Under Windows' display scaling the window starts at 100 % where it fits (its width the form's
// times the scale), else at the largest zoom at which it fits, taking the screen's width or
// height; all of it on the screen.
void TestWine::startsWithinTheScreen() {
    QFETCH(int, dpi);
    const QString window = startProgram(setting("RB_PROGRAM_EXE"), dpi);
    QVERIFY2(!window.isEmpty(), "the program's window did not appear");
    const QRect placed = windowGeometry(window);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QVERIFY2(screen.contains(placed), qPrintable(QStringLiteral("%1x%2 at %3,%4")
                                                     .arg(placed.width())
                                                     .arg(placed.height())
                                                     .arg(placed.x())
                                                     .arg(placed.y())));
    const double zoom = placed.width() / (1256 * dpi / 96.0);
    QVERIFY2(zoom >= 0.49 && zoom <= 1.01, qPrintable(QString::number(zoom)));
    QVERIFY2(zoom > 0.99 || placed.width() >= 0.9 * screen.width() ||
                 placed.bottom() >= 0.9 * screen.height(),
             qPrintable(QStringLiteral("zoom %1 leaves room").arg(zoom)));
    closeWithAltF4();
}

// Unpacked into a folder whose path has blanks and umlauts, with the guide, the worksheet and
// every picture they show, the licence and the word for teachers: the program starts there,
// and F1 hands the browser the guide beside it.
void TestWine::zipInAFolderWithUmlauts() {
    const QString folder = m_prefix + "/drive_c/users/Lehrkräfte Physik-Bio/Downloads/Räuber Beute";
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(!output(QStringLiteral("unzip"),
                    {QStringLiteral("-o"), setting("RB_ZIP"), QStringLiteral("-d"), folder})
                 .isEmpty());
    QFile guide(folder + "/anleitung.html");
    QVERIFY(guide.open(QIODevice::ReadOnly));
    QStringList names = words("raeuber-beute.exe arbeitsblatt.html LICENSE.txt LIESMICH.txt");
    for (auto it = QRegularExpression(QStringLiteral("<img src=\"([^\"]+)\""))
                       .globalMatch(QString::fromUtf8(guide.readAll()));
         it.hasNext();) {
        names << it.next().captured(1);
    }
    QVERIFY(names.size() >= 4 + 7);
    for (const QString& name : names) {
        QVERIFY2(QFileInfo::exists(folder + '/' + name), qPrintable(name));
    }

    const QString window = startProgram(QStringLiteral(
        "C:\\users\\Lehrkräfte Physik-Bio\\Downloads\\Räuber Beute\\raeuber-beute.exe"));
    QVERIFY2(!window.isEmpty(), "the program's window did not appear");
    QVERIFY(rbtest::moveTo(windowGeometry(window).center()) && xdo(words("click 1")));
    QVERIFY(key(QStringLiteral("F1")));
    QFile opened(m_bin.filePath(QStringLiteral("opened")));
    QTRY_VERIFY_WITH_TIMEOUT(opened.size() > 0, kWaitMs);
    QVERIFY(opened.open(QIODevice::ReadOnly));
    const QUrl page(QString::fromUtf8(opened.readAll()).trimmed());
    QCOMPARE(QFileInfo(page.toLocalFile()).canonicalFilePath(),
             QFileInfo(guide).canonicalFilePath());
    closeWithAltF4();
}

void TestWine::setup_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("key");
    const passwd* pw = getpwuid(getuid());
    const QString user = "users/" + QString::fromLocal8Bit(pw ? pw->pw_name : "root");
    const QString entry = QStringLiteral("Räuber-Beute Modell");
    const QString uninstall = QStringLiteral(
        "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\RaeuberBeuteModell");
    QTest::addRow("all users") << "/AllUsers"
                               << "Program Files/" + entry
                               << "ProgramData/Microsoft/Windows/Start Menu/Programs/" + entry
                               << "HKLM" + uninstall;
    QTest::addRow("this user") << "/CurrentUser" << user + "/AppData/Local/Programs/" + entry
                               << user + "/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/" +
                                      entry
                               << "HKCU" + uninstall;
}

// Silent, the setup puts the zip's files and an uninstaller into the folder, an entry into the
// Start menu and one into the list of installed apps with a silent uninstall; that uninstall
// leaves the Windows installation as it was before.
void TestWine::setup() {
    QFETCH(QString, mode);
    QFETCH(QString, folder);
    QFETCH(QString, link);
    QFETCH(QString, key);
    const QString drive = m_prefix + "/drive_c/";
    server("-w");
    const QStringList before = filesUnder(drive);
    QCOMPARE(wine({setting("RB_SETUP"), QStringLiteral("/S"), mode}), 0);

    QStringList installed = QDir(drive + folder).entryList(QDir::Files);
    QStringList expected =
        output(QStringLiteral("unzip"), {QStringLiteral("-Z1"), setting("RB_ZIP")})
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
        << QStringLiteral("uninstall.exe");
    installed.sort();
    expected.sort();
    QCOMPARE(installed, expected);
    QVERIFY2(QFileInfo::exists(drive + link + ".lnk"), qPrintable(link));
    QCOMPARE(wine({QStringLiteral("reg"), QStringLiteral("query"), key, QStringLiteral("/v"),
                   QStringLiteral("QuietUninstallString")}),
             0);

    // As that entry runs it: the uninstaller copies itself away and ends; the copy removes.
    QCOMPARE(wine({"C:\\" + QString(folder).replace('/', '\\') + "\\uninstall.exe",
                   QStringLiteral("/S"), mode}),
             0);
    QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(drive + folder), kWaitMs);
    QVERIFY(!QFileInfo::exists(drive + link + ".lnk"));
    QVERIFY(wine({QStringLiteral("reg"), QStringLiteral("query"), key}) != 0);
    server("-w");
    QCOMPARE(filesUnder(drive), before);
}

QTEST_MAIN(TestWine)
#include "wine_checks.moc"
