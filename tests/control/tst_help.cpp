// SPDX-License-Identifier: GPL-3.0-or-later
// F1 opens the guide for teachers: the HTML page built beside the program, handed to the
// desktop; without a browser nothing visible happens on Linux, and a message says where the
// guide is on Windows. This test runs from the folder the program runs from, so it finds what
// the program finds.

#include "support/formfixture.h"

#include "control/help.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
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
    void f1WithoutBrowser();
    void whereaboutsOfAMissingGuide();
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
    for (int k = 0; k < 3; ++k) { // held down, the key repeats: still one page
        QTest::simulateEvent((*form)->windowHandle(), true, Qt::Key_F1, {}, {}, true);
    }
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(browser.opened.size(), 1);
    const QFileInfo page(browser.opened[0].toLocalFile());
    QCOMPARE(page.canonicalFilePath(),
             QFileInfo(QCoreApplication::applicationDirPath() + "/docs/anleitung.html")
                 .canonicalFilePath());
    QVERIFY(page.size() > 0);
}

// The offscreen platform opens no URL, like a desktop without a browser. On Linux nothing
// visible happens; on Windows one message, however often F1 is pressed, says where the guide
// lies, and holds nothing up.
void TestHelp::f1WithoutBrowser() {
    auto form = rbtest::loadForm();
    (*form)->show();
    QApplication::setActiveWindow(form->form.get());
    QVERIFY(QTest::qWaitForWindowActive(form->form.get()));
    const auto before = QApplication::topLevelWidgets().size();
    QTest::keyClick(form->form.get(), Qt::Key_F1);
    QTest::keyClick(form->form.get(), Qt::Key_F1);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QVERIFY((*form)->isVisible());
    QCOMPARE(form->ends, 0);
#ifdef Q_OS_WIN
    const auto boxes = (*form)->findChildren<QMessageBox*>(QStringLiteral("guideWhereabouts"));
    QCOMPARE(boxes.size(), 1);
    QTRY_VERIFY(boxes[0]->isVisible());
    const QString page = QCoreApplication::applicationDirPath() + "/docs/anleitung.html";
    QVERIFY2(
        boxes[0]->text().contains(QDir::toNativeSeparators(QFileInfo(page).canonicalFilePath())),
        qPrintable(boxes[0]->text()));
    QCOMPARE(QApplication::topLevelWidgets().size(), before + 1);
#else
    QCOMPARE(QApplication::topLevelWidgets().size(), before);
#endif
}

// Started from inside its zip, the program has no guide beside it: the message names the
// folder it looked in and says to unpack the zip first.
void TestHelp::whereaboutsOfAMissingGuide() {
    const QString text = rb::guideWhereabouts(QUrl(), QStringLiteral("C:/Temp/Temp1_zip"));
    QVERIFY2(text.contains(QDir::toNativeSeparators(QStringLiteral("C:/Temp/Temp1_zip"))),
             qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("ZIP-Datei zuerst entpacken")), qPrintable(text));
}

// Installed on Linux, the program lies in bin/ and the guide in share/doc/raeuber-beute/ of the
// same prefix (/usr, or ~/.local for a teacher without root); on Windows the guide lies beside
// the program, unpacked from the zip or installed by the setup.
void TestHelp::guideUrlFindsTheInstalledPage() {
    QTemporaryDir prefix;
    QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
    QVERIFY(rb::guideUrl(prefix.filePath(QStringLiteral("bin"))).isEmpty());
#ifdef Q_OS_WIN
    const QString page = prefix.filePath(QStringLiteral("bin/anleitung.html"));
#else
    QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("share/doc/raeuber-beute")));
    const QString page = prefix.filePath(QStringLiteral("share/doc/raeuber-beute/anleitung.html"));
#endif
    QFile file(page);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QCOMPARE(rb::guideUrl(prefix.filePath(QStringLiteral("bin"))),
             QUrl::fromLocalFile(QFileInfo(page).canonicalFilePath()));
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
