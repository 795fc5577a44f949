// SPDX-License-Identifier: GPL-3.0-or-later
// The swimming animation in a real window on a virtual X display: real clicks (xdotool) on
// the start and stop buttons, and a close request from outside the program, as a window
// manager sends it.
//
// A real click on the start button runs the loop inside the test's own event processing, so
// everything that has to happen while the fish swim is done by a watcher timer that fires
// inside the loop's yields; the test function continues once the start handler has returned.

#include "aquarium/animation.h"
#include "fishtools.h"
#include "support/formfixture.h"
#include "support/xdo.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#ifdef RB_TEST_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#endif

namespace {

constexpr std::uint64_t kSeed = 4711;

#ifdef RB_TEST_HAVE_XCB
// Asks the window to close the way a window manager does: a WM_DELETE_WINDOW client message,
// sent by another X client.
bool requestClose(WId window) {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return false;
    }
    const auto atom = [c](const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
        const xcb_atom_t a = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
        std::free(reply);
        return a;
    };
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = static_cast<xcb_window_t>(window);
    event.type = atom("WM_PROTOCOLS");
    event.data.data32[0] = atom("WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, event.window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&event));
    // A round trip: the server has handled the message before this client goes.
    xcb_get_input_focus_reply_t* focus =
        xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
    const bool sent = focus != nullptr;
    std::free(focus);
    xcb_disconnect(c);
    return sent;
}
#endif

QPoint centre(const QWidget* w) {
    return {w->width() / 2, w->height() / 2};
}

} // namespace

class TestAnimationX11 : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void realClicksStartAndStopTheSwimming();
    void closingTheWindowEndsTheLoop();

private:
    std::unique_ptr<rbtest::LoadedForm> m_loaded;
    rb::Form1* m_f = nullptr;
    int m_startsReturned = 0;
};

void TestAnimationX11::init() {
    m_loaded = rbtest::loadForm(kSeed);
    m_f = m_loaded->form.get();
    m_startsReturned = 0;
    // Runs after the start handler has returned (connected after it).
    connect(m_f->Command1, &QAbstractButton::clicked, this, [this] { ++m_startsReturned; });
    // Every fish visible.
    m_f->HScroll1->setValue(32);
    m_f->HScroll2->setValue(24);
    m_f->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_f));
}

void TestAnimationX11::cleanup() {
    if (m_f && m_f->animating) {
        rb::Command2_Click(*m_f);
        QTRY_VERIFY(!m_f->animating);
    }
    m_f = nullptr;
    m_loaded.reset();
}

void TestAnimationX11::realClicksStartAndStopTheSwimming() {
    QList<float> preyOneLeft; // prey 1's Left as seen by the watcher while swimming
    bool stopClickSent = false;
    bool safetyStop = false;
    QTimer watch;
    watch.setInterval(20);
    connect(&watch, &QTimer::timeout, this, [&] {
        if (!m_f->animating || stopClickSent) {
            return;
        }
        const float left = m_f->imgFisch1[1]->left();
        if (preyOneLeft.isEmpty() || preyOneLeft.last() != left) {
            preyOneLeft.append(left);
        }
        if (preyOneLeft.size() >= 4) {
            stopClickSent = rbtest::clickAt(m_f->Command2, centre(m_f->Command2));
        }
    });
    QTimer::singleShot(15000, m_f, [&] {
        if (m_f->animating) {
            safetyStop = true;
            rb::Command2_Click(*m_f);
        }
    });

    rbtest::Aquarium atStop;
    int stopClicks = 0;
    connect(m_f->Command2, &QAbstractButton::clicked, this, [&] {
        // After the stop handler: the rest of this pass must draw no turn.
        ++stopClicks;
        rb::Random::shared().seed(rbtest::seedWithoutTurns(1));
        atStop = rbtest::placeKnown(*m_f);
    });

    watch.start();
    QVERIFY(rbtest::clickAt(m_f->Command1, centre(m_f->Command1)));
    QTRY_VERIFY_WITH_TIMEOUT(m_startsReturned == 1, 20000);
    watch.stop();

    QVERIFY2(!safetyStop, "the real click on the stop button did not stop the swimming");
    QVERIFY2(preyOneLeft.size() >= 4, "the fish did not move while swimming");
    QVERIFY(stopClickSent);
    QCOMPARE(stopClicks, 1);
    QVERIFY(m_f->stopped);
    QVERIFY(!m_f->animating);
    // The stop came inside the yield: every fish moved exactly once more.
    const rbtest::Aquarium afterStop = rbtest::snapshot(*m_f);
    rbtest::verifyKnownMoves(atStop, afterStop);
    if (QTest::currentTestFailed()) {
        return;
    }

    // Stopped, nothing moves while the timer goes on ticking.
    QSignalSpy ticks(m_f->Timer1, &rb::Timer::timer);
    QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 2, 60000);
    QCOMPARE(rbtest::snapshot(*m_f), afterStop);
}

void TestAnimationX11::closingTheWindowEndsTheLoop() {
    const QStringList findWindow = {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                    QStringLiteral("--name"), m_f->windowTitle()};
    QTRY_VERIFY(rbtest::xdo(findWindow));
    const rbtest::Aquarium atStart = rbtest::snapshot(*m_f);
    bool closeRequested = false;
    bool safetyStop = false;
    QTimer watch;
    watch.setInterval(20);
    connect(&watch, &QTimer::timeout, this, [&] {
        if (!m_f->animating || closeRequested || rbtest::snapshot(*m_f) == atStart) {
            return;
        }
#ifdef RB_TEST_HAVE_XCB
        closeRequested = requestClose(m_f->winId());
#else
        closeRequested = m_f->close();
#endif
    });
    QTimer::singleShot(15000, m_f, [&] {
        if (m_f->animating) {
            safetyStop = true;
            rb::Command2_Click(*m_f);
        }
    });
    rbtest::Aquarium atEnd;
    connect(m_f, &rb::Form::ending, this, [&] { atEnd = rbtest::snapshot(*m_f); });

    watch.start();
    QVERIFY(rbtest::clickAt(m_f->Command1, centre(m_f->Command1)));
    QTRY_VERIFY_WITH_TIMEOUT(m_startsReturned == 1, 20000);
    watch.stop();

    QVERIFY2(!safetyStop, "closing the window did not end the swimming");
    QVERIFY(closeRequested);
    QCOMPARE(m_loaded->ends, 1);
    QVERIFY(!m_f->animating);
    QVERIFY(!m_f->isVisible());
    // No pass after the end.
    QCOMPARE(rbtest::snapshot(*m_f), atEnd);
    // The window is gone from the display and stays gone.
    QTRY_VERIFY(!rbtest::xdo(findWindow));
    QCoreApplication::processEvents();
    QVERIFY(!m_f->isVisible());
    QCOMPARE(rbtest::snapshot(*m_f), atEnd);
}

QTEST_MAIN(TestAnimationX11)
#include "tst_animation_x11.moc"
