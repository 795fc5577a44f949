// SPDX-License-Identifier: GPL-3.0-or-later
// Checks an installed copy of the program under a root directory (RB_INSTALL_ROOT): the
// program, its launcher, its icons, its metainfo, its manual pages and its documents, and how
// they refer to each other. With RB_PACKAGE naming a .deb, also the package's control fields
// and changelog.

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTest>
#include <QXmlStreamReader>

namespace {

const QString kAppId = QStringLiteral(RB_APP_ID);

QString root() {
    return qEnvironmentVariable("RB_INSTALL_ROOT");
}

QString installed(const QString& path) {
    return root() + QStringLiteral("/usr/") + path;
}

QString launcherPath() {
    return installed(QStringLiteral("share/applications/%1.desktop").arg(kAppId));
}

QString metainfoPath() {
    return installed(QStringLiteral("share/metainfo/%1.metainfo.xml").arg(kAppId));
}

// The keys of the [Desktop Entry] group, localized keys as written ("Comment[de]").
QMap<QString, QString> readLauncher() {
    QMap<QString, QString> keys;
    QFile file(launcherPath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return keys;
    }
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const auto eq = line.indexOf(QLatin1Char('='));
        if (inEntry && eq > 0 && !line.startsWith(QLatin1Char('#'))) {
            keys.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
        }
    }
    return keys;
}

// Selected facts of the metainfo: "id", "project_license", "launchable", "release", "binary",
// "screenshot", "content_rating", "summary" and "summary[de]".
QMap<QString, QString> readMetainfo() {
    QMap<QString, QString> facts;
    QFile file(metainfoPath());
    if (!file.open(QIODevice::ReadOnly)) {
        return facts;
    }
    QXmlStreamReader xml(&file);
    QStringList path;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            path.append(xml.name().toString());
            const QString where = path.join(QLatin1Char('/'));
            const auto lang = xml.attributes().value(QStringLiteral("xml:lang")).toString();
            if (where == QLatin1String("component/id")) {
                facts.insert(QStringLiteral("id"), xml.readElementText());
                path.removeLast();
            } else if (where == QLatin1String("component/project_license")) {
                facts.insert(QStringLiteral("project_license"), xml.readElementText());
                path.removeLast();
            } else if (where == QLatin1String("component/launchable")) {
                facts.insert(QStringLiteral("launchable"), xml.readElementText());
                path.removeLast();
            } else if (where == QLatin1String("component/summary")) {
                facts.insert(lang.isEmpty() ? QStringLiteral("summary")
                                            : QStringLiteral("summary[%1]").arg(lang),
                             xml.readElementText());
                path.removeLast();
            } else if (where == QLatin1String("component/provides/binary")) {
                facts.insert(QStringLiteral("binary"), xml.readElementText());
                path.removeLast();
            } else if (where == QLatin1String("component/screenshots/screenshot/image")) {
                facts.insert(QStringLiteral("screenshot"), xml.readElementText());
                path.removeLast();
            } else if (where == QLatin1String("component/releases/release")) {
                facts.insert(QStringLiteral("release"),
                             xml.attributes().value(QStringLiteral("version")).toString());
            } else if (where == QLatin1String("component/content_rating")) {
                facts.insert(QStringLiteral("content_rating"),
                             xml.attributes().value(QStringLiteral("type")).toString());
            }
        } else if (xml.isEndElement()) {
            path.removeLast();
        }
    }
    if (xml.hasError()) {
        facts.insert(QStringLiteral("error"), xml.errorString());
    }
    return facts;
}

// The standard output of a command, or a text saying that it failed.
QString output(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        return QStringLiteral("<%1 failed: %2>")
            .arg(program, QString::fromUtf8(p.readAllStandardError()));
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString controlField(const QString& field) {
    return output(QStringLiteral("dpkg-deb"),
                  {QStringLiteral("-f"), qEnvironmentVariable("RB_PACKAGE"), field})
        .trimmed();
}

// The lines of an installed gzip file. Debian's tools compress without a time stamp (bytes 4
// to 7 of the header), so that the same text gives the same package.
QStringList gunzippedLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {QStringLiteral("<cannot open %1>").arg(path)};
    }
    const QByteArray header = file.read(8);
    if (header.size() != 8 || header.mid(4, 4) != QByteArray(4, '\0')) {
        return {QStringLiteral("<%1 has a time stamp>").arg(path)};
    }
    return output(QStringLiteral("gzip"), {QStringLiteral("-dc"), path}).split(QLatin1Char('\n'));
}

