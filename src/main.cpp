#include "window/form.h"


#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// Qt aborts with a core dump when the window system cannot be reached; say what to do instead.
bool displayAvailable() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty()) {
        return true;
    }
    return !qgetenv("DISPLAY").isEmpty() || !qgetenv("WAYLAND_DISPLAY").isEmpty();
}

} // namespace

int main(int argc, char* argv[]) {
    if (!displayAvailable()) {
        std::fputs("raeuber-beute: no display found (DISPLAY is not set). Start it on a desktop, "
                   "or under a virtual display: xvfb-run -s '-screen 0 1600x1000x24' "
                   "raeuber-beute\n",
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);
    rb::Form form(QStringLiteral("Form1"));
    form.setWindowTitle(QStringLiteral("Räuber-Beute Modell"));
    form.setClientSizeTwips(18840, 10170);
    form.show();
    return app.exec();
}
