// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/checkbox.h"

#include "window/runtime/container.h"
#include "window/runtime/palette.h"
#include "window/runtime/userscale.h"

#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>

#include <cmath>

namespace rb {

namespace {

// The platform style for everything but the box, which it draws in the classic manner inside
// the style's own indicator rectangle (so the caption keeps its place).
class ClassicCheckBoxStyle : public QProxyStyle {
public:
    // The box grows with the form's zoom.
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        const int own = QProxyStyle::pixelMetric(metric, option, widget);
        if (metric == PM_IndicatorWidth || metric == PM_IndicatorHeight ||
            metric == PM_CheckBoxLabelSpacing) {
            return formZoom() == 1.0 ? own : static_cast<int>(std::lround(own * formZoom()));
        }
        return own;
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_IndicatorCheckBox) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        const QRect r = option->rect;
        const int x1 = r.left();
        const int y1 = r.top();
        const int x2 = r.right();
        const int y2 = r.bottom();
        // Sunken edge: grey over black at the top and left, white over light grey at the
        // bottom and right.
        const int t = zoomedPixels(1); // one design pixel at the zoom
        painter->fillRect(r, paletteColor(kWhite));
        painter->fillRect(QRect(x1, y1, r.width() - t, t), paletteColor(kGrey));
        painter->fillRect(QRect(x1, y1, t, r.height() - t), paletteColor(kGrey));
        painter->fillRect(QRect(x1 + t, y1 + t, r.width() - 3 * t, t), paletteColor(kBlack));
        painter->fillRect(QRect(x1 + t, y1 + t, t, r.height() - 3 * t), paletteColor(kBlack));
        painter->fillRect(QRect(x1 + t, y2 - 2 * t + 1, r.width() - 2 * t, t),
                          paletteColor(kLightGrey));
        painter->fillRect(QRect(x2 - 2 * t + 1, y1 + t, t, r.height() - 2 * t),
                          paletteColor(kLightGrey));
        if (!(option->state & (State_On | State_NoChange))) {
            return;
        }
        // The tick: seven columns three pixels tall, down to the third column, then up.
        const QColor tick = (option->state & State_NoChange) || !(option->state & State_Enabled)
                                ? paletteColor(kGrey)
                                : paletteColor(kBlack);
        const QRect inner = r.adjusted(2 * t, 2 * t, -2 * t, -2 * t);
        const int left = inner.left() + (inner.width() - 7 * t) / 2;
        const int top = inner.top() + (inner.height() - 7 * t) / 2;
        for (int c = 0; c < 7; ++c) {
            const int y = c <= 2 ? 2 + c : 4 - (c - 2);
            painter->fillRect(QRect(left + c * t, top + y * t, t, 3 * t), tick);
        }
    }
};

QStyle* classicCheckBoxStyle() {
    static auto* style = new ClassicCheckBoxStyle; // lives as long as the program
    return style;
}

} // namespace

CheckBox::CheckBox(Container* container, const QString& name) : QCheckBox(container) {
    setObjectName(name);
    setTristate(false);
    setStyle(classicCheckBoxStyle());
}

int CheckBox::value() const {
    switch (checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

void CheckBox::setValue(int value) {
    if (value == 2) {
        setTristate(true);
        setCheckState(Qt::PartiallyChecked);
        return;
    }
    setCheckState(value == 1 ? Qt::Checked : Qt::Unchecked);
}

void CheckBox::setColors(const QColor& back, const QColor& fore) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, back);
    p.setColor(QPalette::Button, back);
    p.setColor(QPalette::WindowText, fore);
    p.setColor(QPalette::ButtonText, fore);
    p.setColor(QPalette::Text, fore);
    setPalette(p);
}

} // namespace rb
