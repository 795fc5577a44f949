// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The drag running in any window of the test, and shorthands that drive it.

#include "window/runtime/dragdrop.h"

#include <QApplication>

namespace rbtest {

inline rb::Drag* activeDrag() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (rb::Drag* d = rb::Drag::active(w)) {
            return d;
        }
    }
    return nullptr;
}

inline bool isDragging() {
    return activeDrag() != nullptr;
}

inline rb::LightControl* dragSource() {
    rb::Drag* d = activeDrag();
    return d ? d->source() : nullptr;
}

inline void dragMoveTo(QPoint globalPos) {
    if (rb::Drag* d = activeDrag()) {
        d->moveTo(globalPos);
    }
}

inline void dragDropAt(QPoint globalPos) {
    if (rb::Drag* d = activeDrag()) {
        d->dropAt(globalPos);
    }
}

inline void cancelDrags() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        rb::Drag::cancelAll(w);
    }
}

inline QWidget* dragOutline() {
    rb::Drag* d = activeDrag();
    return d ? d->outline() : nullptr;
}

} // namespace rbtest
