// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/help.h"

#include "window/form1.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QShortcut>

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

QString guideWhereabouts(const QUrl& guide, const QString& programDir) {
    if (guide.isValid()) {
        return QStringLiteral("Die Anleitung ließ sich nicht im Browser öffnen. Sie liegt hier:"
                              "\n\n%1\n\nIm Explorer öffnet ein Doppelklick sie.")
            .arg(QDir::toNativeSeparators(guide.toLocalFile()));
    }
    return QStringLiteral("Die Anleitung (anleitung.html) liegt nicht neben dem Programm in"
                          "\n\n%1\n\nWurde das Programm direkt aus der ZIP-Datei gestartet? "
                          "Dann die ZIP-Datei zuerst entpacken (rechte Maustaste, „Alle "
                          "extrahieren …“) und raeuber-beute.exe im entpackten Ordner starten.")
        .arg(QDir::toNativeSeparators(programDir));
}

void connectHelp(Form1& f) {
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), &f);
    help->setContext(Qt::WindowShortcut);
    help->setAutoRepeat(false); // a held F1 opens the guide once
    QObject::connect(help, &QShortcut::activated, &f, [&f] {
        const QString programDir = QCoreApplication::applicationDirPath();
        const QUrl url = guideUrl(programDir);
        // Hands the page to the desktop; false when there is no browser.
        const bool shown = url.isValid() && QDesktopServices::openUrl(url);
#ifdef Q_OS_WIN
        if (auto* open = f.findChild<QMessageBox*>(QStringLiteral("guideWhereabouts"))) {
            open->raise();
            open->activateWindow();
        } else if (!shown) {
            // Not modal: the simulation and the window go on; the path can be selected.
            auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Anleitung"),
                                        guideWhereabouts(url, programDir), QMessageBox::Ok, &f);
            box->setObjectName(QStringLiteral("guideWhereabouts"));
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->setTextInteractionFlags(Qt::TextSelectableByMouse);
            box->setWindowModality(Qt::NonModal);
            box->show();
        }
#else
        Q_UNUSED(shown);
        Q_UNUSED(f);
#endif
    });
}

} // namespace rb
