// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/checkbox.h"

#include "window/runtime/container.h"
#include "window/runtime/drawing.h"
#include "window/runtime/palette.h"
#include "window/runtime/userscale.h"

#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>

#include <cmath>

namespace rb {

namespace {

// The platform style for everything but the box, which it draws in the classic manner inside
// the style's own indicator rectangle (so the caption keeps its place), and the focus mark.
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
        if (element == PE_FrameFocusRect) {
            // The one focus mark, which shows on the black panel of a check box too.
            drawFocusRect(*painter, option->rect);
            return;
        }
        if (element != PE_IndicatorCheckBox) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        const QRect r = option->rect;
        drawBevel(*painter, r, paletteColor(kWhite), kCheckBox);
        const int t = zoomedPixels(1); // one design pixel at the zoom
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
