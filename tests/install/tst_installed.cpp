// SPDX-License-Identifier: GPL-3.0-or-later
// Checks an installed copy of the program under a root directory (RB_INSTALL_ROOT): the
// program, its launcher, its icons and its metainfo, and how they refer to each other. With
// RB_PACKAGE naming a .deb, also the package's control fields.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QProcess>
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

QString controlField(const QString& field) {
    QProcess p;
    p.start(QStringLiteral("dpkg-deb"),
            {QStringLiteral("-f"), qEnvironmentVariable("RB_PACKAGE"), field});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        return QStringLiteral("<dpkg-deb failed: %1>")
            .arg(QString::fromUtf8(p.readAllStandardError()));
    }
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
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

    void packageDepends_data();
    void packageDepends();
    void packageFields_data();
    void packageFields();
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
                                << QStringLiteral("Education;Science;Biology;");
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

void TestInstalled::packageDepends_data() {
    QTest::addColumn<QString>("package");
    QTest::newRow("Qt core") << QStringLiteral("libqt6core6");
    QTest::newRow("Qt GUI") << QStringLiteral("libqt6gui6");
    QTest::newRow("Qt widgets") << QStringLiteral("libqt6widgets6");
    QTest::newRow("Qt SVG") << QStringLiteral("libqt6svg6");
    QTest::newRow("C++ library") << QStringLiteral("libstdc++6");
    QTest::newRow("fonts") << QStringLiteral("fonts-liberation");
}

void TestInstalled::packageDepends() {
    if (qEnvironmentVariableIsEmpty("RB_PACKAGE")) {
        QSKIP("no package given (RB_PACKAGE)");
    }
    QFETCH(QString, package);
    QStringList names;
    for (const QString& entry : controlField(QStringLiteral("Depends")).split(QLatin1Char(','))) {
        // "libqt6gui6 (>= 6.2.0)" -> "libqt6gui6"; alternatives count as well.
        for (const QString& alternative : entry.split(QLatin1Char('|'))) {
            names.append(alternative.trimmed().section(QLatin1Char(' '), 0, 0));
        }
    }
    QVERIFY2(names.contains(package), qPrintable(names.join(QStringLiteral(", "))));
}

void TestInstalled::packageFields_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::newRow("package") << QStringLiteral("Package") << QStringLiteral("raeuber-beute");
    QTest::newRow("version") << QStringLiteral("Version") << QStringLiteral(RB_VERSION);
    QTest::newRow("section") << QStringLiteral("Section") << QStringLiteral("education");
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
    QVERIFY(controlField(QStringLiteral("Description")).count(QLatin1Char('\n')) >= 2);
}

QTEST_GUILESS_MAIN(TestInstalled)
#include "tst_installed.moc"
