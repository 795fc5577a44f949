// SPDX-License-Identifier: GPL-3.0-or-later
// F1 opens the guide for teachers: the HTML page built beside the program, handed to the
// desktop; without a browser nothing visible happens. This test runs from the folder the
// program runs from, so it finds what the program finds.

#include "support/formfixture.h"

#include "control/help.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using rbtest::LoadedForm;

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class TestHelp : public QObject {
    Q_OBJECT

private slots:
    void f1OpensTheBuiltGuide();
    void f1WithoutBrowserShowsNothing();
    void guideUrlFindsTheInstalledPage();
};

void TestHelp::f1OpensTheBuiltGuide() {
    UrlRecorder browser;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "open");
    auto form = rbtest::loadForm();
    (*form)->show();
    QApplication::setActiveWindow(form->form.get());
    QVERIFY(QTest::qWaitForWindowActive(form->form.get()));
    QTest::keyClick((*form)->txtF1p, Qt::Key_F1);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(browser.opened.size(), 1);
    const QFileInfo page(browser.opened[0].toLocalFile());
    QCOMPARE(page.canonicalFilePath(),
             QFileInfo(QCoreApplication::applicationDirPath() + "/docs/anleitung.html")
                 .canonicalFilePath());
    QVERIFY(page.size() > 0);
}

// The offscreen platform opens no URL, like a desktop without a browser.
void TestHelp::f1WithoutBrowserShowsNothing() {
    auto form = rbtest::loadForm();
    (*form)->show();
    QApplication::setActiveWindow(form->form.get());
    QVERIFY(QTest::qWaitForWindowActive(form->form.get()));
    const auto before = QApplication::topLevelWidgets().size();
    QTest::keyClick(form->form.get(), Qt::Key_F1);
    QTest::keyClick(form->form.get(), Qt::Key_F1);
    QCOMPARE(QApplication::topLevelWidgets().size(), before);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QVERIFY((*form)->isVisible());
    QCOMPARE(form->ends, 0);
}

// Installed, the program lies in bin/ and the guide in share/doc/raeuber-beute/ of the same
// prefix (/usr, or ~/.local for a teacher without root).
void TestHelp::guideUrlFindsTheInstalledPage() {
    QTemporaryDir prefix;
    QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
    QVERIFY(rb::guideUrl(prefix.filePath(QStringLiteral("bin"))).isEmpty());
    QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("share/doc/raeuber-beute")));
    const QString page = prefix.filePath(QStringLiteral("share/doc/raeuber-beute/anleitung.html"));
    QFile file(page);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QCOMPARE(rb::guideUrl(prefix.filePath(QStringLiteral("bin"))),
             QUrl::fromLocalFile(QFileInfo(page).canonicalFilePath()));
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