// The paragraphs of a Debian control-style file, each as its lines.
QList<QStringList> paragraphs(const QString& path) {
    QFile file(path);
    QList<QStringList> result{{}};
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return result;
    }
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.isEmpty()) {
            if (!result.last().isEmpty()) {
                result.append(QStringList());
            }
        } else {
            result.last().append(line);
        }
    }
    return result;
}

} // namespace

class TestInstalled : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void files_data();
    void files();
    void pngIcons_data();
    void pngIcons();
    void scalableIconKeepsItsProportions();

    void launcherEntries_data();
    void launcherEntries();
    void launcherStartsTheInstalledProgramWithItsIcon();

    void metainfo_data();
    void metainfo();
    void metainfoNamesTheInstalledLauncher();

    void guidePages_data();
    void guidePages();
    void manualPages_data();
    void manualPages();
    void copyrightFile();
    void programIsHardened();

    void packageDepends_data();
    void packageDepends();
    void packageFields_data();
    void packageFields();
    void packageChangelog();
};

void TestInstalled::initTestCase() {
    QVERIFY2(!root().isEmpty(), "RB_INSTALL_ROOT is not set");
    QVERIFY2(QFileInfo(root()).isDir(), qPrintable(root()));
}

void TestInstalled::files_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("executable");
    QTest::newRow("program") << QStringLiteral("bin/raeuber-beute") << true;
    QTest::newRow("launcher") << QStringLiteral("share/applications/%1.desktop").arg(kAppId)
                              << false;
    QTest::newRow("metainfo") << QStringLiteral("share/metainfo/%1.metainfo.xml").arg(kAppId)
                              << false;
    QTest::newRow("scalable icon")
        << QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(kAppId) << false;
    QTest::newRow("manual page") << QStringLiteral("share/man/man1/raeuber-beute.1.gz") << false;
    QTest::newRow("German manual page")
        << QStringLiteral("share/man/de/man1/raeuber-beute.1.gz") << false;
    QTest::newRow("copyright") << QStringLiteral("share/doc/raeuber-beute/copyright") << false;
    // The guide in the program's own folder, which F1 opens also where share/doc/ is left out.
    QTest::newRow("guide") << QStringLiteral("share/raeuber-beute/anleitung.md") << false;
    QTest::newRow("guide as HTML") << QStringLiteral("share/raeuber-beute/anleitung.html") << false;
    QTest::newRow("worksheet as HTML")
        << QStringLiteral("share/raeuber-beute/arbeitsblatt.html") << false;
}

void TestInstalled::files() {
    QFETCH(QString, path);
    QFETCH(bool, executable);
    const QFileInfo info(installed(path));
    QVERIFY2(info.isFile(), qPrintable(info.filePath()));
    QVERIFY(info.size() > 0);
    QCOMPARE(info.isExecutable(), executable);
    // Readable by everybody: a system installation is used by other accounts.
    QVERIFY(info.permission(QFileDevice::ReadOther));
}

void TestInstalled::pngIcons_data() {
    QTest::addColumn<int>("size");
    for (int size : {16, 32, 48, 64, 128, 256}) {
        QTest::newRow(qPrintable(QStringLiteral("%1x%1").arg(size))) << size;
    }
}

void TestInstalled::pngIcons() {
    QFETCH(int, size);
    const QString file =
        installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(kAppId));
    QImage icon(file);
    QVERIFY2(!icon.isNull(), qPrintable(file));
    QCOMPARE(icon.size(), QSize(size, size));
    QVERIFY(icon.hasAlphaChannel());
    // The round face fills the middle; the corners stay transparent.
    QCOMPARE(qAlpha(icon.pixel(size / 2, size / 2)), 255);
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(icon.pixel(size - 1, size - 1)), 0);
}

