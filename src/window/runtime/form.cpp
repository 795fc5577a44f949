// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/form.h"

#include "window/runtime/dragdrop.h"
#include "window/runtime/fingers.h"
#include "window/runtime/picturezoom.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QNativeGestureEvent>
#include <QProxyStyle>
#include <QRegularExpression>
#include <QScreen>
#include <QStyleOptionMenuItem>
#include <QTimer>
#include <QTouchEvent>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>
#include <array>
#include <cmath>

namespace rb {

namespace {

// The zoom steps of Ctrl+Plus and Ctrl+Minus.
constexpr std::array<double, 13> kZoomSteps = {0.5,  0.67, 0.75, 0.8, 0.9, 1.0, 1.1,
                                               1.25, 1.5,  1.75, 2.0, 2.5, 3.0};
constexpr const char* kDesignFontProperty = "rbDesignFont";

// The menu bar's entries are commands, not menus, so none is ever shown pressed: the entry
// under the mouse, or chosen with Alt and the arrow keys, is drawn as a pressed one instead,
// so that a learner at the keyboard sees which one Enter runs.
class MenuBarStyle : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element == CE_MenuBarItem && item && (item->state & State_Selected)) {
            QStyleOptionMenuItem shown = *item;
            shown.state |= State_Sunken;
            QProxyStyle::drawControl(element, &shown, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

} // namespace

Form::Form(const QString& name, QWidget* parent) : QMainWindow(parent) {
    setObjectName(name);
    m_client = new Container(this);
    m_client->setObjectName(name + QStringLiteral("Client"));
    setCentralWidget(m_client);
    m_endHook = [] { QCoreApplication::exit(0); };

    const auto key = [this](const QKeySequence& keys, auto slot, bool enabled = true) {
        auto* action = new QAction(this);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
        return action;
    };
    key(QKeySequence(Qt::CTRL | Qt::Key_Plus), &Form::zoomIn);
    key(QKeySequence(Qt::CTRL | Qt::Key_Equal), &Form::zoomIn);
    key(QKeySequence(Qt::CTRL | Qt::Key_Minus), &Form::zoomOut);
    key(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { setZoom(1.0); });
    const auto toggleFullScreen = [this] { setFullScreenZoomed(!m_fullScreen); };
    key(QKeySequence(Qt::Key_F11), toggleFullScreen)->setAutoRepeat(false); // held: once
    m_leaveFullScreen = key(
        QKeySequence(Qt::Key_Escape), [this] { setFullScreenZoomed(false); }, false);
    qApp->installEventFilter(this);
}

Form::~Form() {
    // The zoom is the window's: the next window starts at 100 %.
    setFormZoom(1.0);
    forgetZoomedPictures();
}

void Form::setClientSizeTwips(double width, double height) {
    m_clientTwips = QSizeF(width, height);
    resize(windowSizeAtZoom());
}

QSize Form::windowSizeAtZoom() const {
    const QSize client(twipsToWholePixels(m_clientTwips.width()),
                       twipsToWholePixels(m_clientTwips.height()));
    const int menu = menuWidget() ? menuBar()->sizeHint().height() : 0;
    return {client.width(), client.height() + menu};
}

double Form::zoom() const {
    return formZoom();
}

void Form::setZoom(double zoom) {
    zoom = std::clamp(zoom, kLeastZoom, kMostZoom);
    if (zoom == formZoom() || !std::isfinite(zoom)) {
        return;
    }
    setFormZoom(zoom);
    forgetZoomedPictures();
    applyZoomToFonts();
    m_client->applyZoom();
    if (!m_fullScreen && !isFullScreen() && !isMaximized()) {
        resize(windowSizeAtZoom());
    }
    update();
}

void Form::zoomIn() {
    const auto next = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), zoom() + 1e-9);
    setZoom(next == kZoomSteps.end() ? kMostZoom : *next);
}

void Form::zoomOut() {
    const auto below = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), zoom() - 1e-9);
    setZoom(below == kZoomSteps.begin() ? kLeastZoom : *(below - 1));
}

