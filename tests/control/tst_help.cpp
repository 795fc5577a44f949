// SPDX-License-Identifier: GPL-3.0-or-later
// F1 opens the guide for teachers: the HTML page built beside the program, handed to the
// desktop's browser, on Linux through xdg-open (here a stand-in first on PATH that records the
// page and answers as it is told), on Windows through the shell (here a URL handler). Where no
// browser takes it, or the page is missing, a message says where it is. This test runs from the
// folder the program runs from, so it finds what the program finds.

#include "support/formfixture.h"

#include "control/help.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using rbtest::LoadedForm;

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QStringList opened;
public slots:
    void open(const QUrl& url) { opened.append(url.toLocalFile()); }
};

class TestHelp : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void f1OpensTheGuideOncePerVisit();
    void message_data();
    void message();
    void guideUrlFindsTheInstalledPage();

private:
    // The desktop hands pages to a browser (true), or nothing takes them (false).
    void browserTakesPages(bool takes);
    // The pages handed to the browser so far.
    QStringList opened() const;
    std::unique_ptr<LoadedForm> shownForm() const;

    QTemporaryDir m_bin; // the stand-in xdg-open
    UrlRecorder m_browser;
};

void TestHelp::initTestCase() {
#ifndef Q_OS_WIN
    QVERIFY(m_bin.isValid());
    QFile script(m_bin.filePath(QStringLiteral("xdg-open")));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\n"
                 "here=$(dirname \"$0\")\n"
                 "printf 'page %s\\n' \"$1\" >>\"$here/opened\"\n"
                 "exit \"$(cat \"$here/answer\")\"\n");
    script.close();
    QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("PATH", m_bin.path().toLocal8Bit() + ':' + qgetenv("PATH"));
#endif
}

void TestHelp::init() {
    QFile::remove(m_bin.filePath(QStringLiteral("opened")));
    m_browser.opened.clear();
    browserTakesPages(true);
}

void TestHelp::cleanup() {
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

void TestHelp::browserTakesPages(bool takes) {
#ifdef Q_OS_WIN
    // Without a handler the offscreen platform opens nothing, as a desktop without a browser.
    if (takes) {
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_browser, "open");
    } else {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    }
#else
    // xdg-open's answer when no browser is found: 3.
    QFile answer(m_bin.filePath(QStringLiteral("answer")));
    QVERIFY(answer.open(QIODevice::WriteOnly | QIODevice::Truncate));
    answer.write(takes ? "0\n" : "3\n");
#endif
}

QStringList TestHelp::opened() const {
#ifdef Q_OS_WIN
    return m_browser.opened;
#else
    QFile file(m_bin.filePath(QStringLiteral("opened")));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    // One line a call, "page <its argument>", also when that is empty.
    QStringList pages;
    for (const QString& line :
         QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        pages.append(line.mid(5));
    }
    return pages;
#endif
}

std::unique_ptr<LoadedForm> TestHelp::shownForm() const {
    auto form = rbtest::loadForm();
    (*form)->show();
    QApplication::setActiveWindow(form->form.get());
    return form;
}

static QString builtGuide() {
    return QFileInfo(QCoreApplication::applicationDirPath() + "/docs/anleitung.html")
        .canonicalFilePath();
}

// A second press while the page is being opened opens no second one, and no message shows;
// once the browser has had the front, F1 in the window opens the page again.
void TestHelp::f1OpensTheGuideOncePerVisit() {
    auto form = shownForm();
    QVERIFY(QTest::qWaitForWindowActive(form->form.get()));
    QTest::keyClick((*form)->txtF1p, Qt::Key_F1);
    QTest::keyClick((*form)->txtF1p, Qt::Key_F1);
    QTRY_COMPARE(opened().size(), 1);
    QCOMPARE(QFileInfo(opened()[0]).canonicalFilePath(), builtGuide());
    QVERIFY(QFileInfo(opened()[0]).size() > 0);
    QTRY_COMPARE((*form)->findChildren<QProcess*>().size(), 0);
    QCOMPARE(opened().size(), 1);
    QCOMPARE((*form)->findChild<QMessageBox*>(), nullptr);

    QWidget browser;
    browser.show();
    QApplication::setActiveWindow(&browser);
    QTRY_VERIFY(!(*form)->isActiveWindow());
    QApplication::setActiveWindow(form->form.get());
    QVERIFY(QTest::qWaitForWindowActive(form->form.get()));
    QTest::keyClick(form->form.get(), Qt::Key_F1);
    QTRY_COMPARE(opened().size(), 2);
    QTRY_COMPARE((*form)->findChildren<QProcess*>().size(), 0);
}

