#include "control/startup.h"
#include "window/runtime/accessibility.h"
#include "window/form1.h"
#include "window/layout.h"
#include "window/runtime/fonts.h"
#include "window/runtime/translation.h"

#include <QApplication>

#include <cstdio>

namespace {

// Qt aborts with a core dump when the window system cannot be reached; say what to do instead.
bool displayAvailable() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        return true;
    }
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char* argv[]) {
    if (!displayAvailable()) {
        std::fputs("raeuber-beute: no display found (DISPLAY is not set). Start it on a desktop, "
                   "or under a virtual display:\n  xvfb-run -s '-screen 0 1600x1000x24' "
                   "raeuber-beute\n",
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("raeuber-beute"));
    QApplication::setApplicationDisplayName(QStringLiteral("Räuber-Beute Modell"));
    // Lets desktops match the window to its launcher and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("de.raeuberbeute.RaeuberBeute"));
    rb::installFontSubstitutes();
    rb::installQtTranslation(QString::fromLatin1(rb::windowSpec().language));
    rb::installAccessibility();

    rb::Form1 form;
    rb::connectHandlers(form);
    rb::Form1_Load(form);
    form.show();
    return app.exec();
}
