// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/runtime/container.h"

#include <QMainWindow>

#include <QMargins>
#include <QSizeF>

#include <functional>

class QAction;

namespace rb {

class Fingers;

// The program's window: a title bar caption, a menu bar of top-level entries without
// submenus, and a client area (a container in twips) holding the controls. Resizing moves and
// scales nothing: more of the backdrop shows, and beyond it the back colour.
//
// The zoom scales the whole form uniformly, 50 % to 300 %: Ctrl+Plus and Ctrl+Minus (and Ctrl
// with the mouse wheel) step through kZoomSteps, Ctrl+0 goes back to 100 %, a two-finger pinch
// zooms by any factor. F11 shows the window full screen at the largest zoom at which the form
// fits; F11 again or Escape returns to the window and its zoom.
class Form : public QMainWindow {
    Q_OBJECT

public:
    explicit Form(const QString& name, QWidget* parent = nullptr);
    ~Form() override;

    Container* client() const { return m_client; }
    // Sizes the window so that its client area measures the given twips.
    void setClientSizeTwips(double width, double height);
    // A top-level menu entry; its triggered() is its Click.
    QAction* addMenuEntry(const QString& name, const QString& caption);

    static constexpr double kLeastZoom = 0.5;
    static constexpr double kMostZoom = 3.0;
    double zoom() const;
    // Scales the form to `zoom` (limited to kLeastZoom..kMostZoom); the window follows the
    // client area, except full screen or maximised.
    void setZoom(double zoom);
    void zoomIn();  // the next step up
    void zoomOut(); // the next step down
    // The largest zoom (not above `most`) at which the client area and the menu bar fit into
    // `area` (logical pixels).
    double zoomToFit(QSize area, double most) const;
    // Where the screen's free area, less the window frame, is smaller than the window at 100 %,
    // the largest zoom that fits, never below 50 %; elsewhere 100 %. Called before the window
    // first shows; fits again once the window manager has framed the window.
    void fitToScreen();
    // The same for a work area and a frame (logical pixels): the window then lies at the work
    // area's top-left corner if it does not fit at 100 %.
    void fitInto(const QRect& work, const QMargins& frame);
    void setFullScreenZoomed(bool on);
    bool isFullScreenZoomed() const { return m_fullScreen; }

    // Ends the program at once: the window goes, timers stop, and no further handler runs.
    // Calls the end hook (by default QCoreApplication::exit(0)). Idempotent.
    void endProgram();
    bool hasEnded() const { return m_ended; }
    void setEndHook(std::function<void()> hook) { m_endHook = std::move(hook); }

signals:
    // The program is ending: long-running loops must stop waiting and return.
    void ending();

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Ctrl with the wheel, and the fingers on the window (see Fingers): two pinch, one works
    // as the mouse.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyZoomToFonts();
    QSize windowSizeAtZoom() const;

    Container* m_client;
    QSizeF m_clientTwips;
    double m_zoomBeforeFullScreen = 1.0;
    QRect m_windowBeforeFullScreen;
    bool m_fullScreen = false;
    QAction* m_leaveFullScreen = nullptr;
    int m_wheelSteps = 0;         // eighths of a degree turned with Ctrl held, not yet a step
    QMargins m_fittedFrame;       // the frame the start zoom was fitted with
    double m_fittedZoom = 0;      // the zoom it gave; 0 once the zoom has changed since
    Fingers* m_fingers = nullptr; // made at the first touch, when the window exists
    bool m_ended = false;
    std::function<void()> m_endHook;
};

// Qt's own scale factor (QT_SCALE_FACTOR) below 1 cannot draw the form: the toolkit leaves
// controls out and shifts drawing at such factors. Called before the application object is
// made, it takes such a factor away from Qt and returns it (1 otherwise), for the form's zoom
// to show the window at that size instead.
double takeOverSmallScaleFactor();

// The largest scale factor Qt is let draw at: the window at 100 % then measures 10048 x 5600
// pixels, more than an 8K screen; beyond it the window only exceeds every screen many times
// over, and Qt's drawing buffers grow with the square of the factor.
inline constexpr double kMostScaleFactor = 8.0;
// What is wrong with the scale factors set for Qt (QT_SCALE_FACTOR, QT_SCREEN_SCALE_FACTORS):
// a factor that is not a number, zero, negative, infinite or above kMostScaleFactor, alone or
// multiplied with the other, as one line naming the variable and its text; empty where every
// factor can be drawn. Called before the application object is made.
QString undrawableScaleFactor();

} // namespace rb
