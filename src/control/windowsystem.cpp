// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/windowsystem.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

namespace rb {

namespace {

// A message Qt gave while its platform started, kept until the start is through.
struct HeldMessage {
    QtMsgType type;
    QByteArray file, function, category;
    int line;
    QString text;
};

QtMessageHandler g_previous = nullptr;
QList<HeldMessage>* g_held = nullptr;
std::mutex g_heldLock; // Qt's own threads may give messages while its platform starts

std::string environment(const char* name) {
    const QByteArray value = qgetenv(name);
    return std::string(value.constData(), static_cast<std::size_t>(value.size()));
}

// How to start the program instead; a platform chosen by QT_QPA_PLATFORM has to be set back
// to X for the virtual display.
std::string howToStart() {
    const std::string platform = environment("QT_QPA_PLATFORM");
    const bool otherPlatform = !platform.empty() && platform != "xcb";
    return std::string(" Start it on a desktop, or under a virtual display:\n  ") +
           (otherPlatform ? "QT_QPA_PLATFORM=xcb " : "") +
           "xvfb-run -s '-screen 0 1600x1000x24' raeuber-beute\n";
}

[[noreturn]] void endWith(const std::string& what) {
    const std::string message = "raeuber-beute: " + what + howToStart();
    std::fputs(message.c_str(), stderr);
    std::fflush(stderr);
    // Not exit(): the application object is half made, and nothing of it may run any more.
    std::_Exit(kNoWindowSystemStatus);
}

std::string noDisplay() {
    return "no display found (DISPLAY is not set).";
}

// What could not start. Before its fatal message Qt names the platform it tried (Could not
// find / load the Qt platform plugin "NAME" ...), and X says when no server answered.
std::string whatFailed() {
    const QLatin1String named("platform plugin \"");
    QString platform = qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("xcb"));
    bool notFound = false;
    bool noXServer = false;
    for (const HeldMessage& m : *g_held) {
        const qsizetype open = m.text.indexOf(named);
        const qsizetype close =
            open < 0 ? -1 : m.text.indexOf(QLatin1Char('"'), open + named.size());
        if (close > 0) {
            platform = m.text.mid(open + named.size(), close - open - named.size());
            notFound = m.text.contains(QLatin1String("Could not find"));
        }
        noXServer = noXServer || m.text.contains(QLatin1String("could not connect to display"));
    }
    const std::string name = platform.toStdString();
    if (notFound) {
        return "cannot start the window system \"" + name +
               "\": this Qt has no platform plugin of that name.";
    }
    if (platform.contains(QLatin1String("xcb")) && noXServer) {
        const std::string display = environment("DISPLAY");
        return display.empty() ? noDisplay()
                               : "cannot open the display \"" + display +
                                     "\" (DISPLAY): no X server answers there.";
    }
    if (platform.contains(QLatin1String("wayland"))) {
        std::string socket = environment("WAYLAND_DISPLAY");
        if (socket.empty()) {
            socket = "wayland-0";
        }
        return "no Wayland compositor answers at \"" + socket + "\" (WAYLAND_DISPLAY).";
    }
    return "cannot start the window system \"" + name + "\".";
}

void holdOrEnd(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    const std::lock_guard<std::mutex> lock(g_heldLock);
    g_held->push_back({type, QByteArray(context.file), QByteArray(context.function),
                       QByteArray(context.category), context.line, text});
    if (type == QtFatalMsg) {
        endWith(whatFailed());
    }
}

} // namespace

void guardWindowSystemStart() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        endWith(noDisplay());
    }
    g_held = new QList<HeldMessage>;
    g_previous = qInstallMessageHandler(holdOrEnd);
}

void windowSystemStarted() {
    qInstallMessageHandler(g_previous);
    QList<HeldMessage> held;
    {
        const std::lock_guard<std::mutex> lock(g_heldLock);
        if (!g_held) {
            return;
        }
        held = std::move(*g_held);
        delete g_held;
        g_held = nullptr;
    }
    // A null text stays a null pointer: Qt treats a context without category as the default.
    const auto text = [](const QByteArray& b) { return b.isNull() ? nullptr : b.constData(); };
    for (const HeldMessage& m : held) {
        const QMessageLogContext context(text(m.file), m.line, text(m.function), text(m.category));
        qt_message_output(m.type, context, m.text);
    }
}

} // namespace rb
