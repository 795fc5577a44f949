// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/scrollbar.h"

#include "window/runtime/container.h"
#include "window/runtime/drawing.h"
#include "window/runtime/palette.h"
#include "window/runtime/userscale.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionSlider>

#include <algorithm>
#include <cstdlib>

namespace rb {

namespace {

// The platform style's geometry with the classic sizes: arrow buttons as long as the bar is
// thick (the style halves them where the bar is shorter than two of them, and then no thumb
// fits), and a thumb no shorter than the bar is thick (square on small bars) instead of the
// style's long minimum, which would fill most of a short bar.
class ClassicScrollBarStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_ScrollBarSliderMin || metric == PM_ScrollBarExtent) {
            if (const auto* bar = qobject_cast<const QScrollBar*>(widget)) {
                return bar->orientation() == Qt::Horizontal ? bar->height() : bar->width();
            }
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

QStyle* classicStyle() {
    static auto* style = new ClassicScrollBarStyle; // lives as long as the program
    return style;
}

// A small solid triangle pointing in the arrow's direction, centred in r.
void drawArrow(QPainter& p, const QRect& r, Qt::ArrowType direction, bool enabled, bool sunken) {
    const int size = std::max(2, std::min(r.width(), r.height()) / 4);
    QPointF c = QRectF(r).center();
    if (sunken) {
        const double t = zoomedPixels(1); // one design pixel at the zoom
        c += QPointF(t, t);
    }
    QPolygonF tri;
    switch (direction) {
    case Qt::LeftArrow:
        tri << c + QPointF(-size / 2.0 - 1, 0) << c + QPointF(size / 2.0, -size)
            << c + QPointF(size / 2.0, size);
        break;
    case Qt::RightArrow:
        tri << c + QPointF(size / 2.0 + 1, 0) << c + QPointF(-size / 2.0, -size)
            << c + QPointF(-size / 2.0, size);
        break;
    case Qt::UpArrow:
        tri << c + QPointF(0, -size / 2.0 - 1) << c + QPointF(-size, size / 2.0)
            << c + QPointF(size, size / 2.0);
        break;
    default:
        tri << c + QPointF(0, size / 2.0 + 1) << c + QPointF(-size, -size / 2.0)
            << c + QPointF(size, -size / 2.0);
        break;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(paletteColor(enabled ? kBlack : kGrey));
    p.setRenderHint(QPainter::Antialiasing, true);
    p.drawPolygon(tri);
    p.setRenderHint(QPainter::Antialiasing, false);
}

} // namespace

ScrollBar::ScrollBar(Container* container, const QString& name)
    : QScrollBar(Qt::Horizontal, container) {
    setObjectName(name);
    setFocusPolicy(Qt::StrongFocus); // every scroll bar takes part in the focus order
    setStyle(classicStyle());
    setSingleStep(1);
    setPageStep(1);
    setRange(0, 32767);
    connect(this, &QAbstractSlider::valueChanged, this, &ScrollBar::onQtValueChanged);
    connect(this, &QAbstractSlider::sliderPressed, this, [this] { m_valueAtPress = m_value; });
    connect(this, &QAbstractSlider::sliderReleased, this, &ScrollBar::onReleased);
}

int ScrollBar::toValue(int qtValue) const {
    return m_min <= m_max ? m_min + qtValue : m_min - qtValue;
}

int ScrollBar::toQt(int value) const {
    return std::abs(value - m_min);
}

void ScrollBar::setRange(int min, int max) {
    m_min = min;
    m_max = max;
    m_settingRange = true;
    QScrollBar::setRange(0, std::abs(max - min));
    m_settingRange = false;
    const int lo = std::min(min, max);
    const int hi = std::max(min, max);
    m_value = std::clamp(m_value, lo, hi);
    QScrollBar::setValue(toQt(m_value));
}

void ScrollBar::setValue(int value) {
    const int lo = std::min(m_min, m_max);
    const int hi = std::max(m_min, m_max);
    value = std::clamp(value, lo, hi);
    if (value == m_value) {
        return;
    }
    // Qt's valueChanged runs onQtValueChanged synchronously, which emits change(), also
    // while the user holds the thumb.
    m_settingFromCode = true;
    QScrollBar::setValue(toQt(value));
    m_settingFromCode = false;
}

void ScrollBar::onQtValueChanged(int qtValue) {
    const int value = toValue(qtValue);
    if (value == m_value) {
        return;
    }
    m_value = value;
    if (m_settingRange) {
        return;
    }
    if (isSliderDown() && !m_settingFromCode) {
        emit scroll(); // the thumb is being dragged; change() follows on release
    } else {
        emit change();
    }
}

void ScrollBar::sliderChange(SliderChange change) {
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    const QRect thumb =
        style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, this);
    if (change != SliderValueChange || m_mouseHeld || !m_thumbDrawn.isValid() || !thumb.isValid() ||
        maximum() <= minimum()) {
        QScrollBar::sliderChange(change);
        return;
    }
    if (thumb != m_thumbDrawn) {
        update(QRegion(m_thumbDrawn) + thumb);
    }
}

void ScrollBar::mousePressEvent(QMouseEvent* event) {
    m_mouseHeld = true; // before the press moves the value
    if (event->button() == Qt::LeftButton) {
        QStyleOptionSlider opt;
        initStyleOption(&opt);
        m_pointer = event->position().toPoint();
        m_pressedPart = style()->hitTestComplexControl(QStyle::CC_ScrollBar, &opt, m_pointer, this);
    }
    QScrollBar::mousePressEvent(event);
}

void ScrollBar::mouseMoveEvent(QMouseEvent* event) {
    if (m_pressedPart != QStyle::SC_None && m_pressedPart != QStyle::SC_ScrollBarSlider) {
        m_pointer = event->position().toPoint();
        update(); // the held part pops up where the pointer leaves it, and back
    }
    QScrollBar::mouseMoveEvent(event);
}

void ScrollBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_pressedPart != QStyle::SC_None) {
        m_pressedPart = QStyle::SC_None;
        update();
    }
    QScrollBar::mouseReleaseEvent(event);
    m_mouseHeld = false;
}

