// SPDX-License-Identifier: GPL-3.0-or-later
// The monkey's helper (tools/monkey/monkey.sh).
//
//   monkey-helper map          where the window's controls lie, one per line:
//                              KIND NAME X Y WIDTH HEIGHT, in pixels of the window (its top-left
//                              corner is 0 0); KIND is menu, text, bar-h, bar-v, thumb, button,
//                              check, area or marker. Made from the window itself, offscreen.
//   monkey-helper close WINDOW a close request (WM_DELETE_WINDOW) to the X window, as a
//                              window manager's close control sends it

#include "control/startup.h"
#include "support/scrollbarparts.h"
#include "window/form1.h"
#include "window/runtime/fonts.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void print(const char* kind, const QString& name, QRect r) {
    std::printf("%s %s %d %d %d %d\n", kind, qPrintable(name), r.x(), r.y(), r.width(), r.height());
}

int map(int argc, char** argv) {
    QApplication app(argc, argv);
    rb::installFontSubstitutes();
    rb::Form1 f;
    f.setEndHook([] {});
    rb::connectHandlers(f);
    rb::Form1_Load(f);
    f.show();
    QApplication::processEvents();
    const auto inWindow = [&f](const QWidget* w, QRect local) {
        return local.translated(w->mapTo(&f, QPoint(0, 0)));
    };
    for (QAction* a : f.menuBar()->actions()) {
        print("menu", a->objectName(), inWindow(f.menuBar(), f.menuBar()->actionGeometry(a)));
    }
    for (rb::TextBox* t : f.findChildren<rb::TextBox*>()) {
        print("text", t->objectName(), inWindow(t, t->rect()));
    }
    for (rb::ScrollBar* s : f.findChildren<rb::ScrollBar*>()) {
        print(s->orientation() == Qt::Horizontal ? "bar-h" : "bar-v", s->objectName(),
              inWindow(s, s->rect()));
        const QPoint thumb = rbtest::subControlCentre(*s, QStyle::SC_ScrollBarSlider);
        print("thumb", s->objectName(), inWindow(s, QRect(thumb, QSize(1, 1))));
    }
    for (rb::Button* b : f.findChildren<rb::Button*>()) {
        print("button", b->objectName(), inWindow(b, b->rect()));
    }
    for (rb::CheckBox* c : f.findChildren<rb::CheckBox*>()) {
        print("check", c->objectName(), inWindow(c, c->rect()));
    }
    for (rb::PictureBox* p : {f.picAqua, f.picDiagramm, f.picphase}) {
        print("area", p->objectName(), inWindow(p, p->visibleRegion().boundingRect()));
    }
    print("marker", f.imgtarget->objectName(),
          inWindow(f.picphase, f.imgtarget->pixelRect().toAlignedRect()));
    return 0;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return a;
}

int closeRequest(const char* window) {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fputs("monkey-helper: cannot open the display\n", stderr);
        xcb_disconnect(c);
        return 1;
    }
    xcb_client_message_event_t e{};
    e.response_type = XCB_CLIENT_MESSAGE;
    e.format = 32;
    e.window = static_cast<xcb_window_t>(std::strtoul(window, nullptr, 0));
    e.type = atom(c, "WM_PROTOCOLS");
    e.data.data32[0] = atom(c, "WM_DELETE_WINDOW");
    e.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, e.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&e));
    // A round trip: the server has handled the message before this client goes.
    xcb_get_input_focus_reply_t* focus =
        xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
    const int failed = focus ? 0 : 1;
    std::free(focus);
    xcb_disconnect(c);
    return failed;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "map") {
        return map(argc, argv);
    }
    if (argc == 3 && std::string(argv[1]) == "close") {
        return closeRequest(argv[2]);
    }
    std::fputs("usage: monkey-helper map | monkey-helper close WINDOW\n", stderr);
    return 2;
}