void TestInstalled::scalableIconKeepsItsProportions() {
    QSvgRenderer svg(
        installed(QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(kAppId)));
    QVERIFY(svg.isValid());
    QCOMPARE(svg.defaultSize(), QSize(96, 93));
}

void TestInstalled::launcherEntries_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("type") << QStringLiteral("Type") << QStringLiteral("Application");
    QTest::newRow("name") << QStringLiteral("Name") << QStringLiteral("Räuber-Beute Modell");
    QTest::newRow("categories") << QStringLiteral("Categories")
                                << QStringLiteral("Education;Biology;");
    QTest::newRow("no terminal") << QStringLiteral("Terminal") << QStringLiteral("false");
    QTest::newRow("window class") << QStringLiteral("StartupWMClass")
                                  << QStringLiteral("raeuber-beute");
}

void TestInstalled::launcherEntries() {
    QFETCH(QString, key);
    QFETCH(QString, value);
    const auto keys = readLauncher();
    QVERIFY2(keys.contains(key), qPrintable(key));
    QCOMPARE(keys.value(key), value);
    // Texts that a menu shows come in English and German.
    QVERIFY(!keys.value(QStringLiteral("Comment")).isEmpty());
    QVERIFY(!keys.value(QStringLiteral("Comment[de]")).isEmpty());
    QVERIFY(keys.value(QStringLiteral("Comment")) != keys.value(QStringLiteral("Comment[de]")));
}

void TestInstalled::launcherStartsTheInstalledProgramWithItsIcon() {
    const auto keys = readLauncher();
    const QString exec = keys.value(QStringLiteral("Exec")).section(QLatin1Char(' '), 0, 0);
    QVERIFY(!exec.isEmpty());
    // A bare name is looked up in PATH, which holds /usr/bin.
    QVERIFY2(!exec.contains(QLatin1Char('/')), qPrintable(exec));
    QVERIFY2(QFileInfo(installed(QStringLiteral("bin/") + exec)).isExecutable(), qPrintable(exec));
    QCOMPARE(keys.value(QStringLiteral("TryExec")), exec);

    // The icon is a theme name that every size of the installed icon answers to.
    const QString icon = keys.value(QStringLiteral("Icon"));
    QCOMPARE(icon, kAppId);
    QDir hicolor(installed(QStringLiteral("share/icons/hicolor")));
    const QStringList sizes = hicolor.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCOMPARE(sizes.size(), 7); // six PNG sizes and scalable
    for (const QString& dir : sizes) {
        const QString ext =
            dir == QLatin1String("scalable") ? QStringLiteral("svg") : QStringLiteral("png");
        const QString file = hicolor.filePath(QStringLiteral("%1/apps/%2.%3").arg(dir, icon, ext));
        QVERIFY2(QFileInfo::exists(file), qPrintable(file));
    }
}

void TestInstalled::metainfo_data() {
    QTest::addColumn<QString>("fact");
    QTest::addColumn<QString>("value");
    QTest::newRow("id") << QStringLiteral("id") << kAppId;
    QTest::newRow("licence") << QStringLiteral("project_license")
                             << QStringLiteral("GPL-3.0-or-later");
    QTest::newRow("release is this version")
        << QStringLiteral("release") << QStringLiteral(RB_VERSION);
    QTest::newRow("program") << QStringLiteral("binary") << QStringLiteral("raeuber-beute");
    QTest::newRow("content rating")
        << QStringLiteral("content_rating") << QStringLiteral("oars-1.1");
}

void TestInstalled::metainfo() {
    QFETCH(QString, fact);
    QFETCH(QString, value);
    const auto facts = readMetainfo();
    QVERIFY2(!facts.contains(QStringLiteral("error")),
             qPrintable(facts.value(QStringLiteral("error"))));
    QCOMPARE(facts.value(fact), value);
}