void ScrollBar::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    const auto part = [&](QStyle::SubControl sc) {
        return style()->subControlRect(QStyle::CC_ScrollBar, &opt, sc, this);
    };
    const auto pressed = [&](QStyle::SubControl sc) {
        return m_pressedPart == sc && part(sc).contains(m_pointer);
    };
    const bool horizontal = orientation() == Qt::Horizontal;
    const QColor face = paletteColor(kLightGrey);

    const QRect sub = part(QStyle::SC_ScrollBarSubLine);
    const QRect add = part(QStyle::SC_ScrollBarAddLine);
    // The track between the arrows: white and light grey dots, the classic scroll bar's
    // trough. On a bar too short for a thumb it is all that stands for the thumb.
    const QRect track =
        horizontal ? QRect(QPoint(sub.right() + 1, 0), QPoint(add.left() - 1, height() - 1))
                   : QRect(QPoint(0, sub.bottom() + 1), QPoint(width() - 1, add.top() - 1));
    p.fillRect(track, paletteColor(kWhite));
    p.fillRect(track, QBrush(paletteColor(kLightGrey), Qt::Dense4Pattern));
    for (const QStyle::SubControl page :
         {QStyle::SC_ScrollBarSubPage, QStyle::SC_ScrollBarAddPage}) {
        if (pressed(page)) {
            p.fillRect(part(page), paletteColor(kBlack));
        }
    }

    // A moving thumb repaints only around itself: arrow buttons outside that are left alone.
    const QRegion& dirty = event->region();
    if (dirty.intersects(sub)) {
        drawBevel(p, sub, face, pressed(QStyle::SC_ScrollBarSubLine) ? kSunken : kRaised);
        drawArrow(p, sub, horizontal ? Qt::LeftArrow : Qt::UpArrow, isEnabled(),
                  pressed(QStyle::SC_ScrollBarSubLine));
    }
    if (dirty.intersects(add)) {
        drawBevel(p, add, face, pressed(QStyle::SC_ScrollBarAddLine) ? kSunken : kRaised);
        drawArrow(p, add, horizontal ? Qt::RightArrow : Qt::DownArrow, isEnabled(),
                  pressed(QStyle::SC_ScrollBarAddLine));
    }

    const QRect thumb = part(QStyle::SC_ScrollBarSlider);
    m_thumbDrawn = QRect();
    if (thumb.isValid() && maximum() > minimum()) {
        m_thumbDrawn = thumb;
        drawBevel(p, thumb, face, kRaised);
        const int t = zoomedPixels(1); // one design pixel at the zoom
        if (hasFocus() && thumb.width() > 6 * t && thumb.height() > 6 * t) {
            drawFocusRect(p, thumb.adjusted(2 * t, 2 * t, -2 * t, -2 * t));
        }
    } else if (hasFocus()) {
        // No room for a thumb: the focus marks the thumb's place between the arrows, and a
        // dotted rectangle inside each arrow button makes it plain to see.
        p.fillRect(track, paletteColor(kBlack));
        const int t = zoomedPixels(1);
        for (const QRect& arrow : {sub, add}) {
            if (arrow.width() > 6 * t && arrow.height() > 6 * t) {
                drawFocusRect(p, arrow.adjusted(2 * t, 2 * t, -2 * t - 1, -2 * t - 1));
            }
        }
    }
}

void ScrollBar::keyPressEvent(QKeyEvent* event) {
    // The keys work like the bar's parts, whatever its orientation: the Qt bar counts from the
    // left or top end, so "sub" is the left or upper arrow and the track before the thumb.
    SliderAction action = SliderNoAction;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        action = SliderSingleStepSub;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        action = SliderSingleStepAdd;
        break;
    case Qt::Key_PageUp:
        action = SliderPageStepSub;
        break;
    case Qt::Key_PageDown:
        action = SliderPageStepAdd;
        break;
    case Qt::Key_Home:
        action = SliderToMinimum;
        break;
    case Qt::Key_End:
        action = SliderToMaximum;
        break;
    default:
        QScrollBar::keyPressEvent(event);
        return;
    }
    triggerAction(action);
    event->accept();
}

void ScrollBar::onReleased() {
    if (m_value != m_valueAtPress) {
        emit change();
    }
}

} // namespace rb
