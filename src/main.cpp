// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/startup.h"
#include "window/form1.h"
#include "window/layout.h"
#include "window/runtime/accessibility.h"
#include "window/runtime/fonts.h"
#include "window/runtime/translation.h"

#include <QtGlobal>
#ifndef Q_OS_WIN
#include "control/windowsystem.h" // X and Wayland
#endif

#include <QApplication>

#include <algorithm>
#include <cstdio>

int main(int argc, char* argv[]) {
#ifndef Q_OS_WIN
    rb::guardWindowSystemStart(); // no window system: a clear word and status 2, no core
#endif
    const QString undrawable = rb::undrawableScaleFactor();
    if (!undrawable.isEmpty()) { // at once, as where no window system answers
        std::fprintf(stderr, "raeuber-beute: %s\n", undrawable.toLocal8Bit().constData());
        return 2;
    }
    const double smallScale = rb::takeOverSmallScaleFactor(); // the form's zoom draws it
    QApplication app(argc, argv);
#ifndef Q_OS_WIN
    rb::windowSystemStarted();
#endif
    QApplication::setApplicationName(QStringLiteral("raeuber-beute"));
    QApplication::setApplicationDisplayName(QStringLiteral("Räuber-Beute Modell"));
    // Lets desktops match the window to its launcher and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("de.raeuberbeute.RaeuberBeute"));
    rb::installFontSubstitutes();
    rb::installQtTranslation(QString::fromLatin1(rb::windowDesign().language));
    rb::installAccessibility();

    rb::Form1 form;
    rb::connectHandlers(form);
    rb::Form1_Load(form);
    form.fitToScreen();
    form.setZoom(std::min(form.zoom(), smallScale));
    form.show();
    return app.exec();
}