double Form::zoomToFit(QSize area, double most) const {
    // The menu bar's height at 100 %, scaled: its font follows the zoom.
    const double menu = menuWidget() ? menuBar()->sizeHint().height() / formZoom() : 0;
    const double w = area.width() / twipsToPixels(m_clientTwips.width()) * formZoom();
    const double h = area.height() / (twipsToPixels(m_clientTwips.height()) / formZoom() + menu);
    return std::clamp(std::min({w, h, most}), kLeastZoom, kMostZoom);
}

void Form::fitToScreen() {
    const QScreen* shown = screen();
    if (!shown) {
        return;
    }
    // The frame as the window manager drew it; none before it has framed the window, or
    // where there is no window manager (see event(): a frame that comes later fits anew).
    m_fittedFrame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    fitInto(shown->availableGeometry(), m_fittedFrame);
    m_fittedZoom = zoom();
}

void Form::fitInto(const QRect& work, const QMargins& frame) {
    // A pixel to spare each way: under a display scaling such as 150 % the work area's size in
    // logical pixels is rounded, and the window's size in the screen's pixels could round past
    // its edge.
    const QSize free =
        work.size() - QSize(frame.left() + frame.right() + 1, frame.top() + frame.bottom() + 1);
    const double fit = zoomToFit(free, 1.0);
    setZoom(fit);
    if (fit < 1.0) {
        setZoom(zoomToFit(free, 1.0)); // again, with the menu bar measured at that zoom
        move(work.topLeft());
    }
}

bool Form::event(QEvent* event) {
    // The window manager frames the window after it first shows: a start zoom fitted without
    // that frame is fitted again with it, unless the zoom has changed since.
    if (event->type() == QEvent::Move && m_fittedZoom > 0 && windowHandle() &&
        windowHandle()->frameMargins() != m_fittedFrame) {
        if (zoom() == m_fittedZoom && !m_fullScreen && !isMaximized()) {
            fitToScreen();
        } else {
            m_fittedZoom = 0;
        }
    }
    return QMainWindow::event(event);
}

void Form::setFullScreenZoomed(bool on) {
    if (on == m_fullScreen) {
        return;
    }
    m_fullScreen = on;
    m_leaveFullScreen->setEnabled(on);
    if (on) {
        m_zoomBeforeFullScreen = zoom();
        m_windowBeforeFullScreen = geometry();
        const QScreen* shown = screen();
        if (shown) {
            setZoom(zoomToFit(shown->geometry().size(), kMostZoom));
            setGeometry(shown->geometry()); // also where no window manager does it
        }
        showFullScreen();
    } else {
        showNormal();
        setZoom(m_zoomBeforeFullScreen);
        setGeometry(QRect(m_windowBeforeFullScreen.topLeft(), windowSizeAtZoom()));
    }
}

void Form::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Back from maximised, the window fits the form at its zoom now, which may have changed
    // while it was maximised (the size it had before would no longer fit the form).
    if (event->type() == QEvent::WindowStateChange && !m_fullScreen &&
        (static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMaximized) &&
        !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        resize(windowSizeAtZoom()); // the zoom of now
    }
}

void Form::applyZoomToFonts() {
    // The window's font and every font set on a control: their design size times the zoom.
    // Controls without a font of their own take the window's.
    std::vector<QWidget*> widgets{this};
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w->testAttribute(Qt::WA_SetFont) || w == menuWidget()) {
            widgets.push_back(w);
        }
    }
    for (QWidget* w : widgets) { // all before any changes, as fonts pass on to children
        if (!w->property(kDesignFontProperty).isValid()) {
            w->setProperty(kDesignFontProperty, w->font());
        }
    }
    for (QWidget* w : widgets) {
        w->setFont(zoomedFont(w->property(kDesignFontProperty).value<QFont>(), formZoom()));
    }
}