void TestHelp::message_data() {
    QTest::addColumn<bool>("guideThere");
    QTest::addColumn<QStringList>("says");
    QTest::addRow("no browser takes the guide")
        << true
        << QStringList{QStringLiteral("ließ sich nicht im Browser öffnen"),
                       QDir::toNativeSeparators(builtGuide())};
    // Installed without its data folder, or on Windows started from inside its zip.
    const QString folder = QDir::tempPath() + QStringLiteral("/raeuber-beute-ohne/bin");
#ifdef Q_OS_WIN
    QTest::addRow("guide missing") << false
                                   << QStringList{QStringLiteral("ZIP-Datei zuerst entpacken"),
                                                  QDir::toNativeSeparators(folder)};
#else
    QTest::addRow("guide missing")
        << false
        << QStringList{
               QStringLiteral("Die Anleitung (anleitung.html) fehlt"),
               QDir::cleanPath(folder + QStringLiteral("/../share/raeuber-beute/anleitung.html"))};
#endif
}

// One message, however often F1 is pressed, that says where the guide is and holds nothing up.
void TestHelp::message() {
    QFETCH(bool, guideThere);
    QFETCH(QStringList, says);
    browserTakesPages(false);
    auto form = shownForm();
    const auto before = QApplication::topLevelWidgets().size();
    rb::Help help(**form, guideThere
                              ? QCoreApplication::applicationDirPath()
                              : QDir::tempPath() + QStringLiteral("/raeuber-beute-ohne/bin"));
    help.open();
    QTRY_COMPARE((*form)->findChildren<QMessageBox*>(QStringLiteral("guideWhereabouts")).size(), 1);
    help.open();
    help.open();
    const auto boxes = (*form)->findChildren<QMessageBox*>(QStringLiteral("guideWhereabouts"));
    QCOMPARE(boxes.size(), 1);
    QTRY_VERIFY(boxes[0]->isVisible());
    for (const QString& words : says) {
        QVERIFY2(boxes[0]->text().contains(words), qPrintable(boxes[0]->text()));
    }
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(QApplication::topLevelWidgets().size(), before + 1);
    QVERIFY((*form)->isVisible());
    QCOMPARE(form->ends, 0);
#ifdef Q_OS_WIN
    QCOMPARE(opened().size(), 0);
#else
    // xdg-open was asked, and answered that no browser took the page.
    QCOMPARE(opened().size(), guideThere ? 1 : 0);
#endif
    QVERIFY(!help.opening());
}

// Installed on Linux, the program lies in bin/ and the guide in the program's data folder
// share/raeuber-beute/ of the same prefix (/usr, or ~/.local for a teacher without root); on
// Windows the guide lies beside the program, unpacked from the zip or installed by the setup.
void TestHelp::guideUrlFindsTheInstalledPage() {
    QTemporaryDir prefix;
    QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
    QVERIFY(rb::guideUrl(prefix.filePath(QStringLiteral("bin"))).isEmpty());
#ifdef Q_OS_WIN
    const QString page = prefix.filePath(QStringLiteral("bin/anleitung.html"));
#else
    QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("share/raeuber-beute")));
    const QString page = prefix.filePath(QStringLiteral("share/raeuber-beute/anleitung.html"));
#endif
    QCOMPARE(rb::installedGuide(prefix.filePath(QStringLiteral("bin"))),
             QDir::toNativeSeparators(page));
    QFile file(page);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QCOMPARE(rb::guideUrl(prefix.filePath(QStringLiteral("bin"))),
             QUrl::fromLocalFile(QFileInfo(page).canonicalFilePath()));
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
