// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/help.h"

#include "window/form1.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
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

void connectHelp(Form1& f) {
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), &f);
    help->setContext(Qt::WindowShortcut);
    QObject::connect(help, &QShortcut::activated, &f, [] {
        const QUrl url = guideUrl(QCoreApplication::applicationDirPath());
        if (url.isValid()) {
            // Hands the page to the desktop; false when there is no browser, which is fine.
            QDesktopServices::openUrl(url);
        }
    });
}

} // namespace rb