bool Form::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool touchEvent = type == QEvent::TouchBegin || type == QEvent::TouchUpdate ||
                            type == QEvent::TouchEnd || type == QEvent::TouchCancel;
    if (!touchEvent && type != QEvent::Wheel && type != QEvent::NativeGesture) {
        return false;
    }
    // Touches are taken where they reach the window, before Qt hands them to controls or
    // makes mouse events of them; the wheel and gestures where they reach a control.
    if (touchEvent) {
        if (watched != windowHandle() || !windowHandle()) {
            return false;
        }
        if (!m_fingers) {
            m_fingers = new Fingers(
                windowHandle(), [this] { return zoom(); }, [this](double z) { setZoom(z); }, this);
        }
        return m_fingers->touch(static_cast<QTouchEvent*>(event));
    }
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this) {
        return false;
    }
    if (type == QEvent::NativeGesture) {
        const auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture) {
            setZoom(zoom() * (1.0 + gesture->value()));
            return true;
        }
        return false;
    }
    auto* wheel = dynamic_cast<QWheelEvent*>(event);
    if (!wheel || !(wheel->modifiers() & Qt::ControlModifier)) {
        return false;
    }
    // One step for every notch (120 eighths of a degree).
    m_wheelSteps += wheel->angleDelta().y();
    for (; m_wheelSteps >= 120; m_wheelSteps -= 120) {
        zoomIn();
    }
    for (; m_wheelSteps <= -120; m_wheelSteps += 120) {
        zoomOut();
    }
    return true;
}

QAction* Form::addMenuEntry(const QString& name, const QString& caption) {
    if (!dynamic_cast<MenuBarStyle*>(menuBar()->style())) {
        auto* style = new MenuBarStyle;
        style->setParent(menuBar());
        menuBar()->setStyle(style);
    }
    QAction* action = menuBar()->addAction(caption);
    action->setObjectName(name);
    return action;
}

void Form::endProgram() {
    if (m_ended) {
        return;
    }
    m_ended = true;
    emit ending();
    Drag::cancelAll(this);
    // Silence every control and timer of the window, so that no handler runs any more, even
    // for events already queued.
    for (QObject* o : findChildren<QObject*>()) {
        o->blockSignals(true);
        if (auto* t = qobject_cast<QTimer*>(o)) {
            t->stop();
        }
    }
    hide();
    if (m_endHook) {
        m_endHook();
    }
}

void Form::closeEvent(QCloseEvent* event) {
    event->accept();
    endProgram();
}

double takeOverSmallScaleFactor() {
    bool ok = false;
    const double factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    if (!ok || factor >= 1.0 || factor <= 0.0 || !std::isfinite(factor)) {
        return 1.0;
    }
    qunsetenv("QT_SCALE_FACTOR");
    return factor;
}

namespace {

// A factor's text read as Qt reads it; NaN for a text that is no number.
double factorOf(const QString& text) {
    bool ok = false;
    const double factor = text.trimmed().toDouble(&ok);
    return ok ? factor : std::nan("");
}

bool drawable(double factor) {
    return std::isfinite(factor) && factor > 0 && factor <= kMostScaleFactor;
}

QString complaint(const char* variable, const QString& text) {
    return QStringLiteral("%1=%2: Qt cannot draw the window at that scale; a scale factor is a "
                          "number above 0 and at most %3.")
        .arg(QLatin1String(variable), text)
        .arg(kMostScaleFactor);
}

} // namespace

QString undrawableScaleFactor() {
    const QString global = qEnvironmentVariable("QT_SCALE_FACTOR");
    double factor = 1;
    if (!global.trimmed().isEmpty()) {
        factor = factorOf(global);
        if (!drawable(factor)) {
            return complaint("QT_SCALE_FACTOR", global);
        }
    }
    // "1.5;2" or "HDMI-1=1.5;DP-1=2", also apart by commas.
    const QString screens = qEnvironmentVariable("QT_SCREEN_SCALE_FACTORS");
    for (const QString& entry :
         screens.split(QRegularExpression(QStringLiteral("[;,]")), Qt::SkipEmptyParts)) {
        const double own = factorOf(entry.section(QLatin1Char('='), -1));
        if (!drawable(own) || !drawable(own * std::max(factor, 1.0))) {
            return complaint("QT_SCREEN_SCALE_FACTORS", screens);
        }
    }
    return {};
}

} // namespace rb
