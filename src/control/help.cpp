// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/help.h"

#include "window/form1.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QShortcut>
#include <QTimer>

#include <utility>

namespace rb {

QUrl guideUrl(const QString& programDir) {
    const QDir dir(programDir);
    for (const char* relative : {RB_GUIDE_INSTALLED, RB_GUIDE_BUILT}) {
        const QFileInfo page(dir.filePath(QString::fromUtf8(relative)));
        if (page.isFile()) {
            return QUrl::fromLocalFile(page.canonicalFilePath());
        }
    }
    return {};
}

QString installedGuide(const QString& programDir) {
    return QDir::toNativeSeparators(
        QDir::cleanPath(QDir(programDir).filePath(QString::fromUtf8(RB_GUIDE_INSTALLED))));
}

QString guideWhereabouts(const QUrl& guide, const QString& programDir) {
    if (guide.isValid()) {
#ifdef Q_OS_WIN
        const QString how = QStringLiteral("Im Explorer öffnet ein Doppelklick sie.");
#else
        const QString how = QStringLiteral("Im Dateimanager öffnet ein Doppelklick sie, in einem "
                                           "Browser Strg+O.");
#endif
        return QStringLiteral("Die Anleitung ließ sich nicht im Browser öffnen. Sie liegt hier:"
                              "\n\n%1\n\n%2")
            .arg(QDir::toNativeSeparators(guide.toLocalFile()), how);
    }
#ifdef Q_OS_WIN
    return QStringLiteral("Die Anleitung (anleitung.html) liegt nicht neben dem Programm in"
                          "\n\n%1\n\nWurde das Programm direkt aus der ZIP-Datei gestartet? "
                          "Dann die ZIP-Datei zuerst entpacken (rechte Maustaste, „Alle "
                          "extrahieren …“) und raeuber-beute.exe im entpackten Ordner starten.")
        .arg(QDir::toNativeSeparators(programDir));
#else
    return QStringLiteral("Die Anleitung (anleitung.html) fehlt. Sie gehört hierhin:\n\n%1\n\n"
                          "Wird das Programm noch einmal installiert (als Paket oder mit make "
                          "install), ist sie wieder da.")
        .arg(installedGuide(programDir));
#endif
}

Help::Help(Form1& f, QString programDir)
    : QObject(&f), m_form(f), m_programDir(std::move(programDir)), m_settle(new QTimer(this)) {
    m_settle->setSingleShot(true);
    m_settle->setInterval(kSettleMs);
    f.installEventFilter(this);
}

Help::~Help() {
    // A browser that xdg-open started and waits for outlives the program: its launcher is left
    // to run rather than killed with the window.
    if (m_opener && m_opener->state() != QProcess::NotRunning) {
        m_opener->disconnect();
        m_opener->setParent(nullptr);
    }
}

bool Help::opening() const {
    return m_settle->isActive();
}

void Help::open() {
    if (auto* shown = m_form.findChild<QMessageBox*>(QStringLiteral("guideWhereabouts"))) {
        shown->raise();
        shown->activateWindow();
        return;
    }
    if (opening()) {
        return;
    }
    const QUrl url = guideUrl(m_programDir);
    if (!url.isValid()) {
        tell(url);
        return;
    }
#ifdef Q_OS_WIN
    // The shell's answer is final: false when no program is registered for the page.
    if (!QDesktopServices::openUrl(url)) {
        tell(url);
        return;
    }
    m_settle->start();
#else
    auto* opener = new QProcess(this);
    m_opener = opener;
    // Nobody reads what it writes, and a browser it waits for must not block on a full pipe.
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(opener, &QProcess::errorOccurred, this,
                     [this, opener, url](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) {
                             m_settle->stop();
                             tell(url);
                             opener->deleteLater();
                         }
                     });
    // xdg-open ends with 0 once a browser has the page (or, on a plain X desktop, when that
    // browser ends), and with 3 or 4 when there is none or it failed. Only an answer while the
    // page is still being opened counts: later the window has lost the front to the browser.
    QObject::connect(opener, &QProcess::finished, this,
                     [this, opener, url](int code, QProcess::ExitStatus status) {
                         if ((status != QProcess::NormalExit || code != 0) && opening()) {
                             m_settle->stop();
                             tell(url);
                         }
                         opener->deleteLater();
                     });
    m_settle->start();
    opener->start(QStringLiteral("xdg-open"), {url.toLocalFile()});
#endif
}

bool Help::eventFilter(QObject* watched, QEvent* event) {
    // The browser came to the front: the page is open, and a later F1 opens it again.
    if (watched == &m_form && event->type() == QEvent::WindowDeactivate) {
        m_settle->stop();
    }
    return QObject::eventFilter(watched, event);
}

void Help::tell(const QUrl& guide) {
    // Not modal: the simulation and the window go on; the path can be selected.
    auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Anleitung"),
                                guideWhereabouts(guide, m_programDir), QMessageBox::Ok, &m_form);
    box->setObjectName(QStringLiteral("guideWhereabouts"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void connectHelp(Form1& f) {
    auto* help = new Help(f, QCoreApplication::applicationDirPath());
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), &f);
    key->setContext(Qt::WindowShortcut);
    key->setAutoRepeat(false); // a held F1 opens the guide once
    QObject::connect(key, &QShortcut::activated, help, &Help::open);
}

} // namespace rb