void TestInstalled::metainfoNamesTheInstalledLauncher() {
    const auto facts = readMetainfo();
    QCOMPARE(facts.value(QStringLiteral("launchable")), kAppId + QStringLiteral(".desktop"));
    QVERIFY(QFileInfo::exists(installed(QStringLiteral("share/applications/") +
                                        facts.value(QStringLiteral("launchable")))));
    QVERIFY(QFileInfo::exists(
        installed(QStringLiteral("bin/") + facts.value(QStringLiteral("binary")))));
    QVERIFY(facts.value(QStringLiteral("screenshot")).startsWith(QLatin1String("https://")));
    QVERIFY(!facts.value(QStringLiteral("summary")).isEmpty());
    QVERIFY(!facts.value(QStringLiteral("summary[de]")).isEmpty());
}

// The package names of a relationship field: "libqt6gui6 (>= 6.2.0)" -> "libqt6gui6";
// alternatives count as well.
static QStringList relations(const QString& field) {
    QStringList names;
    for (const QString& entry : controlField(field).split(QLatin1Char(','))) {
        for (const QString& alternative : entry.split(QLatin1Char('|'))) {
            names.append(alternative.trimmed().section(QLatin1Char(' '), 0, 0));
        }
    }
    return names;
}

void TestInstalled::packageDepends_data() {
    QTest::addColumn<QString>("package");
    QTest::addColumn<QString>("field");
    QTest::newRow("Qt core") << QStringLiteral("libqt6core6") << QStringLiteral("Depends");
    QTest::newRow("Qt GUI") << QStringLiteral("libqt6gui6") << QStringLiteral("Depends");
    QTest::newRow("Qt widgets") << QStringLiteral("libqt6widgets6") << QStringLiteral("Depends");
    QTest::newRow("Qt SVG") << QStringLiteral("libqt6svg6") << QStringLiteral("Depends");
    QTest::newRow("C++ library") << QStringLiteral("libstdc++6") << QStringLiteral("Depends");
    // The program runs with other fonts, as the guide and README say: recommended, not needed.
    QTest::newRow("fonts") << QStringLiteral("fonts-liberation") << QStringLiteral("Recommends");
    QTest::newRow("xdg-open") << QStringLiteral("xdg-utils") << QStringLiteral("Recommends");
}

// Each package in the one field, and not in the other.
void TestInstalled::packageDepends() {
    if (qEnvironmentVariableIsEmpty("RB_PACKAGE")) {
        QSKIP("no package given (RB_PACKAGE)");
    }
    QFETCH(QString, package);
    QFETCH(QString, field);
    const QString other = field == QLatin1String("Depends") ? QStringLiteral("Recommends")
                                                            : QStringLiteral("Depends");
    const QStringList names = relations(field);
    QVERIFY2(names.contains(package), qPrintable(names.join(QStringLiteral(", "))));
    QVERIFY2(!relations(other).contains(package), qPrintable(other));
}

void TestInstalled::packageFields_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::newRow("package") << QStringLiteral("Package") << QStringLiteral("raeuber-beute");
    QTest::newRow("version") << QStringLiteral("Version") << QStringLiteral(RB_PACKAGE_VERSION);
    QTest::newRow("section") << QStringLiteral("Section") << QStringLiteral("education");
    // Nothing that pulls Qt's QML libraries into a Widgets program.
    QTest::newRow("recommends")
        << QStringLiteral("Recommends")
        << QStringLiteral("fonts-liberation, qt6-qpa-plugins, qt6-translations-l10n, xdg-utils");
}

void TestInstalled::packageFields() {
    if (qEnvironmentVariableIsEmpty("RB_PACKAGE")) {
        QSKIP("no package given (RB_PACKAGE)");
    }
    QFETCH(QString, field);
    QFETCH(QString, value);
    QCOMPARE(controlField(field), value);
    // A maintainer with an address, and a description with a summary line and more.
    QVERIFY(controlField(QStringLiteral("Maintainer")).contains(QLatin1Char('<')));
    QVERIFY(!controlField(QStringLiteral("Maintainer")).contains(QLatin1String("@localhost")));
    QVERIFY(controlField(QStringLiteral("Description")).count(QLatin1Char('\n')) >= 2);
}

