// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where a scroll bar's parts (arrows, thumb, track) lie, for clicking them as a person would.

#include "window/runtime/scrollbar.h"

#include <QStyle>
#include <QStyleOptionSlider>

namespace rbtest {

// A scroll bar's sub-control, in the bar's own pixels.
inline QRect subControlRect(rb::ScrollBar& bar, QStyle::SubControl sc) {
    QStyleOptionSlider opt;
    opt.initFrom(&bar);
    opt.orientation = bar.orientation();
    opt.minimum = bar.minimum();
    opt.maximum = bar.maximum();
    opt.sliderPosition = bar.sliderPosition();
    opt.sliderValue = bar.QScrollBar::value();
    opt.singleStep = bar.singleStep();
    opt.pageStep = bar.pageStep();
    opt.upsideDown = bar.invertedAppearance();
    if (bar.orientation() == Qt::Horizontal) {
        opt.state |= QStyle::State_Horizontal;
    }
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &opt, sc, &bar);
}

// Centre of a scroll bar's sub-control, in the bar's own pixels.
inline QPoint subControlCentre(rb::ScrollBar& bar, QStyle::SubControl sc) {
    return subControlRect(bar, sc).center();
}

} // namespace rbtest
