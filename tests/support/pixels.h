// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Pixels of the form runtime's controls as a test reads them: solid test pictures, a logical
// pixel of a grab on a screen of any scale, and the regions a widget is asked to repaint.

#include <QColor>
#include <QEvent>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPaintEvent>
#include <QPixmap>
#include <QRegion>
#include <QWidget>

namespace rbtest {

inline QPixmap solid(QSize size, const QColor& colour) {
    QPixmap p(size);
    p.fill(colour);
    return p;
}

// The colour of the logical pixel `at` of a grab, which holds devicePixelRatio device pixels
// for each logical one (2 x 2 on a screen scaled twice): the device pixel at its middle.
inline QColor logicalPixel(const QImage& image, QPoint at) {
    const qreal dpr = image.devicePixelRatio();
    return image.pixelColor(static_cast<int>((at.x() + 0.5) * dpr),
                            static_cast<int>((at.y() + 0.5) * dpr));
}

inline QColor shown(QWidget& w, QPoint at) {
    return logicalPixel(w.grab().toImage(), at);
}

// The regions of the paint events a widget gets.
struct PaintRecorder : QObject {
    QList<QRegion> regions;
    explicit PaintRecorder(QWidget* w) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            regions.append(static_cast<QPaintEvent*>(e)->region());
        }
        return false;
    }
    QRegion all() const {
        QRegion r;
        for (const QRegion& each : regions) {
            r += each;
        }
        return r;
    }
};

} // namespace rbtest