void TestInstalled::guidePages_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("pictures");
    QTest::addColumn<int>("answers");          // places with lines to write on
    QTest::addColumn<QStringList>("sections"); // the kinds of its printed sections, in order
    const QString plain;
    const QString task = QStringLiteral("task");
    QTest::newRow("guide") << QStringLiteral("anleitung.html") << 7 << 0 << QStringList(15, plain);
    // Each task stays on one printed page, and the answers start a new one.
    QTest::newRow("worksheet") << QStringLiteral("arbeitsblatt.html") << 0 << 14
                               << QStringList{task, task, task,
                                              task, task, QStringLiteral("new-page")};
}

// The HTML pages show every picture from beside them, scaled to the text column (no fixed size)
// and as a link to itself at its own size, and lead to each other rather than to the Markdown
// sources.
void TestInstalled::guidePages() {
    QFETCH(QString, page);
    QFETCH(int, pictures);
    QFETCH(int, answers);
    QFETCH(QStringList, sections);
    const QDir doc(installed(QStringLiteral("share/raeuber-beute")));
    QFile file(doc.filePath(page));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QString html = QString::fromUtf8(file.readAll());
    static const QRegularExpression img(QStringLiteral("(<a href=\"[^\"]*\">)?<img ([^>]*)>"));
    static const QRegularExpression src(QStringLiteral("src=\"([^\"]+)\""));
    int shown = 0;
    for (const auto& m : img.globalMatch(html)) {
        const QString name = src.match(m.captured(2)).captured(1);
        QVERIFY2(QImage(doc.filePath(name)).width() > 0, qPrintable(name));
        QVERIFY2(!m.captured(2).contains(QLatin1String("width")), qPrintable(m.captured(0)));
        QCOMPARE(m.captured(1), QStringLiteral("<a href=\"%1\">").arg(name));
        ++shown;
    }
    QCOMPARE(shown, pictures);
    QVERIFY(html.contains(QLatin1String("img { max-width: 100%; height: auto;")));
    QCOMPARE(html.count(QLatin1String("<div class=\"answer\"><div></div><div></div>")), answers);
    static const QRegularExpression section(
        QStringLiteral("<section(?: class=\"([a-z-]+)\")?><h2>"));
    QStringList kinds;
    for (const auto& m : section.globalMatch(html)) {
        kinds.append(m.captured(1));
    }
    QCOMPARE(kinds, sections);
    QVERIFY(!html.contains(QLatin1String(".md\"")));
    QVERIFY(html.contains(QLatin1String("<title>")));
}

void TestInstalled::manualPages_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("sections");
    QTest::newRow("English") << QStringLiteral("share/man/man1/raeuber-beute.1.gz")
                             << QStringList{QStringLiteral(".SH NAME"),
                                            QStringLiteral(".SH OPTIONS"),
                                            QStringLiteral(".SH FILES")};
    QTest::newRow("German") << QStringLiteral("share/man/de/man1/raeuber-beute.1.gz")
                            << QStringList{QStringLiteral(".SH BEZEICHNUNG"),
                                           QStringLiteral(".SH OPTIONEN"),
                                           QStringLiteral(".SH DATEIEN")};
}

void TestInstalled::manualPages() {
    QFETCH(QString, path);
    QFETCH(QStringList, sections);
    const QStringList lines = gunzippedLines(installed(path));
    const QString title = QStringLiteral(R"(.TH RAEUBER-BEUTE 1 "%1" "raeuber-beute %2" )")
                              .arg(QStringLiteral(RB_RELEASE_DATE), QStringLiteral(RB_VERSION));
    const auto th = std::find_if(lines.begin(), lines.end(), [](const QString& l) {
        return l.startsWith(QLatin1String(".TH"));
    });
    QVERIFY2(th != lines.end(), qPrintable(lines.join(QLatin1Char('\n'))));
    QVERIFY2(th->startsWith(title), qPrintable(*th));
    for (const QString& section : sections) {
        QVERIFY2(lines.contains(section), qPrintable(section));
    }
    // Every file and folder the page lists under /usr/bin and /usr/share is installed.
    for (const QString& line : lines) {
        if ((line.startsWith(QLatin1String(".I /usr/bin/")) ||
             line.startsWith(QLatin1String(".I /usr/share/"))) &&
            !line.contains(QLatin1Char('*'))) {
            const QString file = line.mid(QStringLiteral(".I /usr/").size());
            QVERIFY2(QFileInfo::exists(installed(file)), qPrintable(file));
        }
    }
}

void TestInstalled::copyrightFile() {
    const auto paras = paragraphs(installed(QStringLiteral("share/doc/raeuber-beute/copyright")));
    QVERIFY(paras.size() >= 3);
    QCOMPARE(paras[0].value(0),
             QStringLiteral(
                 "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"));
    // All files are GPL-3+, and the licence paragraph points to Debian's copy of its text.
    QVERIFY2(paras[1].contains(QStringLiteral("Files: *")),
             qPrintable(paras[1].join(QLatin1Char('|'))));
    QVERIFY(paras[1].contains(QStringLiteral("License: GPL-3+")));
    const auto licence = std::find_if(paras.begin(), paras.end(), [](const QStringList& p) {
        return p.value(0) == QLatin1String("License: GPL-3+");
    });
    QVERIFY(licence != paras.end());
    QVERIFY(licence->contains(
        QStringLiteral(R"( version 3 can be found in "/usr/share/common-licenses/GPL-3".)")));
}

void TestInstalled::programIsHardened() {
    if (!RB_HARDENED) {
        QSKIP("built without hardening (RB_HARDENING=OFF)");
    }
    const QString program = installed(QStringLiteral("bin/raeuber-beute"));
    // Position independent, relocations read-only and bound at start.
    const QString header =
        output(QStringLiteral("readelf"), {QStringLiteral("-hld"), QStringLiteral("-W"), program});
    QVERIFY2(header.contains(QLatin1String("DYN (Position-Independent Executable file)")),
             qPrintable(header));
    QVERIFY(header.contains(QLatin1String("GNU_RELRO")));
    QVERIFY(header.contains(QLatin1String("(FLAGS)              BIND_NOW")));
    QVERIFY(header.contains(QLatin1String("Flags: NOW PIE")));
    // The stack protector. (Fortified calls show only where the compiler knows a buffer's
    // size; lintian's hardening checks of the package look for unfortified ones.)
    const QString symbols = output(QStringLiteral("readelf"),
                                   {QStringLiteral("--dyn-syms"), QStringLiteral("-W"), program});
    QVERIFY(symbols.contains(QLatin1String("__stack_chk_fail")));
}

void TestInstalled::packageChangelog() {
    if (qEnvironmentVariableIsEmpty("RB_PACKAGE")) {
        QSKIP("no package given (RB_PACKAGE)");
    }
    const QStringList lines =
        gunzippedLines(installed(QStringLiteral("share/doc/raeuber-beute/changelog.Debian.gz")));
    QCOMPARE(lines.value(0), QStringLiteral("raeuber-beute (%1) unstable; urgency=medium")
                                 .arg(QStringLiteral(RB_PACKAGE_VERSION)));
    // The newest entry's trailer: the package's maintainer and the release date.
    const auto trailer = std::find_if(lines.begin(), lines.end(), [](const QString& l) {
        return l.startsWith(QLatin1String(" -- "));
    });
    QVERIFY(trailer != lines.end());
    const QDate released = QDate::fromString(QStringLiteral(RB_RELEASE_DATE), Qt::ISODate);
    QCOMPARE(*trailer,
             QStringLiteral(" -- %1  %2 12:00:00 +0000")
                 .arg(controlField(QStringLiteral("Maintainer")),
                      QLocale::c().toString(released, QStringLiteral("ddd, dd MMM yyyy"))));
}

QTEST_GUILESS_MAIN(TestInstalled)
#include "tst_installed.moc"
